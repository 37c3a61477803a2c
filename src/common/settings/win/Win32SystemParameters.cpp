#include "common/settings/win/Win32SystemParameters.h"

namespace k2q::win {

bool Win32SystemParameters::Set(std::uint32_t action, std::uint32_t uiParam, void* pvParam,
                                std::uint32_t flags) {
    return ::SystemParametersInfoW(action, uiParam, pvParam, flags) != FALSE;
}

void Win32SystemParameters::SendSettingChange(std::uintptr_t wParam, std::intptr_t lParam) {
    if (window_) {
        ::SendMessageW(window_, WM_SETTINGCHANGE, wParam, lParam);
    }
}

}  // namespace k2q::win
