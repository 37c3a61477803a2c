#include "common/win/Win32KeyboardLayout.h"

#include <windows.h>

namespace k2q::win {

std::uint8_t Win32KeyboardLayout::ScanCode(std::uint8_t vk) {
    return static_cast<std::uint8_t>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
}

std::uint8_t Win32KeyboardLayout::TypedCharacter(std::uint8_t vk, std::uint8_t scan) {
    const BYTE noKeysDown[256] = {};
    WORD typed = 0;
    if (::ToAscii(vk, scan, noKeysDown, &typed, 0) < 0) {
        // A dead key leaves its accent waiting in the layout for the next keystroke, which
        // would then come out accented in whatever the user types next. Translating the same
        // key once more spends it.
        WORD spent = 0;
        ::ToAscii(vk, scan, noKeysDown, &spent, 0);
    }
    return static_cast<std::uint8_t>(typed & 0xFF);
}

}  // namespace k2q::win
