// What the keyboard hook does with each key transition: deliver it to the receiving window,
// and whether to keep it from the rest of the system. Kept apart from the hook so the rules are
// tested without a keyboard.
//
// Rules:
// - Keys are delivered only while delivery is on and the receiver's program is in front, so
//   nothing typed into another program is captured or recorded.
// - A delivered press is also kept from the system: a combination being captured (Win+E,
//   Alt+F4, Alt+Tab) must not act while it is captured.
// - The release of a kept press is kept too, whatever happens in between, so the system always
//   sees whole press-release pairs and no key is left down in its view. A press the system saw
//   is always followed there by its release.
// - Everything else passes untouched; with delivery off the hook changes nothing at all.
#pragma once

#include <bitset>
#include <cstdint>

namespace k2q::kbsnare {

struct KeyDecision {
    bool deliver = false;  // post the transition to the receiving window
    bool swallow = false;  // keep it from the other hooks and the system
    friend bool operator==(const KeyDecision&, const KeyDecision&) = default;
};

class KeyGate {
  public:
    void SetDelivering(bool on) { delivering_ = on; }
    bool delivering() const { return delivering_; }

    // One transition as the hook saw it; receiverInFront tells whether the foreground window
    // belongs to the receiving window's program.
    KeyDecision OnKey(std::uint32_t vk, bool release, bool receiverInFront);

  private:
    bool delivering_ = false;
    std::bitset<256> kept_;  // keys whose press the system has not seen
    std::bitset<256> down_;  // keys the system has seen go down and not yet up
};

}  // namespace k2q::kbsnare
