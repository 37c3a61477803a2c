// The skinned popup menus: CBmpMenu, a borderless popup of item buttons cut from a menu
// picture, and CSubBmpMenu, the submenu that opens beside an item under the pointer.
//
// Usage (the owner closes every open menu first, and again after acting on a choice):
//     auto menu = std::make_unique<CBmpMenu>();
//     menu->SetMenuImages(MakeSkinPath(u"menu", u"menu2_n.bmp"), ... over, down, checked);
//     menu->SetPosition(screenX, screenY);
//     menu->AddItem(UiText(UiKey::tc_config_in), 40);
//     menu->AddItem(UiText(UiKey::tc_config_out), 41);
//     menu->Open(hwnd());                       // shown beside the owner, not activated
//     menu->SetItemState(text, true, true);     // optional: a checked toggle item
//     ...
//     case WM_BMPMENU_CHOSEN:                   // posted to the owner
//         ChosenItemId(lParam), ChosenEntryId(lParam)   (common/ui/BmpMenuModel.h)
//         menu->CloseMenu(); menu.reset();
// Items share one program-wide list (SharedBmpMenuList), which CloseMenu empties: a menu is
// built anew each time it opens. AddSubItem's index is the item's place in that list.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/ui/BmpMenuModel.h"
#include "common/ui/win/BitmapBtn.h"
#include "common/ui/win/SkinnedWindow.h"

namespace k2q::win {

// Normal, over, down and checked pictures of a menu or submenu.
struct MenuImages {
    SkinImage normal;
    SkinImage over;
    SkinImage down;
    SkinImage checked;

    static MenuImages Load(const std::wstring& normal, const std::wstring& over,
                           const std::wstring& down, const std::wstring& checked);
};

class CSubBmpMenu : public SkinnedWindow {
  public:
    // Opens at a screen point as a popup of its menu: entry j is a button at (0, 24 j), 24
    // high, cut from the submenu's own copies of the pictures.
    bool Open(HWND menu, int itemIndex, const std::vector<tagBMPMENUINFO>& entries,
              const MenuImages& images, POINT at);

    int itemIndex() const { return itemIndex_; }
    std::size_t entryCount() const { return buttons_.size(); }
    CBitmapBtn* EntryButton(std::size_t j) {
        return j < buttons_.size() ? buttons_[j].get() : nullptr;
    }

  protected:
    void OnCommand(UINT id, UINT code, HWND control) override;
    void OnLButtonDown(UINT, POINT) override {}  // a menu does not move

  private:
    SkinImage checkedImage_;
    HWND menu_ = nullptr;
    int itemIndex_ = 0;
    std::vector<std::uint32_t> entryIds_;
    std::vector<std::unique_ptr<CBitmapBtn>> buttons_;
};

class CBmpMenu : public SkinnedWindow {
  public:
    CBmpMenu() = default;
    ~CBmpMenu() override;

    void SetMenuImages(const std::wstring& normal, const std::wstring& over,
                       const std::wstring& down, const std::wstring& checked);
    void SetSubMenuImages(const std::wstring& normal, const std::wstring& over,
                          const std::wstring& down, const std::wstring& checked);
    // The menu's top-left corner on the screen; set before Open.
    void SetPosition(int x, int y) {
        x_ = x;
        y_ = y;
    }

    // Refused (false) beyond kMaxMenuItems items or entries.
    bool AddItem(std::wstring_view text, std::uint32_t commandId);
    bool AddSubItem(std::size_t itemIndex, std::wstring_view text, std::uint32_t commandId);

    // Creates the window as a popup of owner, sized to the menu picture, with one button per
    // item at (0, 24 i), 23 high, and shows it without taking the activation.
    bool Open(HWND owner);

    // The first item whose caption is exactly text gets the toggle mode and checked flag.
    void SetItemState(std::wstring_view text, bool checked, bool toggle);

    // Closes the submenu and the window, frees the pictures and empties the shared list.
    void CloseMenu();

    int itemCount() const { return count_; }
    CBitmapBtn* ItemButton(int i);
    CSubBmpMenu* openSubmenu() { return submenu_.get(); }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnMouseMove(UINT keys, POINT pt) override;
    void OnCommand(UINT id, UINT code, HWND control) override;
    void OnLButtonDown(UINT, POINT) override {}  // a menu does not move

  private:
    tagBMPMENUINFO& Item(int i) {
        return SharedBmpMenuList()[first_ + static_cast<std::size_t>(i)];
    }
    // Another menu's CloseMenu empties the shared list; an owner that forgot to close this one
    // first leaves it without items rather than reading past the list.
    bool ItemsListed() const;
    void OpenSubmenu(int i);
    void CloseSubmenu();

    SkinImage checkedImage_;  // the other three are the window's skin set
    MenuImages subImages_;
    int x_ = 0;
    int y_ = 0;
    HWND owner_ = nullptr;
    std::size_t first_ = 0;  // where this menu's items start in the shared list
    int count_ = 0;
    std::vector<std::unique_ptr<CBitmapBtn>> buttons_;
    std::unique_ptr<CSubBmpMenu> submenu_;
};

}  // namespace k2q::win
