// The macro editor's owner-drawn list on the screen, driven with the real pointer and
// keyboard: icons and text offsets by pixels, the in-place edit, and the two notifications.
#include "config/macro/win/ListBoxEx.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "common/Messages.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/SkinImage.h"
#include "common/win/Gdiplus.h"
#include "support/win/MessagePump.h"
#include "support/win/Screenshot.h"
#include "support/win/UserInput.h"

namespace k2q::config::win {
namespace {

using namespace std::chrono_literals;
using testing::CaptureScreen;
using testing::LeftClick;
using testing::LeftDoubleClick;
using testing::PressKey;
using testing::PumpFor;
using testing::PumpUntil;
using testing::ScreenPixels;
using testing::ScreenPointOf;

constexpr int kListId = 1550;
constexpr int kItemHeight = 16;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kText = RGB(56, 69, 89);
constexpr COLORREF kSelectedText = RGB(235, 141, 36);
constexpr COLORREF kSelection = RGB(20, 20, 20);

std::uint32_t Rgb(COLORREF c) {
    return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

// A window that hosts one list, as the editor does, and notes what the list posts to it.
class Host : public k2q::win::Window {
  public:
    struct Posted {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Posted> posted;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_LISTBOXEX_EDITED || msg == WM_LISTBOXEX_SELCHANGED) {
            posted.push_back({msg, wParam, lParam});
            return 0;
        }
        return Window::WndProc(msg, wParam, lParam);
    }
};

// Types one character as a user would with an input method: a Unicode key event.
void TypeCharacter(wchar_t c) {
    INPUT input[2]{};
    for (INPUT& i : input) {
        i.type = INPUT_KEYBOARD;
        i.ki.wScan = c;
        i.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
}

void Type(const char* letters) {
    for (const char* p = letters; *p; ++p) {
        PressKey(static_cast<WORD>(*p));
    }
}

class ListBoxExTest : public ::testing::Test {
  protected:
    void SetUp() override {
        k2q::win::Window::CreateParams p;
        p.className = L"K2qListHost";
        p.style = WS_POPUP | WS_VISIBLE;
        p.x = 200;
        p.y = 150;
        p.width = 200;
        p.height = 220;
        ASSERT_TRUE(host.Create(p));
        ::SetForegroundWindow(host.hwnd());
        list.SetItemHeight(kItemHeight);
        list.SetColours(kText, kSelectedText, kSelection);
        list.SetBackground(kBlack);
        ASSERT_TRUE(list.Create(host.hwnd(), kListId, RECT{10, 10, 134, 190}));
        PumpFor(50ms);
    }
    void TearDown() override { host.Destroy(); }

    // The screen point in the middle of an item's row.
    POINT ItemPoint(int index, int x = 40) {
        return ScreenPointOf(list.hwnd(), x, index * kItemHeight + kItemHeight / 2);
    }
    void DoubleClickItem(int index) {
        const POINT pt = ItemPoint(index);
        LeftDoubleClick(pt.x, pt.y);
        ASSERT_TRUE(PumpUntil([&] { return list.editing(); }, 3s));
    }
    ScreenPixels Shot() {
        PumpFor(80ms);
        RECT r;
        ::GetWindowRect(list.hwnd(), &r);
        return CaptureScreen(r);
    }
    // The first column from `from` on whose pixels in the item's row differ from `ground`.
    static int FirstInk(const ScreenPixels& s, int index, int from, std::uint32_t ground) {
        for (int x = from; x < s.width; ++x) {
            for (int y = index * kItemHeight; y < (index + 1) * kItemHeight; ++y) {
                if (s.At(x, y) != ground) {
                    return x;
                }
            }
        }
        return -1;
    }

    testing::PointerGuard pointer;
    k2q::win::GdiplusSession gdiplus;
    Host host;
    CListBoxEx list;
};

TEST_F(ListBoxExTest, DrawsTheIconOfTheKindBySelectionAndTheTextAtItsOffset) {
    list.AddListItem(L"MMM", kItemPlain);
    list.AddListItem(L"MMM", kItemPress);
    list.AddListItem(L"MMM", kItemPause);
    list.AddListItem(L"MMM", kItemIndented);
    list.AddListItem(L"MMM", 9);
    EXPECT_EQ(list.Selection(), 4);  // adding selects the newest item
    EXPECT_EQ(list.ItemKind(2), kItemPause);

    const auto icon = [](std::u16string_view file) {
        return k2q::win::LoadSkinImage(k2q::win::MakeSkinPath(skin::macro_icon::kArea, file));
    };
    const k2q::win::SkinImage down1 = icon(skin::macro_icon::kPressFile);
    const k2q::win::SkinImage down2 = icon(skin::macro_icon::kPressSelectedFile);
    ASSERT_FALSE(down1.empty());
    ASSERT_FALSE(down2.empty());
    // Pixels where the two pictures are opaque and differ show which one was drawn.
    std::vector<POINT> telling;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            Gdiplus::Color a, b;
            down1.bitmap()->GetPixel(x, y, &a);
            down2.bitmap()->GetPixel(x, y, &b);
            if (a.GetA() == 255 && b.GetA() == 255 && (a.GetValue() != b.GetValue())) {
                telling.push_back({x, y});
            }
        }
    }
    ASSERT_FALSE(telling.empty());
    const auto pictureAt = [](const k2q::win::SkinImage& image, POINT p) {
        Gdiplus::Color c;
        image.bitmap()->GetPixel(p.x, p.y, &c);
        return c.GetValue() & 0x00FFFFFF;
    };

    for (int selected : {1, 2}) {
        ::SendMessageW(list.hwnd(), LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        const ScreenPixels s = Shot();
        testing::SavePng(s, testing::ScreenshotPath(L"macro_list_selected" +
                                                    std::to_wstring(selected) + L".png"));
        const k2q::win::SkinImage& shown = selected == 1 ? down2 : down1;
        for (const POINT& p : telling) {
            ASSERT_EQ(s.At(5 + p.x, kItemHeight + p.y), pictureAt(shown, p))
                << "selected " << selected << " at " << p.x << "," << p.y;
        }
        // Plain text 5 pixels in, text behind an icon (or where one would be) 26 pixels in.
        const std::uint32_t ground0 = Rgb(kBlack);
        EXPECT_LE(std::abs(FirstInk(s, 0, 0, ground0) - 5), 2);
        for (int item : {2, 3, 4}) {
            const std::uint32_t ground = Rgb(item == selected ? kSelection : kBlack);
            EXPECT_LE(std::abs(FirstInk(s, item, 21, ground) - 26), 2) << item;
        }
        EXPECT_EQ(FirstInk(s, 3, 0, Rgb(kBlack)), FirstInk(s, 3, 21, Rgb(kBlack)));  // no icon
        EXPECT_EQ(s.At(100, selected * kItemHeight + 1), Rgb(kSelection));
        EXPECT_EQ(s.At(100, (3 - selected) * kItemHeight + 1), Rgb(kBlack));
        EXPECT_EQ(s.At(60, 170), Rgb(kBlack));  // below the items: the background brush
    }

    // Disabled, the list's background is the inactive border colour.
    ::EnableWindow(list.hwnd(), FALSE);
    const ScreenPixels off = Shot();
    EXPECT_EQ(off.At(60, 170), Rgb(::GetSysColor(COLOR_INACTIVEBORDER)));
}

TEST_F(ListBoxExTest, ADoubleClickOpensTheEditOnlyWithRenamingOnAndItTakesTenCharacters) {
    list.AddListItem(L"alpha", kItemPlain);
    list.AddListItem(L"beta", kItemPlain);
    const POINT pt = ItemPoint(1);
    LeftDoubleClick(pt.x, pt.y);
    PumpFor(150ms);
    EXPECT_FALSE(list.editing());
    EXPECT_EQ(CListBoxEx::Editing(), nullptr);

    list.SetRenaming(true);
    DoubleClickItem(1);
    EXPECT_EQ(CListBoxEx::Editing(), &list);
    RECT item{}, edit{};
    ::SendMessageW(list.hwnd(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    ::GetWindowRect(list.editWindow(), &edit);
    ::MapWindowPoints(nullptr, list.hwnd(), reinterpret_cast<POINT*>(&edit), 2);
    EXPECT_EQ(edit.left, item.left);
    EXPECT_EQ(edit.top, item.top);
    EXPECT_EQ(edit.right, item.right);
    EXPECT_EQ(edit.bottom, item.bottom);
    EXPECT_EQ(::GetFocus(), list.editWindow());

    Type("ABCDEFGHIJKL");  // replaces the selected text; two too many
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !host.posted.empty(); }, 3s));
    EXPECT_EQ(list.ItemText(1), L"abcdefghij");
}

TEST_F(ListBoxExTest, EnterCommitsAndPostsTheEditEscCancelsAndPostsNothing) {
    list.SetRenaming(true);
    list.AddListItem(L"alpha", kItemPress);
    list.AddListItem(L"beta", kItemPlain);
    list.AddListItem(L"gamma", kItemPlain);

    DoubleClickItem(0);
    host.posted.clear();  // the click's own selection change
    Type("ZED");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !list.editing(); }, 3s));
    PumpFor(50ms);
    EXPECT_TRUE(host.posted.empty());
    EXPECT_EQ(list.ItemText(0), L"alpha");
    EXPECT_EQ(list.ItemKind(0), kItemPress);
    EXPECT_EQ(list.Selection(), 0);
    EXPECT_EQ(list.editWindow(), nullptr);

    DoubleClickItem(0);
    host.posted.clear();
    Type("ZED");
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !host.posted.empty(); }, 3s));
    ASSERT_EQ(host.posted.size(), 1u);
    EXPECT_EQ(host.posted[0].msg, WM_LISTBOXEX_EDITED);
    EXPECT_EQ(host.posted[0].wParam, static_cast<WPARAM>(kListId));
    EXPECT_EQ(host.posted[0].lParam, 0);
    EXPECT_EQ(list.ItemText(0), L"zed");
    EXPECT_EQ(list.ItemKind(0), kItemPlain);  // the kind is not kept
    EXPECT_EQ(list.Selection(), 0);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_FALSE(list.editing());
}

TEST_F(ListBoxExTest, ClickingElsewhereCommitsAndAddingAnItemClosesWithoutCommitting) {
    list.SetRenaming(true);
    list.AddListItem(L"alpha", kItemPlain);
    list.AddListItem(L"beta", kItemPlain);

    DoubleClickItem(1);
    Type("Q");
    const POINT other = ItemPoint(0);
    LeftClick(other.x, other.y);
    ASSERT_TRUE(PumpUntil([&] { return !list.editing(); }, 3s));
    PumpFor(50ms);
    EXPECT_EQ(list.ItemText(1), L"q");
    ASSERT_GE(host.posted.size(), 1u);
    bool edited = false;
    for (const auto& p : host.posted) {
        edited |= p.msg == WM_LISTBOXEX_EDITED && p.lParam == 1;
    }
    EXPECT_TRUE(edited);

    DoubleClickItem(0);
    Type("W");
    host.posted.clear();
    list.AddListItem(L"gamma", kItemPlain);
    EXPECT_FALSE(list.editing());
    EXPECT_EQ(CListBoxEx::Editing(), nullptr);
    PumpFor(50ms);
    EXPECT_TRUE(host.posted.empty());
    EXPECT_EQ(list.ItemText(0), L"alpha");
    EXPECT_EQ(list.Selection(), 2);
}

TEST_F(ListBoxExTest, ANameKeepsOnlyWhatTheAnsiCodePageCanWrite) {
    if (::GetACP() != 1252) {
        GTEST_SKIP() << "written for the western code page";
    }
    list.SetRenaming(true);
    list.AddListItem(L"alpha", kItemPlain);
    DoubleClickItem(0);
    TypeCharacter(L'\u00e9');  // in the code page
    TypeCharacter(L'\u03a9');  // not in it
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !list.editing(); }, 3s));
    // The page writes é; Ω comes back as whatever the page makes of it, never as Ω.
    const std::wstring name = list.ItemText(0);
    ASSERT_EQ(name.size(), 2u);
    EXPECT_EQ(name[0], L'\u00e9');
    EXPECT_NE(name[1], L'\u03a9');
}

TEST_F(ListBoxExTest, OnlyAUsersSelectionChangeIsPosted) {
    list.AddListItem(L"alpha", kItemPlain);
    list.AddListItem(L"beta", kItemPlain);
    list.AddListItem(L"gamma", kItemPlain);
    PumpFor(30ms);
    ::SendMessageW(list.hwnd(), LB_SETCURSEL, 0, 0);
    PumpFor(50ms);
    EXPECT_TRUE(host.posted.empty());

    const POINT pt = ItemPoint(1);
    LeftClick(pt.x, pt.y);
    ASSERT_TRUE(PumpUntil([&] { return !host.posted.empty(); }, 3s));
    EXPECT_EQ(host.posted[0].msg, WM_LISTBOXEX_SELCHANGED);
    EXPECT_EQ(host.posted[0].wParam, static_cast<WPARAM>(kListId));
    EXPECT_EQ(host.posted[0].lParam, 0);
    EXPECT_EQ(list.Selection(), 1);
}

}  // namespace
}  // namespace k2q::config::win
