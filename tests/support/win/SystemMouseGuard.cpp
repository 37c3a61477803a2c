#include "support/win/SystemMouseGuard.h"

namespace k2q::testing {

SystemMouseGuard::SystemMouseGuard() {
    for (std::size_t i = 0; i < std::size(kPlaces); ++i) {
        saved_[i] = ReadRaw(kPlaces[i].key, kPlaces[i].name);
    }
    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &wheel_, 0);
    ::SystemParametersInfoW(SPI_GETMOUSE, 0, mouse_.data(), 0);
    ::SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed_, 0);
    doubleClick_ = ::GetDoubleClickTime();
}

SystemMouseGuard::~SystemMouseGuard() {
    // The running values first (flags 0: no profile update), then the stored strings byte for
    // byte. The speed goes in both arguments: Windows reads pvParam, Wine uiParam.
    ::SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, wheel_, nullptr, 0);
    ::SystemParametersInfoW(SPI_SETMOUSE, 0, mouse_.data(), 0);
    ::SystemParametersInfoW(SPI_SETMOUSESPEED, speed_,
                            reinterpret_cast<void*>(static_cast<INT_PTR>(speed_)), 0);
    ::SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, doubleClick_, nullptr, 0);
    for (std::size_t i = 0; i < std::size(kPlaces); ++i) {
        if (saved_[i]) {
            ::RegSetKeyValueW(HKEY_CURRENT_USER, kPlaces[i].key, kPlaces[i].name, saved_[i]->type,
                              saved_[i]->bytes.data(), static_cast<DWORD>(saved_[i]->bytes.size()));
        } else {
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kPlaces[i].key, kPlaces[i].name);
        }
    }
}

}  // namespace k2q::testing
