#include "support/win/TrayIcons.h"

namespace k2q::testing {

std::vector<HWND> TrayIconWindows() {
    std::vector<HWND> icons;
    HWND tray = ::FindWindowW(L"__winex11_standalone_tray", nullptr);
    for (HWND icon = tray ? ::FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr)
                          : nullptr;
         icon; icon = ::FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr)) {
        if (::IsWindowVisible(icon)) {
            icons.push_back(icon);
        }
    }
    return icons;
}

}  // namespace k2q::testing
