#include "common/win/Menu.h"

namespace k2q::win {

bool Menu::CreatePopup() {
    menu_.reset(::CreatePopupMenu());
    return static_cast<bool>(menu_);
}

bool Menu::AppendOwnerDrawn(UINT id, const void* itemData) {
    return ::AppendMenuW(menu_.get(), MF_OWNERDRAW, id, static_cast<LPCWSTR>(itemData)) != 0;
}

bool Menu::AppendSeparator() {
    return ::AppendMenuW(menu_.get(), MF_SEPARATOR, 0, nullptr) != 0;
}

BOOL Menu::Track(UINT flags, int x, int y, HWND owner) {
    return ::TrackPopupMenu(menu_.get(), flags, x, y, 0, owner, nullptr);
}

}  // namespace k2q::win
