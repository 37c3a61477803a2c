#include "common/ui/win/BmpMenu.h"

#include <windowsx.h>

#include <algorithm>

#include "common/Messages.h"
#include "common/win/Text.h"

namespace k2q::win {
namespace {

// Menu and submenu windows: borderless popups beside their owner. Their buttons cover them,
// so the background is not painted under the buttons.
constexpr DWORD kMenuStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr DWORD kMenuExStyle = WS_EX_TOOLWINDOW;

SkinImage Whole(const SkinImage& image) {
    return image.Crop(0, 0, image.width(), image.height());
}

// Where the message being handled happened on the screen. Moves reach a menu from its buttons
// in screen coordinates and over its own uncovered rows in client coordinates; the message's
// own position serves both.
POINT MessageScreenPoint() {
    const DWORD at = ::GetMessagePos();
    return {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
}

bool CreatePopup(Window& window, const wchar_t* className, HWND owner, int x, int y, int width,
                 int height) {
    Window::CreateParams p;
    p.className = className;
    p.style = kMenuStyle;
    p.exStyle = kMenuExStyle;
    p.x = x;
    p.y = y;
    p.width = width;
    p.height = height;
    p.parent = owner;
    return window.Create(p);
}

}  // namespace

MenuImages MenuImages::Load(const std::wstring& normal, const std::wstring& over,
                            const std::wstring& down, const std::wstring& checked) {
    return {LoadSkinImage(normal), LoadSkinImage(over), LoadSkinImage(down),
            LoadSkinImage(checked)};
}

bool CSubBmpMenu::Open(HWND menu, int itemIndex, const std::vector<tagBMPMENUINFO>& entries,
                       const MenuImages& images, POINT at) {
    menu_ = menu;
    itemIndex_ = itemIndex;
    const int n = static_cast<int>(std::min(entries.size(), kMaxMenuItems));
    const int width = images.normal.width();
    if (!CreatePopup(*this, L"K2qSubBmpMenu", menu, at.x, at.y, width, SubmenuHeight(n))) {
        return false;
    }
    UseSkin({Whole(images.normal), Whole(images.over), Whole(images.down)}, SkinSizing::Keep);
    checkedImage_ = Whole(images.checked);
    for (int j = 0; j < n; ++j) {
        auto button = std::make_unique<CBitmapBtn>();
        const skin::Rect rect = SubmenuEntryRect(j, width);
        if (!button->Create(hwnd(), static_cast<UINT>(j + 1), rect)) {
            continue;
        }
        button->SetSkin(skin().normal, skin().over, skin().down, checkedImage_, rect);
        button->SetCaption(ToWide(entries[j].Text()), 0, 0, 1);
        entryIds_.push_back(entries[j].commandId);
        buttons_.push_back(std::move(button));
    }
    ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    return true;
}

void CSubBmpMenu::OnCommand(UINT, UINT, HWND control) {
    for (std::size_t j = 0; j < buttons_.size(); ++j) {
        if (buttons_[j]->hwnd() == control) {
            const MenuChoice choice = SubmenuChoice(itemIndex_, static_cast<int>(j), entryIds_[j]);
            ::PostMessageW(menu_, WM_BMPMENU_SUBCHOSEN, choice.wParam, choice.lParam);
            return;
        }
    }
}

CBmpMenu::~CBmpMenu() {
    if (hwnd() || count_ > 0) {
        CloseMenu();
    }
}

void CBmpMenu::SetMenuImages(const std::wstring& normal, const std::wstring& over,
                             const std::wstring& down, const std::wstring& checked) {
    MenuImages loaded = MenuImages::Load(normal, over, down, checked);
    UseSkin({std::move(loaded.normal), std::move(loaded.over), std::move(loaded.down)});
    checkedImage_ = std::move(loaded.checked);
}

void CBmpMenu::SetSubMenuImages(const std::wstring& normal, const std::wstring& over,
                                const std::wstring& down, const std::wstring& checked) {
    subImages_ = MenuImages::Load(normal, over, down, checked);
}

bool CBmpMenu::AddItem(std::wstring_view text, std::uint32_t commandId) {
    BmpMenuList& list = SharedBmpMenuList();
    if (count_ == 0) {
        first_ = list.size();
    }
    if (count_ >= static_cast<int>(kMaxMenuItems) || !list.AddItem(ToU16(text), commandId)) {
        return false;
    }
    ++count_;
    return true;
}

bool CBmpMenu::AddSubItem(std::size_t itemIndex, std::wstring_view text, std::uint32_t commandId) {
    return SharedBmpMenuList().AddSubItem(itemIndex, ToU16(text), commandId);
}

bool CBmpMenu::Open(HWND owner) {
    owner_ = owner;
    const int width = skin().normal.width();
    if (!CreatePopup(*this, L"K2qBmpMenu", owner, x_, y_, width, skin().normal.height())) {
        return false;
    }
    for (int i = 0; i < count_; ++i) {
        auto button = std::make_unique<CBitmapBtn>();
        const skin::Rect rect = MenuItemRect(i, width);
        if (button->Create(hwnd(), static_cast<UINT>(i + 1), rect)) {
            button->SetSkin(skin().normal, skin().over, skin().down, checkedImage_, rect);
            button->SetCaption(ToWide(Item(i).Text()), 0, 0, 1);
        }
        buttons_.push_back(std::move(button));
    }
    ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    return true;
}

CBitmapBtn* CBmpMenu::ItemButton(int i) {
    if (i < 0 || i >= static_cast<int>(buttons_.size())) {
        return nullptr;
    }
    return buttons_[static_cast<std::size_t>(i)].get();
}

void CBmpMenu::SetItemState(std::wstring_view text, bool checked, bool toggle) {
    for (const auto& button : buttons_) {
        if (button->hwnd() && button->caption() == text) {
            button->SetToggleMode(toggle);
            button->SetChecked(checked);
            return;
        }
    }
}

void CBmpMenu::OpenSubmenu(int i) {
    tagBMPMENUINFO& item = Item(i);
    const int entries = static_cast<int>(std::min(item.submenu.size(), kMaxMenuItems));
    SubmenuPlacement place;
    place.menuX = x_;
    place.menuY = y_;
    place.menuWidth = skin().normal.width();
    place.submenuWidth = subImages_.normal.width();
    place.submenuHeight = subImages_.normal.height();
    place.item = i;
    place.entries = entries;
    place.areaWidth = ::GetSystemMetrics(SM_CXFULLSCREEN);
    place.areaHeight = ::GetSystemMetrics(SM_CYFULLSCREEN);
    const skin::Point at = SubmenuOrigin(place);
    auto submenu = std::make_unique<CSubBmpMenu>();
    if (!submenu->Open(hwnd(), i, item.submenu, subImages_, POINT{at.x, at.y})) {
        return;
    }
    submenu_ = std::move(submenu);
    item.submenuOpen = true;
}

void CBmpMenu::CloseSubmenu() {
    if (!submenu_) {
        return;
    }
    const int i = submenu_->itemIndex();
    submenu_.reset();  // destroys its window
    if (i >= 0 && i < count_ && ItemsListed()) {
        Item(i).submenuOpen = false;
    }
}

bool CBmpMenu::ItemsListed() const {
    return first_ + static_cast<std::size_t>(count_) <= SharedBmpMenuList().size();
}

void CBmpMenu::OnMouseMove(UINT, POINT) {
    const POINT pointer = MessageScreenPoint();
    const int items = ItemsListed() ? static_cast<int>(buttons_.size()) : 0;
    for (int i = 0; i < items; ++i) {
        if (!buttons_[i]->hwnd()) {
            continue;
        }
        RECT r;
        ::GetWindowRect(buttons_[i]->hwnd(), &r);
        tagBMPMENUINFO& item = Item(i);
        if (::PtInRect(&r, pointer)) {
            if (submenu_ && submenu_->itemIndex() == i) {
                break;
            }
            CloseSubmenu();
            if (item.hasSubmenu && !item.submenuOpen) {
                OpenSubmenu(i);
            }
        } else if (item.submenuOpen && submenu_ && submenu_->itemIndex() == i) {
            RECT sub;
            ::GetWindowRect(submenu_->hwnd(), &sub);
            if (!::PtInRect(&sub, pointer)) {
                CloseSubmenu();
            }
        }
    }
    Default();
}

void CBmpMenu::OnCommand(UINT, UINT, HWND control) {
    const int items = ItemsListed() ? static_cast<int>(buttons_.size()) : 0;
    for (int i = 0; i < items; ++i) {
        if (buttons_[i]->hwnd() != control) {
            continue;
        }
        const tagBMPMENUINFO& item = Item(i);
        if (!item.hasSubmenu) {
            const MenuChoice choice = ItemChoice(i, item.commandId);
            ::PostMessageW(owner_, WM_BMPMENU_CHOSEN, choice.wParam, choice.lParam);
        }
        return;
    }
}

LRESULT CBmpMenu::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_BMPMENU_SUBCHOSEN) {
        const int i = ChosenItemIndex(wParam);
        if (i < count_ && ItemsListed()) {
            const MenuChoice choice =
                ForwardedChoice(static_cast<std::uint32_t>(wParam), Item(i).commandId,
                                static_cast<std::uint32_t>(lParam));
            ::PostMessageW(owner_, WM_BMPMENU_CHOSEN, choice.wParam, choice.lParam);
        }
        return 0;
    }
    return SkinnedWindow::WndProc(msg, wParam, lParam);
}

void CBmpMenu::CloseMenu() {
    CloseSubmenu();
    buttons_.clear();
    Destroy();
    UseSkin({});
    checkedImage_ = {};
    subImages_ = {};
    SharedBmpMenuList().Clear();  // frees every item's submenu list with it
    count_ = 0;
    first_ = 0;
}

}  // namespace k2q::win
