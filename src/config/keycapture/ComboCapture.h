// The combination-key dialog's reading of the keyboard: the first key pressed opens a capture
// and is taken into it, every key pressed while that first key is held is added, and releasing
// the first key closes the capture, which stays on display until the next press starts a new
// one. Modifiers on either side of the keyboard fold into the four low mask bits; up to two
// other keys are kept.
#pragma once

#include <cstdint>

namespace k2q {

// The three bytes a button record keeps for a combination.
struct Combination {
    std::uint8_t modifiers = 0;
    std::uint8_t key1 = 0;
    std::uint8_t key2 = 0;
    bool empty() const { return modifiers == 0 && key1 == 0 && key2 == 0; }
    friend bool operator==(const Combination&, const Combination&) = default;
};

class ComboCapture {
  public:
    // One WM_HOOK_KEY notification: wParam the virtual-key code, lParam the flags (bit 0x80 a
    // release). Returns whether the shown combination must be repainted.
    bool OnHookKey(std::uintptr_t vk, std::uintptr_t flags);

    const Combination& combination() const { return combination_; }
    bool capturing() const { return capturing_; }

  private:
    void Add(std::uint8_t vk);

    Combination combination_;
    bool capturing_ = false;
    std::uint8_t anchor_ = 0;  // the key that opened the current capture
    // The last notification, to tell an auto-repeat (an identical copy) from a new press.
    std::uintptr_t lastVk_ = 0;
    std::uintptr_t lastFlags_ = 0;
};

// The combination-key dialog's input filter: the key messages (WM_KEYDOWN, WM_KEYUP,
// WM_SYSKEYDOWN, WM_SYSKEYUP, by number) that it discards before its normal handling, so that
// Enter, Esc, Space and Alt+F4 can be captured without pressing a button or closing it.
bool DialogDiscardsKey(std::uint32_t msg, std::uintptr_t vk, std::intptr_t lParam);

}  // namespace k2q
