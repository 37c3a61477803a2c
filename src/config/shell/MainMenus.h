// The four menus of the main dialog's menu bar (profile, setting, help, link): their pictures,
// where they open and what they offer, and which item of the setting menu shows the page on
// display.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "common/localization/UiStrings.h"
#include "common/ui/SkinLayout.h"

namespace k2q::config {

enum class MainMenu : std::uint8_t { Profile, Setting, Help, Link };

// The item identifiers of the main menus, as WM_BMPMENU_CHOSEN reports them.
enum MainCommand : std::uint16_t {
    kImportProfile = 40,
    kExportProfile = 41,
    kShowButtonPage = 42,
    kShowSensitivityPage = 43,
    kOpenHelp = 44,
    kOpenHomePage = 45,
    kOpenForum = 46,
    kShowAbout = 47,
};
inline constexpr std::uint16_t kFirstMainCommand = kImportProfile;
inline constexpr std::uint16_t kLastMainCommand = kShowAbout;

struct MainMenuItem {
    UiKey text;
    std::uint16_t command;
};

struct MainMenuLayout {
    // Normal, over, down and checked pictures, in the skin area below.
    std::u16string_view area;
    std::array<std::u16string_view, 4> images;
    // The menu's top-left corner in the main dialog's client area: under its menu-bar button.
    skin::Point anchor;
    std::span<const MainMenuItem> items;
};

const MainMenuLayout& LayoutOf(MainMenu menu);

// The looks of the setting menu's two items for the page on display, in the order they are
// set: the current page's item checked (in toggle mode, so it keeps the look), the other plain.
struct MenuItemState {
    UiKey text;
    bool checked;
    bool toggle;
};
std::array<MenuItemState, 2> SettingMenuStates(int currentPage);

}  // namespace k2q::config
