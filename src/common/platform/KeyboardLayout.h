// The system's keyboard layout as a seam: the monitor needs a key's scan code to inject it, the
// configuration program the character a key types to name it. Tests give a layout of their own.
#pragma once

#include <cstdint>

namespace k2q {

class KeyboardLayout {
  public:
    virtual ~KeyboardLayout() = default;
    // The scan code of a virtual key (MapVirtualKeyW, map type 0); 0 when the layout has none.
    virtual std::uint8_t ScanCode(std::uint8_t vk) = 0;
    // The low byte of the character the key types with no modifier down and no lock on (ToAscii
    // with an all-zero keyboard state); 0 when it types nothing. Asking about a dead key leaves
    // no accent pending for the user's next keystroke.
    virtual std::uint8_t TypedCharacter(std::uint8_t vk, std::uint8_t scan) = 0;
};

}  // namespace k2q
