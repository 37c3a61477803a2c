#include "config/shell/MainMenus.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "config/shell/MainButtons.h"
#include "config/shell/ProfileCommands.h"

namespace k2q::config {
namespace {

constexpr MainMenu kMenus[] = {MainMenu::Profile, MainMenu::Setting, MainMenu::Help,
                               MainMenu::Link};

const skin::WindowEntry* PictureOf(std::u16string_view area, std::u16string_view file) {
    for (const skin::FileEntry& f : skin::kFiles) {
        if (f.file != file) {
            continue;
        }
        for (const skin::WindowEntry& w : skin::kWindows) {
            if (w.window == f.window && w.area == area) {
                return &w;
            }
        }
    }
    return nullptr;
}

TEST(MainMenus, EachCommandIsOfferedOnceByAMenuWhosePicturesHoldItsItems) {
    std::set<std::uint16_t> commands;
    for (MainMenu menu : kMenus) {
        const MainMenuLayout& layout = LayoutOf(menu);
        for (const MainMenuItem& item : layout.items) {
            EXPECT_TRUE(commands.insert(item.command).second) << item.command;
        }
        for (std::u16string_view file : layout.images) {
            const skin::WindowEntry* picture = PictureOf(layout.area, file);
            ASSERT_NE(picture, nullptr) << std::string(file.begin(), file.end());
            // Items are 23 pixels high at a 24-pixel pitch, drawn from the top of the picture.
            EXPECT_GE(picture->height, 24 * static_cast<int>(layout.items.size()) - 1);
        }
        // Every menu opens on the bottom edge of the menu bar.
        EXPECT_EQ(layout.anchor.y, skin::main_dialog::kProfile.bottom);
    }
    EXPECT_EQ(commands.size(), kLastMainCommand - kFirstMainCommand + 1u);
    EXPECT_EQ(*commands.begin(), kFirstMainCommand);
    EXPECT_EQ(*commands.rbegin(), kLastMainCommand);
}

TEST(MainMenus, EachMenuOpensUnderItsOwnButton) {
    const skin::Rect buttons[] = {skin::main_dialog::kProfile, skin::main_dialog::kSetting,
                                  skin::main_dialog::kHelp, skin::main_dialog::kLink};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(LayoutOf(kMenus[i]).anchor.x, buttons[i].left) << i;
    }
    // Pressing an item of the setting menu uses its own pressed picture.
    EXPECT_EQ(LayoutOf(MainMenu::Setting).images[2], skin::menu2::kDownAltFile);
    EXPECT_EQ(LayoutOf(MainMenu::Profile).images[2], skin::menu2::kDownFile);
}

TEST(MainMenus, TheSettingMenuMarksThePageOnDisplay) {
    for (int page : {0, 1}) {
        const auto states = SettingMenuStates(page);
        for (const MenuItemState& state : states) {
            const bool shows = (state.text == UiKey::tc_assign && page == 0) ||
                               (state.text == UiKey::tc_sensitivity && page == 1);
            EXPECT_EQ(state.checked, shows) << page;
            EXPECT_EQ(state.toggle, shows) << page;
        }
        EXPECT_NE(states[0].text, states[1].text);
    }
}

TEST(MainButtons, EveryActionHasOneButtonInsideTheDialogAndNoneOverlaps) {
    const auto buttons = MainButtons();
    std::set<MainAction> actions;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const skin::Rect& r = buttons[i].rect;
        EXPECT_TRUE(actions.insert(buttons[i].action).second) << i;
        EXPECT_GT(r.Width(), 0) << i;
        EXPECT_GT(r.Height(), 0) << i;
        EXPECT_LE(r.right, skin::main_dialog::kWidth) << i;
        EXPECT_LE(r.bottom, skin::main_dialog::kHeight) << i;
        for (std::size_t j = i + 1; j < buttons.size(); ++j) {
            const skin::Rect& o = buttons[j].rect;
            const bool apart = r.right <= o.left || o.right <= r.left || r.bottom <= o.top ||
                               o.bottom <= r.top;
            EXPECT_TRUE(apart) << i << " overlaps " << j;
        }
        // The page area lies below the buttons above it and above those below it.
        const skin::Rect& page = skin::main_dialog::kPageArea;
        EXPECT_TRUE(r.bottom <= page.top || r.top >= page.bottom) << i;
    }
    EXPECT_EQ(actions.size(), 12u);
    // The window buttons carry symbols, every other button its text.
    for (const MainButtonEntry& b : buttons) {
        const bool symbol = b.action == MainAction::Close || b.action == MainAction::Minimize;
        EXPECT_EQ(b.caption.has_value(), !symbol);
    }
}

TEST(ProfileCommands, FilterOffersProfilesInTheSystemsFormat) {
    using namespace std::string_literals;
    EXPECT_EQ(ProfileFilter(u"Setup"), u"K2q Setup(*.K2q)\0*.K2q\0\0"s);
    // A translated text with the old separator stays one description.
    EXPECT_EQ(ProfileFilter(u"A|B"), u"K2q A|B(*.K2q)\0*.K2q\0\0"s);
    EXPECT_EQ(ProfileFilter(u""), u"K2q (*.K2q)\0*.K2q\0\0"s);
}

TEST(ProfileCommands, EveryFailureToWriteOrReadIsReported) {
    EXPECT_EQ(ExportFailureMessage(ProfileWrite::Written), std::nullopt);
    for (ProfileWrite failed :
         {ProfileWrite::NotCreated, ProfileWrite::WriteFailed, ProfileWrite::NotReplaced}) {
        EXPECT_EQ(ExportFailureMessage(failed), UiKey::tc_config_out_msg);
    }
    const struct {
        ProfileRead read;
        bool reported;
    } reads[] = {
        {{true, false, kProfileSize}, false},
        {{true, false, 50}, false},  // a short file is taken as far as it goes
        {{false, false, 0}, true},
        {{true, true, 0}, true},
    };
    for (const auto& r : reads) {
        EXPECT_EQ(ImportFailureMessage(r.read).has_value(), r.reported);
    }
}

}  // namespace
}  // namespace k2q::config
