// The keyboard-layout seam over MapVirtualKeyW and ToAscii.
#pragma once

#include "common/platform/KeyboardLayout.h"

namespace k2q::win {

class Win32KeyboardLayout : public KeyboardLayout {
  public:
    std::uint8_t ScanCode(std::uint8_t vk) override;
    std::uint8_t TypedCharacter(std::uint8_t vk, std::uint8_t scan) override;
};

}  // namespace k2q::win
