// The skinned popup menus' model: the item record, the one item list all menus share, item
// geometry, where a submenu opens, and how a choice is packed into its messages. The windows
// (ui/win/BmpMenu.h) perform these decisions.
//
// An owner decodes WM_BMPMENU_CHOSEN from lParam: ChosenItemId(lParam) names the menu item,
// ChosenEntryId(lParam) the submenu entry (0 for an item without submenu).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/ui/SkinLayout.h"

namespace k2q {

// One menu item, or one submenu entry (of which only text and commandId are used).
struct tagBMPMENUINFO {
    char16_t text[260] = {};  // zero-terminated; longer texts are cut
    bool hasSubmenu = false;
    bool submenuOpen = false;
    std::uint32_t commandId = 0;  // only the low 16 bits are reported
    std::vector<tagBMPMENUINFO> submenu;

    std::u16string_view Text() const;
    void SetText(std::u16string_view value);
};

// A menu window holds at most this many item buttons, a submenu this many entries.
inline constexpr std::size_t kMaxMenuItems = 100;

// The list of the open menu's items, in insertion order. Only one menu is open at a time, and
// closing it empties the list. User-interface thread only.
class BmpMenuList {
  public:
    // Appends an item; refused (false) when the list already holds kMaxMenuItems.
    bool AddItem(std::u16string_view text, std::uint32_t commandId);
    // Appends an entry to the submenu of item `index`; refused for an index outside the list
    // or a submenu that already holds kMaxMenuItems entries.
    bool AddSubItem(std::size_t index, std::u16string_view text, std::uint32_t commandId);
    void Clear() { items_.clear(); }

    std::size_t size() const { return items_.size(); }
    tagBMPMENUINFO& operator[](std::size_t i) { return items_[i]; }
    const tagBMPMENUINFO& operator[](std::size_t i) const { return items_[i]; }

  private:
    std::vector<tagBMPMENUINFO> items_;
};

// The program's one list.
BmpMenuList& SharedBmpMenuList();

// Items stand at a 24-pixel pitch from the top, 23 pixels high; submenu entries 24 high.
inline constexpr int kMenuItemPitch = 24;
inline constexpr int kMenuItemHeight = 23;
inline constexpr int kSubmenuEntryHeight = 24;

inline constexpr skin::Rect MenuItemRect(int index, int width) {
    return skin::FromXywh(0, kMenuItemPitch * index, width, kMenuItemHeight);
}
inline constexpr skin::Rect SubmenuEntryRect(int index, int width) {
    return skin::FromXywh(0, kMenuItemPitch * index, width, kSubmenuEntryHeight);
}
inline constexpr int SubmenuHeight(int entries) {
    return kMenuItemPitch * entries + 1;
}

struct SubmenuPlacement {
    int menuX = 0, menuY = 0;           // the menu's top-left corner on the screen
    int menuWidth = 0;                  // the menu picture's width
    int submenuWidth = 0;               // the submenu picture's width
    int submenuHeight = 0;              // the submenu picture's height
    int item = 0;                       // index of the item the submenu belongs to
    int entries = 0;                    // entries in the submenu
    int areaWidth = 0, areaHeight = 0;  // the full-screen work area
};

// Right of the menu when it fits there (ending exactly at the edge fits), else left of it; top
// aligned with the item when the submenu picture fits below, else bottom aligned with it.
skin::Point SubmenuOrigin(const SubmenuPlacement& p);

// The two words of a message parameter.
inline constexpr std::uint32_t PackWords(std::uint32_t high, std::uint32_t low) {
    return ((high & 0xFFFF) << 16) | (low & 0xFFFF);
}

struct MenuChoice {
    std::uint32_t wParam = 0;
    std::uint32_t lParam = 0;
    friend constexpr bool operator==(const MenuChoice&, const MenuChoice&) = default;
};

// WM_BMPMENU_CHOSEN for a clicked item without submenu.
inline constexpr MenuChoice ItemChoice(int itemIndex, std::uint32_t itemId) {
    return {PackWords(itemIndex, 0), PackWords(itemId, 0)};
}
// WM_BMPMENU_SUBCHOSEN from a submenu to its menu.
inline constexpr MenuChoice SubmenuChoice(int itemIndex, int entryIndex, std::uint32_t entryId) {
    return {PackWords(itemIndex, entryIndex), entryId & 0xFFFF};
}
// WM_BMPMENU_CHOSEN that a menu forwards for a submenu choice it received.
inline constexpr MenuChoice ForwardedChoice(std::uint32_t subWParam, std::uint32_t itemId,
                                            std::uint32_t entryId) {
    return {subWParam, PackWords(itemId, entryId)};
}

inline constexpr std::uint16_t ChosenItemId(std::uintptr_t lParam) {
    return static_cast<std::uint16_t>((lParam >> 16) & 0xFFFF);
}
inline constexpr std::uint16_t ChosenEntryId(std::uintptr_t lParam) {
    return static_cast<std::uint16_t>(lParam & 0xFFFF);
}
inline constexpr int ChosenItemIndex(std::uintptr_t wParam) {
    return static_cast<int>((wParam >> 16) & 0xFFFF);
}
inline constexpr int ChosenEntryIndex(std::uintptr_t wParam) {
    return static_cast<int>(wParam & 0xFFFF);
}

}  // namespace k2q
