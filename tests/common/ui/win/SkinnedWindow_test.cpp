// The conventions every skinned window shares, on a window made of them: its size and place,
// its painted background and buttons, and a press on its background that drags it.
#include "common/ui/win/SkinnedWindow.h"

#include <gtest/gtest.h>

#include "common/ui/win/Caption.h"
#include "support/win/MessagePump.h"
#include "support/win/UserInput.h"
#include "UiHost.h"

namespace k2q::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kWidth = 240, kHeight = 120;
const skin::Rect kOkRect{150, 80, 220, 110};

class SampleDialog : public win::SkinnedWindow {
  public:
    bool Open() {
        CreateParams p;
        p.className = L"K2qSkinnedSample";
        p.style = WS_POPUP;
        if (!Create(p)) {
            return false;
        }
        UseSkin({SolidImage(kWidth, kHeight, kNormalRgb), SolidImage(kWidth, kHeight, kOverRgb),
                 SolidImage(kWidth, kHeight, kDownRgb)});
        CentreInWorkArea();
        AddButton(ok, IDOK, kOkRect, L"OK");
        ::ShowWindow(hwnd(), SW_SHOW);
        ::SetForegroundWindow(hwnd());
        return true;
    }
    void LoadFiles(std::u16string_view area) { LoadSkin(area, u"a.png", u"b.png", u"c.png"); }
    using win::SkinnedWindow::AddButton;
    using win::SkinnedWindow::CentreInWorkArea;
    win::CBitmapBtn ok;
    int commands = 0;

  protected:
    void PaintOverSkin(HDC dc) override {
        // A mark the test can find: the window's own drawing lands over the background.
        RECT mark{10, 10, 20, 20};
        ::FillRect(dc, &mark, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    void OnCommand(UINT id, UINT, HWND) override {
        if (id == IDOK) {
            ++commands;
        }
    }
};

class SkinnedWindowTest : public ::testing::Test {
  protected:
    win::GdiplusSession gdiplus;
    PointerGuard pointer;
};

TEST_F(SkinnedWindowTest, TakesItsPictureSizeStandsCentredAndPaintsBackgroundMarksAndButtons) {
    SampleDialog dialog;
    ASSERT_TRUE(dialog.Open());
    RECT r;
    ::GetWindowRect(dialog.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, kWidth);
    EXPECT_EQ(r.bottom - r.top, kHeight);
    EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXFULLSCREEN) - kWidth) / 2);
    EXPECT_EQ(r.top, (::GetSystemMetrics(SM_CYFULLSCREEN) - kHeight) / 2);

    EXPECT_EQ(SettledPixel({r.left + 100, r.top + 50}), kNormalRgb);
    EXPECT_EQ(ScreenPixel({r.left + 15, r.top + 15}), 0x000000u);

    // The button shows its part of the over picture under the pointer and clicks.
    const POINT corner{r.left + kOkRect.left + 2, r.top + kOkRect.top + 2};
    MovePointer(corner);
    ASSERT_TRUE(PumpUntil([&] { return dialog.ok.hover(); }, 5s));
    EXPECT_EQ(SettledPixel(corner), kOverRgb);
    LeftClick(corner.x, corner.y);
    ASSERT_TRUE(PumpUntil([&] { return dialog.commands == 1; }, 5s));
}

TEST_F(SkinnedWindowTest, APressOnTheBackgroundDragsTheWindow) {
    SampleDialog dialog;
    ASSERT_TRUE(dialog.Open());
    RECT before;
    ::GetWindowRect(dialog.hwnd(), &before);
    const POINT from{before.left + 60, before.top + 40};
    // The system's move loop runs on this thread until the button is released.
    ASSERT_TRUE(PlayAsUser([&] {
        MovePointer(from);
        ::Sleep(30);
        LeftDown();
        ::Sleep(50);
        for (int step = 1; step <= 4; ++step) {
            MovePointer(from.x + 10 * step, from.y + 8 * step);
            ::Sleep(20);
        }
        LeftUp();
    }));
    RECT after{};
    ASSERT_TRUE(PumpUntil(
        [&] {
            ::GetWindowRect(dialog.hwnd(), &after);
            return after.left == before.left + 40 && after.top == before.top + 32;
        },
        5s))
        << "moved to " << after.left << "," << after.top << " from " << before.left << ","
        << before.top;
    EXPECT_EQ(dialog.commands, 0);
}

TEST_F(SkinnedWindowTest, MissingPicturesLeaveABlankWindowOfItsOwnSizeWhoseButtonsWork) {
    SampleDialog dialog;
    win::Window::CreateParams p;
    p.className = L"K2qSkinnedSample";
    p.style = WS_POPUP | WS_VISIBLE;
    p.width = kWidth;
    p.height = kHeight;
    ASSERT_TRUE(dialog.Create(p));
    dialog.LoadFiles(u"no-such-area");
    EXPECT_TRUE(dialog.skin().normal.empty());
    dialog.CentreInWorkArea();
    RECT r;
    ::GetWindowRect(dialog.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, kWidth);
    EXPECT_EQ(r.bottom - r.top, kHeight);
    EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXFULLSCREEN) - kWidth) / 2);

    dialog.AddButton(dialog.ok, IDOK, kOkRect, L"OK");
    ::SetForegroundWindow(dialog.hwnd());
    PumpFor(50ms);  // painting without pictures must not fail
    const POINT inside{r.left + kOkRect.left + 5, r.top + kOkRect.top + 5};
    MovePointer(inside);
    ASSERT_TRUE(PumpUntil([&] { return dialog.ok.hover(); }, 5s));
    LeftClick(inside.x, inside.y);
    EXPECT_TRUE(PumpUntil([&] { return dialog.commands == 1; }, 5s));
}

}  // namespace
}  // namespace k2q::testing
