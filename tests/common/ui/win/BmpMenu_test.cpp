// The skinned popup menus under a user's pointer, on the shipped menu pictures: items light
// up and report one choice, submenus open beside the item under the pointer and close when it
// moves to another item, and menus come and go without leaving GDI objects behind.
#include "common/ui/win/BmpMenu.h"

#include <gtest/gtest.h>

#include "common/Messages.h"
#include "common/ui/SkinLayout.h"
#include "support/win/GdiObjects.h"
#include "support/win/HandleCount.h"
#include "support/win/MessagePump.h"
#include "support/win/UserInput.h"
#include "UiHost.h"

namespace k2q::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kMenuX = 400, kMenuY = 300;

std::wstring MenuFile(std::u16string_view area, std::u16string_view file) {
    return win::MakeSkinPath(area, file);
}

class MenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open(50, 50, 200, 100));
        host.noted = {WM_BMPMENU_CHOSEN};
        MovePointer(100, 100);  // over the host, away from the menus
        PumpFor(20ms);
    }
    void TearDown() override {
        if (menu) {
            menu->CloseMenu();
        }
    }
    // The link menu: three items on menu3.
    void OpenLinkMenu() {
        namespace m = skin::menu3;
        menu = std::make_unique<win::CBmpMenu>();
        menu->SetMenuImages(MenuFile(m::kArea, m::kNormalFile), MenuFile(m::kArea, m::kOverFile),
                            MenuFile(m::kArea, m::kDownFile), MenuFile(m::kArea, m::kNormalFile));
        menu->SetPosition(kMenuX, kMenuY);
        ASSERT_TRUE(menu->AddItem(L"Home page", 45));
        ASSERT_TRUE(menu->AddItem(L"Forum", 46));
        ASSERT_TRUE(menu->AddItem(L"About", 47));
        ASSERT_TRUE(menu->Open(host.hwnd()));
        PumpFor(30ms);
    }
    // A function menu whose items 0 and 2 carry submenus.
    void OpenFunctionMenu() {
        namespace m = skin::function_menu;
        namespace s = skin::submenu;
        menu = std::make_unique<win::CBmpMenu>();
        menu->SetMenuImages(MenuFile(m::kArea, m::kNormalFile), MenuFile(m::kArea, m::kOverFile),
                            MenuFile(m::kArea, m::kDownFile), MenuFile(m::kArea, m::kNormalFile));
        menu->SetSubMenuImages(MenuFile(s::kArea, s::kNormalFile), MenuFile(s::kArea, s::kOverFile),
                               MenuFile(s::kArea, s::kDownFile),
                               MenuFile(s::kArea, s::kNormalFile));
        menu->SetPosition(kMenuX, kMenuY);
        ASSERT_TRUE(menu->AddItem(L"Basic functions", 14));
        ASSERT_TRUE(menu->AddItem(L"Left click", 1));
        ASSERT_TRUE(menu->AddItem(L"Media", 16));
        for (std::uint32_t id : {64, 65, 66, 67, 68}) {
            ASSERT_TRUE(menu->AddSubItem(0, L"Entry " + std::to_wstring(id), id));
        }
        ASSERT_TRUE(menu->AddSubItem(2, L"Play", 80));
        ASSERT_TRUE(menu->AddSubItem(2, L"Stop", 81));
        ASSERT_TRUE(menu->Open(host.hwnd()));
        PumpFor(30ms);
    }
    POINT ItemPoint(int i) const {
        return {kMenuX + 40, kMenuY + kMenuItemPitch * i + kMenuItemHeight / 2};
    }
    std::vector<Note> Choices() const { return host.Of(WM_BMPMENU_CHOSEN); }

    win::GdiplusSession gdiplus;
    PointerGuard pointer;
    RecordingHost host;
    std::unique_ptr<win::CBmpMenu> menu;
};

TEST_F(MenuTest, StandsAtItsPositionWithItemsAtA24PixelPitch) {
    OpenLinkMenu();
    RECT r;
    ::GetWindowRect(menu->hwnd(), &r);
    EXPECT_EQ(r.left, kMenuX);
    EXPECT_EQ(r.top, kMenuY);
    EXPECT_EQ(r.right - r.left, skin::menu3::kWidth);
    EXPECT_EQ(r.bottom - r.top, skin::menu3::kHeight);
    ASSERT_EQ(menu->itemCount(), 3);
    for (int i = 0; i < 3; ++i) {
        ::GetWindowRect(menu->ItemButton(i)->hwnd(), &r);
        EXPECT_EQ(r.top, kMenuY + 24 * i);
        EXPECT_EQ(r.bottom - r.top, 23);
        EXPECT_EQ(menu->ItemButton(i)->caption(), i == 0   ? L"Home page"
                                                  : i == 1 ? L"Forum"
                                                           : L"About");
    }
    EXPECT_NE(::GetActiveWindow(), menu->hwnd());  // the owner keeps the keyboard
}

TEST_F(MenuTest, HoveringLightsAnItemAndAClickReportsItOnce) {
    OpenLinkMenu();
    const POINT item1 = ItemPoint(1);
    const std::uint32_t resting = SettledPixel({item1.x - 35, item1.y});
    MovePointer(item1);
    ASSERT_TRUE(PumpUntil([&] { return menu->ItemButton(1)->hover(); }, 5s));
    EXPECT_NE(SettledPixel({item1.x - 35, item1.y}), resting);  // the over picture

    LeftClick(item1.x, item1.y);
    ASSERT_TRUE(PumpUntil([&] { return !Choices().empty(); }, 5s));
    PumpFor(50ms);
    ASSERT_EQ(Choices().size(), 1u);
    EXPECT_EQ(Choices()[0].wParam, WPARAM{1} << 16);
    EXPECT_EQ(ChosenItemId(Choices()[0].lParam), 46);
    EXPECT_EQ(ChosenEntryId(Choices()[0].lParam), 0);
}

TEST_F(MenuTest, SubmenusOpenBesideTheirItemAndCloseOnTheNeighbour) {
    OpenFunctionMenu();
    MovePointer(ItemPoint(0));
    ASSERT_TRUE(PumpUntil([&] { return menu->openSubmenu() != nullptr; }, 5s));
    RECT sub;
    ::GetWindowRect(menu->openSubmenu()->hwnd(), &sub);
    EXPECT_EQ(sub.left, kMenuX + skin::function_menu::kWidth);
    EXPECT_EQ(sub.top, kMenuY);
    EXPECT_EQ(sub.bottom - sub.top, SubmenuHeight(5));

    MovePointer(ItemPoint(1));
    ASSERT_TRUE(PumpUntil([&] { return menu->openSubmenu() == nullptr; }, 5s));

    MovePointer(ItemPoint(2));
    ASSERT_TRUE(PumpUntil([&] { return menu->openSubmenu() != nullptr; }, 5s));
    ::GetWindowRect(menu->openSubmenu()->hwnd(), &sub);
    EXPECT_EQ(sub.top, kMenuY + 48);
    EXPECT_EQ(menu->openSubmenu()->entryCount(), 2u);

    // Into the submenu: it stays open, and a click on its entry reaches the owner once.
    MovePointer(sub.left + 5, ItemPoint(2).y);
    const POINT stop{sub.left + 40, sub.top + 24 + 12};
    MovePointer(stop);
    ASSERT_TRUE(PumpUntil([&] { return menu->openSubmenu()->EntryButton(1)->hover(); }, 5s));
    ASSERT_NE(menu->openSubmenu(), nullptr);
    LeftClick(stop.x, stop.y);
    ASSERT_TRUE(PumpUntil([&] { return !Choices().empty(); }, 5s));
    PumpFor(50ms);
    ASSERT_EQ(Choices().size(), 1u);
    EXPECT_EQ(Choices()[0].wParam, WPARAM{(2 << 16) | 1});
    EXPECT_EQ(ChosenItemId(Choices()[0].lParam), 16);
    EXPECT_EQ(ChosenEntryId(Choices()[0].lParam), 81);
}

TEST_F(MenuTest, ClickingAnItemWithASubmenuReportsNothing) {
    OpenFunctionMenu();
    LeftClick(ItemPoint(0).x, ItemPoint(0).y);
    PumpFor(100ms);
    EXPECT_TRUE(Choices().empty());
}

TEST_F(MenuTest, AToggleItemShowsItsCheckedLookAndStillReports) {
    OpenLinkMenu();
    menu->SetItemState(L"Forum", true, true);
    menu->SetItemState(L"No such item", true, true);
    EXPECT_TRUE(menu->ItemButton(1)->checked());
    EXPECT_TRUE(menu->ItemButton(1)->toggleMode());
    EXPECT_FALSE(menu->ItemButton(0)->checked());
    EXPECT_FALSE(menu->ItemButton(2)->toggleMode());
    LeftClick(ItemPoint(1).x, ItemPoint(1).y);
    ASSERT_TRUE(PumpUntil([&] { return !Choices().empty(); }, 5s));
    EXPECT_FALSE(menu->ItemButton(1)->checked());
    EXPECT_EQ(ChosenItemId(Choices()[0].lParam), 46);
}

TEST_F(MenuTest, ClosingEmptiesTheSharedListAndDestroysTheWindows) {
    OpenFunctionMenu();
    MovePointer(ItemPoint(0));
    ASSERT_TRUE(PumpUntil([&] { return menu->openSubmenu() != nullptr; }, 5s));
    const HWND window = menu->hwnd();
    const HWND sub = menu->openSubmenu()->hwnd();
    menu->CloseMenu();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(::IsWindow(sub));
    EXPECT_EQ(SharedBmpMenuList().size(), 0u);
    menu.reset();
}

TEST_F(MenuTest, AThousandMenusLeaveNoGdiObjectsOrHandlesBehind) {
    // The link menu's bitmaps serve as both pictures: they decode fastest, and which pictures
    // a menu holds does not change what it must release.
    namespace m = skin::menu3;
    const std::wstring normal = MenuFile(m::kArea, m::kNormalFile);
    const std::wstring over = MenuFile(m::kArea, m::kOverFile);
    const std::wstring down = MenuFile(m::kArea, m::kDownFile);
    int round = 0;
    const auto cycle = [&] {
        menu = std::make_unique<win::CBmpMenu>();
        menu->SetMenuImages(normal, over, down, normal);
        menu->SetSubMenuImages(normal, over, down, normal);
        menu->SetPosition(kMenuX, kMenuY);
        menu->AddItem(L"Basic functions", 14);
        menu->AddItem(L"Left click", 1);
        menu->AddItem(L"Media", 16);
        menu->AddSubItem(0, L"Copy", 65);
        menu->AddSubItem(2, L"Play", 80);
        menu->Open(host.hwnd());
        // Every tenth round the pointer opens a submenu (another item than last time, so
        // there is a move to see).
        if (++round % 10 == 0) {
            MovePointer(ItemPoint(round % 20 == 0 ? 0 : 2));
            PumpUntil([&] { return menu->openSubmenu() != nullptr; }, 2s);
        } else {
            PumpQueued();
        }
        menu->CloseMenu();
        menu.reset();
    };
    for (int i = 0; i < 10; ++i) {
        cycle();  // the first rounds load what the process keeps (fonts, codecs, classes)
    }
    PumpFor(20ms);
    const DWORD gdi = GdiObjectCount();
    const DWORD handles = ProcessHandleCount();
    for (int i = 0; i < 1000; ++i) {
        cycle();
    }
    PumpFor(20ms);
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_LE(ProcessHandleCount(), handles + 2);  // room for the system's own late handles
    EXPECT_EQ(round, 1010);
}

}  // namespace
}  // namespace k2q::testing
