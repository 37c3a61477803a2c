// The progress popup on the screen: where it sits, what its bar shows at each step, that a
// user's input changes nothing, and the screenshots the documentation uses.
#include "monitor/app/win/ProgressDlg.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "common/ui/SkinLayout.h"
#include "common/ui/win/SkinImage.h"
#include "common/win/Gdiplus.h"
#include "support/win/LowLevelHooks.h"
#include "support/win/Screenshot.h"
#include "support/win/UserInput.h"

namespace k2q::monitor {
namespace {

using testing::CaptureScreen;
using testing::ScreenPixels;

// What mouse input on a child passes up to its parent by default.
int g_passedUp = 0;
LRESULT CALLBACK CountPassedUp(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (msg == WM_CONTEXTMENU || msg == WM_APPCOMMAND || msg == WM_MOUSEWHEEL) {
        ++g_passedUp;
    }
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

void SideButtonClick() {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.mouseData = XBUTTON1;
    input.mi.dwFlags = MOUSEEVENTF_XDOWN;
    ::SendInput(1, &input, sizeof input);
    input.mi.dwFlags = MOUSEEVENTF_XUP;
    ::SendInput(1, &input, sizeof input);
}

class ProgressPopup : public ::testing::Test {
  protected:
    static std::uint32_t PixelOf(const win::SkinImage& image, int x, int y) {
        Gdiplus::Color c;
        image.bitmap()->GetPixel(x, y, &c);
        return c.GetValue() & 0x00FFFFFF;
    }
    // Lets pending paints of the popup reach the screen before it is read back.
    static void Settle() {
        testing::PumpFor(std::chrono::milliseconds(100));
    }
    win::GdiplusSession gdiplus;
};

TEST_F(ProgressPopup, SitsCentredWithItsTitleAndFillsTheBarByThePosition) {
    CProgressDlg popup(L"Updating the mouse", L"Please wait while the settings are applied");
    ASSERT_TRUE(popup.Open());
    EXPECT_EQ(::FindWindowW(nullptr, kProgressWindowTitle), popup.hwnd());
    EXPECT_TRUE(::IsWindowVisible(popup.hwnd()));
    EXPECT_TRUE(::GetWindowLongW(popup.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    RECT r;
    ::GetWindowRect(popup.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, skin::progress::kWidth);
    EXPECT_EQ(r.bottom - r.top, skin::progress::kHeight);
    EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXFULLSCREEN) - skin::progress::kWidth) / 2);
    EXPECT_EQ(r.top, (::GetSystemMetrics(SM_CYFULLSCREEN) - skin::progress::kHeight) / 2);

    // The bar shows the fill picture up to its filled width and the background after it.
    const win::SkinImage background =
        win::LoadSkinImage(win::MakeSkinPath(skin::progress::kArea, skin::progress::kNormalFile));
    const win::SkinImage fill =
        win::LoadSkinImage(win::MakeSkinPath(skin::progress::kArea, skin::progress::kFillFile));
    ASSERT_FALSE(background.empty());
    ASSERT_FALSE(fill.empty());
    const skin::Rect& bar = skin::progress::kBar;
    const int y = (bar.top + bar.bottom) / 2;
    ScreenPixels shot;
    for (const auto& [value, filled] : {std::pair{0, 0}, {40, 105}, {100, 263}}) {
        popup.SetProgress(value);
        Settle();
        shot = CaptureScreen(r);
        ASSERT_EQ(shot.width, skin::progress::kWidth);
        testing::SavePng(shot, testing::ScreenshotPath(L"progress_" + std::to_wstring(value) + L".png"));
        for (int x = bar.left; x < bar.right; ++x) {
            const bool inFill = x - bar.left < filled;
            const std::uint32_t want = inFill ? PixelOf(fill, x, y) : PixelOf(background, x, y);
            if (PixelOf(fill, x, y) == PixelOf(background, x, y)) {
                continue;  // the pictures agree here, so this column tells nothing
            }
            ASSERT_EQ(shot.At(x, y), want) << "progress " << value << " column " << x;
        }
    }

    // A user's clicks, drags, side buttons, wheel and keys change nothing while it is shown,
    // and none of them reaches the popup as a context-menu request or a "back" command (which
    // would go on from there to the system).
    testing::PointerGuard pointer;
    ::SetWindowSubclass(popup.hwnd(), &CountPassedUp, 1, 0);
    g_passedUp = 0;
    const int before = popup.bar().position();
    const POINT at = testing::ScreenPointOf(popup.bar().hwnd(), 20, 7);
    testing::LeftClick(at.x, at.y);
    testing::LeftDown();
    testing::MovePointer(at.x + 150, at.y);
    testing::LeftUp();
    testing::RightClick(at.x, at.y);
    SideButtonClick();
    testing::Wheel(-WHEEL_DELTA);
    testing::PressKey(VK_ESCAPE);
    testing::PressKey(VK_RETURN);
    testing::PressKey(VK_SPACE);
    Settle();
    EXPECT_EQ(popup.bar().position(), before);
    EXPECT_EQ(g_passedUp, 0);
    EXPECT_TRUE(::IsWindowVisible(popup.hwnd()));
    EXPECT_EQ(CaptureScreen(r).rgb, shot.rgb);  // the bar still shows 100
    ::RemoveWindowSubclass(popup.hwnd(), &CountPassedUp, 1);

    popup.Destroy();
    EXPECT_EQ(::FindWindowW(nullptr, kProgressWindowTitle), nullptr);
}

}  // namespace
}  // namespace k2q::monitor
