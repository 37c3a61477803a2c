#include "common/ui/BmpMenuModel.h"

#include <gtest/gtest.h>

#include <string>

namespace k2q {
namespace {

TEST(BmpMenuModel, ItemsStandAtA24PixelPitchAndSubmenusGrowWithTheirEntries) {
    EXPECT_EQ(MenuItemRect(0, 150), (skin::Rect{0, 0, 150, 23}));
    EXPECT_EQ(MenuItemRect(3, 150), (skin::Rect{0, 72, 150, 95}));  // rows Y+72 .. Y+94
    EXPECT_EQ(SubmenuEntryRect(2, 150), (skin::Rect{0, 48, 150, 72}));
    EXPECT_EQ(SubmenuHeight(5), 121);
}

TEST(BmpMenuModel, SubmenuOpensBesideItsItemWhereverItFits) {
    // Menu at (100, 100), 150 wide; submenu picture 150 x 193; item 2; 5 entries.
    const auto at = [](int areaWidth, int areaHeight, int menuX = 100) {
        return SubmenuOrigin({menuX, 100, 150, 150, 193, 2, 5, areaWidth, areaHeight});
    };
    EXPECT_EQ(at(1920, 1080), (skin::Point{250, 148}));       // right, top at the item
    EXPECT_EQ(at(1920, 300), (skin::Point{250, 100 - 48}));   // too low: bottom at the item
    EXPECT_EQ(at(399, 1080), (skin::Point{-50, 148}));        // too narrow: left
    EXPECT_EQ(at(399, 300), (skin::Point{-50, 52}));          // neither
    EXPECT_EQ(at(400, 1080), (skin::Point{250, 148}));        // ending exactly at the edge
    EXPECT_EQ(at(1920, 148 + 193), (skin::Point{250, 148}));  // exactly fits below
    EXPECT_EQ(at(1920, 148 + 192), (skin::Point{250, 52}));
}

TEST(BmpMenuModel, ChoicesPackIndexesAndIdentifiersIntoTheirWords) {
    // An item with identifier 40 and no submenu, the item at index 1.
    const MenuChoice item = ItemChoice(1, 40);
    EXPECT_EQ(item, (MenuChoice{0x10000, 40u << 16}));
    EXPECT_EQ(ChosenItemId(item.lParam), 40);
    EXPECT_EQ(ChosenEntryId(item.lParam), 0);

    // Entry 3 (identifier 66) of the submenu of item 4 (identifier 14).
    const MenuChoice sub = SubmenuChoice(4, 3, 66);
    EXPECT_EQ(sub, (MenuChoice{0x40003, 66}));
    const MenuChoice chosen = ForwardedChoice(sub.wParam, 14, 66);
    EXPECT_EQ(ChosenItemId(chosen.lParam), 14);
    EXPECT_EQ(ChosenEntryId(chosen.lParam), 66);
    EXPECT_EQ(ChosenItemIndex(chosen.wParam), 4);
    EXPECT_EQ(ChosenEntryIndex(chosen.wParam), 3);

    // Only the low 16 bits of an identifier travel.
    EXPECT_EQ(ChosenItemId(ItemChoice(0, 0x12345).lParam), 0x2345);
    EXPECT_EQ(SubmenuChoice(0, 0, 0xABCDE).lParam, 0xBCDEu);
}

TEST(BmpMenuModel, TheSharedListRefusesWhatTheWindowsCannotHold) {
    BmpMenuList list;
    EXPECT_FALSE(list.AddSubItem(0, u"entry", 1));  // no item yet
    for (std::size_t i = 0; i < kMaxMenuItems; ++i) {
        ASSERT_TRUE(list.AddItem(u"item", static_cast<std::uint32_t>(i)));
    }
    EXPECT_FALSE(list.AddItem(u"one too many", 999));
    EXPECT_EQ(list.size(), kMaxMenuItems);

    EXPECT_FALSE(list[5].hasSubmenu);
    for (std::size_t i = 0; i < kMaxMenuItems; ++i) {
        ASSERT_TRUE(list.AddSubItem(5, u"entry", 7));
    }
    EXPECT_TRUE(list[5].hasSubmenu);
    EXPECT_FALSE(list.AddSubItem(5, u"one too many", 8));
    EXPECT_FALSE(list.AddSubItem(kMaxMenuItems, u"no such item", 8));
    EXPECT_EQ(list[5].submenu.size(), kMaxMenuItems);

    list.Clear();
    EXPECT_EQ(list.size(), 0u);
}

TEST(BmpMenuModel, ItemTextsAreCutToTheirFieldAndStayTerminated) {
    tagBMPMENUINFO item;
    item.SetText(u"Copy");
    EXPECT_EQ(item.Text(), u"Copy");
    const std::u16string longText(400, u'x');
    item.SetText(longText);
    EXPECT_EQ(item.Text().size(), 259u);
    EXPECT_EQ(item.text[259], u'\0');
    item.SetText(u"");
    EXPECT_EQ(item.Text(), u"");
}

}  // namespace
}  // namespace k2q
