// The mouse sends keys as USB HID keyboard usages; the settings hold Windows virtual keys. The
// table pairs them in usage order. Some virtual keys appear twice (0 for usages without a
// key, Enter for the keypad Enter as well), so a lookup takes the first match.
#pragma once

#include <array>
#include <cstdint>

namespace k2q {

struct KeyUsagePair {
    std::uint8_t usage;
    std::uint8_t virtualKey;
};

inline constexpr std::size_t kKeyTableSize = 110;
extern const std::array<KeyUsagePair, kKeyTableSize> kKeyTable;

// The usage of the first pair with this virtual key, 0 when there is none (the generic
// modifiers 0x10 to 0x12 and the mouse-button codes 0xC1 to 0xC3 among them).
std::uint8_t KeyUsage(std::uint8_t virtualKey);

}  // namespace k2q
