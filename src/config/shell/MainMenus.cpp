#include "config/shell/MainMenus.h"

namespace k2q::config {
namespace {

constexpr MainMenuItem kProfileItems[] = {
    {UiKey::tc_config_in, kImportProfile},
    {UiKey::tc_config_out, kExportProfile},
};
constexpr MainMenuItem kSettingItems[] = {
    {UiKey::tc_assign, kShowButtonPage},
    {UiKey::tc_sensitivity, kShowSensitivityPage},
};
constexpr MainMenuItem kHelpItems[] = {
    {UiKey::tc_helpfile, kOpenHelp},
};
constexpr MainMenuItem kLinkItems[] = {
    {UiKey::tc_link_tvkmain, kOpenHomePage},
    {UiKey::tc_link_fam, kOpenForum},
    {UiKey::tc_about, kShowAbout},
};

// The checked picture of every menu is its normal one; the setting menu presses with its own
// alternative picture.
const MainMenuLayout kLayouts[] = {
    {skin::menu2::kArea,
     {skin::menu2::kNormalFile, skin::menu2::kOverFile, skin::menu2::kDownFile,
      skin::menu2::kNormalFile},
     skin::main_dialog::kProfileMenu,
     kProfileItems},
    {skin::menu2::kArea,
     {skin::menu2::kNormalFile, skin::menu2::kOverFile, skin::menu2::kDownAltFile,
      skin::menu2::kNormalFile},
     skin::main_dialog::kSettingMenu,
     kSettingItems},
    {skin::menu1::kArea,
     {skin::menu1::kNormalFile, skin::menu1::kOverFile, skin::menu1::kDownFile,
      skin::menu1::kNormalFile},
     skin::main_dialog::kHelpMenu,
     kHelpItems},
    {skin::menu3::kArea,
     {skin::menu3::kNormalFile, skin::menu3::kOverFile, skin::menu3::kDownFile,
      skin::menu3::kNormalFile},
     skin::main_dialog::kLinkMenu,
     kLinkItems},
};

}  // namespace

const MainMenuLayout& LayoutOf(MainMenu menu) {
    return kLayouts[static_cast<int>(menu)];
}

std::array<MenuItemState, 2> SettingMenuStates(int currentPage) {
    const bool sensitivity = currentPage == 1;
    return {{
        {UiKey::tc_sensitivity, sensitivity, sensitivity},
        {UiKey::tc_assign, !sensitivity, !sensitivity},
    }};
}

}  // namespace k2q::config
