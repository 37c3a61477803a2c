// The monitor's icon in the notification area: its only visible presence between reloads.
#pragma once

#include <windows.h>

#include <string_view>

namespace k2q::monitor {

inline constexpr UINT kTrayIconId = 128;
inline constexpr UINT kProgramIconId = 128;

// Adds the icon with the tip (cut to the 127 characters a tip holds); false when the
// notification area is not there.
bool AddTrayIcon(HWND window, std::wstring_view tip);
void RemoveTrayIcon(HWND window);

}  // namespace k2q::monitor
