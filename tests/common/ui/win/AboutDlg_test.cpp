// The about box as a user meets it: it runs modally, so a second thread plays the user,
// moving the pointer, clicking and reading the screen, while the test's thread runs the
// dialog. The links' way of opening an address is replaced, so no browser starts.
#include "common/ui/win/AboutDlg.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "common/ui/SkinLayout.h"
#include "common/ui/WebAddresses.h"
#include "common/win/Text.h"
#include "support/UiTexts.h"
#include "support/win/GdiObjects.h"
#include "support/win/MessagePump.h"
#include "support/win/UserInput.h"
#include "UiHost.h"

namespace k2q::testing {
namespace {

using namespace std::chrono_literals;

// Screen colours (0x00RRGGBB) of the links: grey at rest, 0x0E72EE (0x00BBGGRR) under the
// pointer.
constexpr std::uint32_t kRestingInk = 0x949494;
constexpr std::uint32_t kHoverInk = 0xEE720E;

class FakeShell : public HyperlinkShell {
  public:
    explicit FakeShell(long result) : result_(result) {}
    std::atomic<int> opened{0};
    long ShellOpen(std::u16string_view) override {
        ++opened;
        return result_;
    }
    std::optional<std::u16string> ClassesRootDefault(std::u16string_view) override {
        return std::nullopt;
    }
    long Run(std::u16string_view) override { return 0; }

  private:
    long result_;
};

// The about box with its window made known to the user's thread.
class WatchedAbout : public win::CAboutDlg {
  public:
    std::atomic<HWND> shown{nullptr};

  protected:
    BOOL OnInitDialog() override {
        const BOOL result = CAboutDlg::OnInitDialog();
        shown = hwnd();
        return result;
    }
    void OnCommand(UINT id, UINT code, HWND control) override {
        if (id == IDABORT) {
            EndDialog(IDABORT);  // the test gave up waiting for the user's input to close it
            return;
        }
        CAboutDlg::OnCommand(id, code, control);
    }
};

int InkCount(HWND control, std::uint32_t rgb) {
    RECT r;
    ::GetWindowRect(control, &r);
    const ScreenPixels shot = CaptureScreen(r);
    int count = 0;
    for (std::uint32_t p : shot.rgb) {
        count += p == rgb;
    }
    return count;
}

HWND FindMessageBox(DWORD thread) {
    HWND found = nullptr;
    ::EnumThreadWindows(
        thread,
        [](HWND hwnd, LPARAM out) -> BOOL {
            wchar_t name[16] = {};
            ::GetClassNameW(hwnd, name, 16);
            if (std::wstring(name) == L"#32770" && ::IsWindowVisible(hwnd) &&
                ::GetDlgItem(hwnd, IDOK) && !win::Window::FromHandle(hwnd)) {
                *reinterpret_cast<HWND*>(out) = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring TextsOf(HWND dialog) {
    std::wstring all;
    ::EnumChildWindows(
        dialog,
        [](HWND child, LPARAM out) -> BOOL {
            wchar_t text[512] = {};
            ::GetWindowTextW(child, text, 512);
            *reinterpret_cast<std::wstring*>(out) += text;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

class AboutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LoadProgramUiTexts({{UiKey::tc_ok, u"OK"},
                            {UiKey::tc_version, u"Version 1.0"},
                            {UiKey::tc_suport, u"Support:"},
                            {UiKey::tc_tvkfam, u"Community:"},
                            {UiKey::tc_info, u"All rights reserved."}});
    }
    // Runs the box modally while `user` plays the user on another thread.
    INT_PTR RunWith(WatchedAbout& about, const std::function<void(HWND)>& user) {
        std::thread player([&] {
            if (!PollUntil([&] { return about.shown.load() != nullptr; })) {
                return;
            }
            ::GetDesktopWindow();
            HWND dialog = about.shown;
            user(dialog);
            // A test whose input went astray fails instead of leaving the dialog waiting.
            if (!PollUntil([&] { return !::IsWindow(dialog); }, 10s)) {
                ::PostMessageW(dialog, WM_COMMAND, IDABORT, 0);
            }
        });
        const INT_PTR result = about.DoModal(nullptr);
        player.join();
        return result;
    }

    win::GdiplusSession gdiplus;
    PointerGuard pointer;
};

TEST_F(AboutTest, LaysOutItsPictureCaptionsAndLinksAndClosesWithOk) {
    WatchedAbout about;
    RECT window{}, home{}, forum{};
    std::wstring homeText;
    std::uint32_t captionInk = 0;
    const INT_PTR result = RunWith(about, [&](HWND dialog) {
        PollUntil([&] { return ::IsWindowVisible(dialog) != FALSE; });
        ::Sleep(100);  // let it paint
        ::GetWindowRect(dialog, &window);
        ::GetWindowRect(::GetDlgItem(dialog, win::CAboutDlg::kHomeLinkId), &home);
        ::GetWindowRect(::GetDlgItem(dialog, win::CAboutDlg::kForumLinkId), &forum);
        wchar_t text[256] = {};
        ::GetWindowTextW(::GetDlgItem(dialog, win::CAboutDlg::kHomeLinkId), text, 256);
        homeText = text;
        // Somewhere in the version caption the grey text shows.
        const skin::Rect& v = skin::about::kVersionCaption;
        const ScreenPixels shot = CaptureScreen(RECT{window.left + v.left, window.top + v.top,
                                                     window.left + v.right, window.top + v.bottom});
        for (std::uint32_t p : shot.rgb) {
            if (p == 0x808080) {
                captionInk = p;
            }
        }
        const skin::Rect& ok = skin::about::kOk;
        LeftClick(window.left + (ok.left + ok.right) / 2, window.top + (ok.top + ok.bottom) / 2);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(window.right - window.left, skin::about::kWidth);
    EXPECT_EQ(window.bottom - window.top, skin::about::kHeight);
    EXPECT_EQ(window.left, (::GetSystemMetrics(SM_CXFULLSCREEN) - skin::about::kWidth) / 2);
    EXPECT_EQ(window.top, (::GetSystemMetrics(SM_CYFULLSCREEN) - skin::about::kHeight) / 2);
    // The links stand at their places, fitted to their text.
    EXPECT_EQ(home.left - window.left, 90);
    EXPECT_EQ(home.top - window.top, 92);
    EXPECT_EQ(forum.left - window.left, 105);
    EXPECT_EQ(forum.top - window.top, 107);
    EXPECT_GT(home.right - home.left, 20);
    EXPECT_LT(home.right - home.left, 240);
    EXPECT_EQ(homeText, win::ToWide(HomePageAddress()));
    EXPECT_EQ(captionInk, 0x808080u);
}

TEST_F(AboutTest, CloseButtonAndEscapeCancel) {
    {
        WatchedAbout about;
        EXPECT_EQ(RunWith(about,
                          [](HWND dialog) {
                              RECT w;
                              PollUntil([&] { return ::IsWindowVisible(dialog) != FALSE; });
                              ::GetWindowRect(dialog, &w);
                              const skin::Rect& c = skin::about::kClose;
                              LeftClick(w.left + (c.left + c.right) / 2,
                                        w.top + (c.top + c.bottom) / 2);
                          }),
                  IDCANCEL);
    }
    {
        WatchedAbout about;
        EXPECT_EQ(RunWith(about,
                          [](HWND dialog) {
                              ::SetForegroundWindow(dialog);  // the keys go to it
                              PollUntil([&] { return ::GetForegroundWindow() == dialog; });
                              PressKey(VK_ESCAPE);
                          }),
                  IDCANCEL);
    }
}

TEST_F(AboutTest, LinksLightUnderThePointerWithoutUnderlineAndOpenTheirAddress) {
    WatchedAbout about;
    FakeShell opens(42), unused(42);
    about.homeLink().SetShell(&opens);
    about.forumLink().SetShell(&unused);
    int restingBefore = 0, hoverWhileOver = 0, hoverAfter = 0, restingAfter = 0;
    bool underlined = true, tipShown = false, litAgain = false, handShown = false;
    bool visitedGrey = false, tipGone = false;
    std::wstring tipText;
    const INT_PTR result = RunWith(about, [&](HWND dialog) {
        HWND link = ::GetDlgItem(dialog, win::CAboutDlg::kHomeLinkId);
        PollUntil([&] { return InkCount(link, kRestingInk) > 0; });
        restingBefore = InkCount(link, kRestingInk);
        RECT r;
        ::GetWindowRect(link, &r);
        MovePointer(r.left + 5, (r.top + r.bottom) / 2);
        PollUntil([&] { return InkCount(link, kHoverInk) > 0; });
        hoverWhileOver = InkCount(link, kHoverInk);
        auto font = reinterpret_cast<HFONT>(::SendMessageW(link, WM_GETFONT, 0, 0));
        LOGFONTW lf{};
        ::GetObjectW(font, sizeof lf, &lf);
        underlined = lf.lfUnderline != 0;
        CURSORINFO cursor{sizeof cursor};
        ::GetCursorInfo(&cursor);
        handShown = cursor.hCursor != nullptr && cursor.hCursor == about.homeLink().cursor();
        // The tool tip names the address.
        HWND tip = about.homeLink().tooltip();
        tipShown = PollUntil([&] { return ::IsWindowVisible(tip) != FALSE; });
        wchar_t text[256] = {};
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = link;
        tool.uId = 1;
        tool.lpszText = text;
        ::SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        tipText = text;

        MovePointer(r.left - 40, r.bottom + 40);  // off the link, onto the background
        PollUntil([&] { return InkCount(link, kHoverInk) == 0 && InkCount(link, kRestingInk) > 0; },
                  2s);
        hoverAfter = InkCount(link, kHoverInk);
        tipGone = PollUntil([&] { return !::IsWindowVisible(tip); }, 2s);
        restingAfter = InkCount(link, kRestingInk);

        // A click opens the address; the visited link shows the same grey until the pointer
        // moves on it again.
        LeftClick(r.left + 5, (r.top + r.bottom) / 2);
        PollUntil([&] { return opens.opened.load() > 0; });
        visitedGrey = PollUntil(
            [&] { return InkCount(link, kHoverInk) == 0 && InkCount(link, kRestingInk) > 0; }, 2s);
        MovePointer(r.left + 7, (r.top + r.bottom) / 2);
        litAgain = PollUntil([&] { return InkCount(link, kHoverInk) > 0; }, 2s);
        ::SetForegroundWindow(dialog);
        PressKey(VK_RETURN);  // OK is the default button
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_GT(restingBefore, 0);
    EXPECT_GT(hoverWhileOver, 0);
    EXPECT_FALSE(underlined);
    EXPECT_TRUE(handShown);
    EXPECT_TRUE(tipShown);
    EXPECT_EQ(tipText, win::ToWide(HomePageAddress()));
    EXPECT_EQ(hoverAfter, 0);
    EXPECT_TRUE(tipGone);
    EXPECT_GT(restingAfter, 0);
    EXPECT_EQ(opens.opened.load(), 1);
    EXPECT_TRUE(about.homeLink().visited());
    EXPECT_TRUE(visitedGrey);
    EXPECT_TRUE(litAgain);
}

TEST_F(AboutTest, AFailedOpeningBeepsAndNamesTheReason) {
    WatchedAbout about;
    FakeShell fails(26), unused(42);
    about.forumLink().SetShell(&fails);
    about.homeLink().SetShell(&unused);
    std::wstring boxText;
    RECT forumRect{};
    const DWORD uiThread = ::GetCurrentThreadId();
    const INT_PTR result = RunWith(about, [&](HWND dialog) {
        HWND link = ::GetDlgItem(dialog, win::CAboutDlg::kForumLinkId);
        PollUntil([&] { return InkCount(link, kRestingInk) > 0; });
        RECT r;
        ::GetWindowRect(link, &r);
        forumRect = r;
        // The home link's tip, shown below the pointer, lies over the forum link: the click
        // meant for the forum link must still reach it.
        RECT home;
        ::GetWindowRect(::GetDlgItem(dialog, win::CAboutDlg::kHomeLinkId), &home);
        MovePointer(r.left + 5, (home.top + home.bottom) / 2);
        PollUntil([&] { return ::IsWindowVisible(about.homeLink().tooltip()) != FALSE; });
        LeftClick(r.left + 5, (r.top + r.bottom) / 2);
        HWND box = nullptr;
        PollUntil([&] { return (box = FindMessageBox(uiThread)) != nullptr; });
        if (box) {
            boxText = TextsOf(box);
            ::SetForegroundWindow(box);
            PollUntil([&] { return ::GetForegroundWindow() == box; }, 2s);
            PressKey(VK_RETURN);
            PollUntil([&] { return !::IsWindow(box); });
        }
        ::SetForegroundWindow(dialog);
        PollUntil([&] { return ::GetForegroundWindow() == dialog; }, 2s);
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_NE(boxText.find(L"Unable to open hyperlink:"), std::wstring::npos) << boxText;
    EXPECT_NE(boxText.find(L"A sharing violation occurred."), std::wstring::npos) << boxText;
    EXPECT_FALSE(about.forumLink().visited());
    EXPECT_EQ(fails.opened.load(), 1);
    EXPECT_EQ(unused.opened.load(), 0) << forumRect.left << "," << forumRect.top << " "
                                       << forumRect.right << "," << forumRect.bottom;
}

// Opens and closes at once, as fast as the system allows.
class InstantAbout : public win::CAboutDlg {
  protected:
    BOOL OnInitDialog() override {
        const BOOL result = CAboutDlg::OnInitDialog();
        ::PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return result;
    }
};

TEST_F(AboutTest, AThousandAboutBoxesLeaveNoGdiObjectsBehind) {
    {
        InstantAbout first;  // loads what the process keeps (fonts, codecs, classes)
        first.DoModal(nullptr);
    }
    const DWORD before = GdiObjectCount();
    for (int i = 0; i < 1000; ++i) {
        InstantAbout about;
        ASSERT_EQ(about.DoModal(nullptr), IDOK);
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
}  // namespace k2q::testing
