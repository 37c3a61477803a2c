// Popup menus of the framework. An owner-drawn menu overrides DrawItem and MeasureItem; the
// window that tracks it passes the menu's WM_DRAWITEM and WM_MEASUREITEM on (they arrive at the
// owner window, not at the menu).
#pragma once

#include <windows.h>

#include "common/win/UniqueHandle.h"

namespace k2q::win {

class Menu {
  public:
    Menu() = default;
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;
    virtual ~Menu() = default;

    bool CreatePopup();
    HMENU handle() const { return menu_.get(); }

    // itemData must stay alive while the menu exists; it comes back in the owner-draw calls.
    bool AppendOwnerDrawn(UINT id, const void* itemData);
    bool AppendSeparator();

    // Tracks the menu at a screen point; the chosen command reaches the owner as WM_COMMAND.
    BOOL Track(UINT flags, int x, int y, HWND owner);

    virtual void DrawItem(const DRAWITEMSTRUCT& /*dis*/) {}
    virtual void MeasureItem(MEASUREITEMSTRUCT& /*mis*/) {}

  private:
    UniqueMenu menu_;
};

}  // namespace k2q::win
