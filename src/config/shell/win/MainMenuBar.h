// The four menus of the main dialog's menu bar (profile, setting, help, link). Each has one
// slot; at most one menu of the four is open at a time, because every opener closes them all
// first.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "common/ui/win/BmpMenu.h"
#include "config/shell/MainMenus.h"

namespace k2q::config::win {

class MainMenuBar {
  public:
    MainMenuBar();
    ~MainMenuBar();
    MainMenuBar(const MainMenuBar&) = delete;
    MainMenuBar& operator=(const MainMenuBar&) = delete;

    // Closes every open menu, then opens `menu` under its button of `owner`, which receives
    // the choice; the setting menu marks the item of `currentPage`.
    void Open(MainMenu menu, HWND owner, int currentPage);

    void CloseAll();

    // The open menu of a slot, or null.
    k2q::win::CBmpMenu* OpenMenu(MainMenu menu) const;

  private:
    std::array<std::unique_ptr<k2q::win::CBmpMenu>, 4> slots_;
};

}  // namespace k2q::config::win
