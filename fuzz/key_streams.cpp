// Any stream of key notifications: the combination-key dialog's capture and the keyboard hook's
// gate must take it all, keep their promises, and name whatever they end up holding.
//
// Input: pairs of bytes. The first is a key code (0xFE and 0xFD stand for codes beyond a byte),
// the second carries the flags: bit 0 a release, bit 1 the receiver in front, bit 2 a switch of
// the hook's delivery to bit 3, the rest other flag bits of the notification.
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "config/keycapture/ComboCapture.h"
#include "config/keycapture/KeyNames.h"
#include "kbsnare/KeyGate.h"

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

bool IsModifier(std::uint8_t vk) {
    switch (vk) {
        case 0x10:
        case 0x11:
        case 0x12:
        case 0x5B:
        case 0x5C:
        case 0xA0:
        case 0xA1:
        case 0xA2:
        case 0xA3:
        case 0xA4:
        case 0xA5:
            return true;
        default:
            return false;
    }
}

// Types the key's own code, so every byte, printable or not, reaches the naming.
class EchoLayout : public k2q::KeyboardLayout {
  public:
    std::uint8_t ScanCode(std::uint8_t vk) override { return vk; }
    std::uint8_t TypedCharacter(std::uint8_t vk, std::uint8_t) override { return vk; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    k2q::ComboCapture capture;
    k2q::kbsnare::KeyGate gate;
    std::bitset<256> systemSeesDown;  // what the rest of the system was told
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const std::uint8_t code = data[i];
        const std::uint8_t bits = data[i + 1];
        const std::uint32_t vk = code == 0xFE ? 0x1FE : code == 0xFD ? 0x10000 : code;
        const bool release = bits & 1;
        if (bits & 4) {
            gate.SetDelivering(bits & 8);
        }

        const k2q::kbsnare::KeyDecision decision = gate.OnKey(vk, release, bits & 2);
        Check(!decision.deliver || gate.delivering());
        if (vk < 256) {
            // A press the system saw is never left without its release.
            Check(!(release && decision.swallow && systemSeesDown[vk]));
            if (!decision.swallow) {
                systemSeesDown[vk] = !release;
            }
        } else {
            Check(!decision.deliver && !decision.swallow);
        }

        capture.OnHookKey(vk, (bits & 0x70) | (release ? 0x80 : 0));
        const k2q::Combination& c = capture.combination();
        Check((c.modifiers & 0xF0) == 0);
        Check(!IsModifier(c.key1) && !IsModifier(c.key2));
        Check(c.key2 == 0 || (c.key1 != 0 && c.key1 != c.key2));
    }
    EchoLayout layout;
    const k2q::Combination& c = capture.combination();
    const std::u16string text = k2q::CombinationText(c.modifiers, c.key1, c.key2, layout);
    Check(text.size() <= 64);
    for (const std::uint8_t key : {c.key1, c.key2}) {
        Check(k2q::KeyName(key, layout, k2q::KeyNameSet::Macro).size() <= 16);
    }
    return 0;
}
