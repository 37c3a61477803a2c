// The notification area as a user sees it under Wine: each icon is a visible
// "__winex11_tray_icon" child of explorer's "__winex11_standalone_tray" window, and a click on
// one reaches its owner as the icon's callback message, sent by explorer.
#pragma once

#include <windows.h>

#include <vector>

namespace k2q::testing {

// The icons shown now, in the tray's order.
std::vector<HWND> TrayIconWindows();

}  // namespace k2q::testing
