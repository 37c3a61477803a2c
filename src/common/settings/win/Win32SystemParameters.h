// SystemParametersInfoW and the settings-change notices to one window, for
// ApplySystemMouseParams.
#pragma once

#include <windows.h>

#include "common/settings/SystemMouseParams.h"

namespace k2q::win {

class Win32SystemParameters final : public SystemParameters {
  public:
    // window receives the WM_SETTINGCHANGE sends (the monitor's own main window); it is
    // borrowed, and may be null when nobody needs them.
    explicit Win32SystemParameters(HWND window) : window_(window) {}

    bool Set(std::uint32_t action, std::uint32_t uiParam, void* pvParam,
             std::uint32_t flags) override;
    void SendSettingChange(std::uintptr_t wParam, std::intptr_t lParam) override;

  private:
    HWND window_;
};

}  // namespace k2q::win
