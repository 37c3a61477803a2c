// The skinned button under a user's pointer: which picture the screen shows as the pointer
// comes and goes, what reaches its owner for clicks, presses and moves, and its captions.
#include "common/ui/win/BitmapBtn.h"

#include <gtest/gtest.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>

#include "common/Messages.h"
#include "support/win/MessagePump.h"
#include "support/win/UserInput.h"
#include "UiHost.h"

namespace k2q::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kHostX = 300, kHostY = 200;
constexpr UINT kButtonId = 1234;
const skin::Rect kButtonRect{40, 30, 140, 70};

class BitmapBtnTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open(kHostX, kHostY, 300, 200));
        host.noted.push_back(WM_BITMAPBTN_MOUSE);
        ASSERT_TRUE(button.Create(host.hwnd(), kButtonId, kButtonRect));
        // Whole-window pictures, each a flat colour, as a skinned window would pass them.
        button.SetSkin(SolidImage(300, 200, kNormalRgb), SolidImage(300, 200, kOverRgb),
                       SolidImage(300, 200, kDownRgb), SolidImage(300, 200, kCheckedRgb),
                       kButtonRect);
        // Away from the button, in the host.
        MovePointer(kHostX + 250, kHostY + 150);
        PumpFor(30ms);
        host.notes.clear();
    }
    // A corner of the button, clear of its caption.
    POINT Corner() const { return {kHostX + kButtonRect.left + 3, kHostY + kButtonRect.top + 3}; }
    POINT Middle() const {
        return {kHostX + (kButtonRect.left + kButtonRect.right) / 2,
                kHostY + (kButtonRect.top + kButtonRect.bottom) / 2};
    }
    POINT Outside() const { return {kHostX + 250, kHostY + 150}; }
    bool PumpUntilNoted(UINT msg, std::size_t count = 1) {
        return PumpUntil([&] { return host.Of(msg).size() >= count; }, 5s);
    }

    win::GdiplusSession gdiplus;
    PointerGuard pointer;
    RecordingHost host;
    win::CBitmapBtn button;
};

TEST_F(BitmapBtnTest, HoverLightsTheButtonAndTheNextMoveOutsideClearsIt) {
    EXPECT_EQ(SettledPixel(Corner()), kNormalRgb);
    MovePointer(Middle());
    ASSERT_TRUE(PumpUntil([&] { return button.hover(); }, 5s));
    EXPECT_EQ(SettledPixel(Corner()), kOverRgb);
    EXPECT_EQ(::GetCapture(), button.hwnd());  // so it sees the pointer leave

    MovePointer(Outside());
    ASSERT_TRUE(PumpUntil([&] { return !button.hover(); }, 5s));
    EXPECT_EQ(SettledPixel(Corner()), kNormalRgb);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(BitmapBtnTest, DraggingOntoTheButtonDoesNotLightIt) {
    LeftDown();  // on the host's background
    MovePointer(Middle());
    MovePointer(Middle().x + 5, Middle().y);
    PumpFor(100ms);
    EXPECT_FALSE(button.hover());
    EXPECT_EQ(SettledPixel(Corner()), kNormalRgb);
    EXPECT_TRUE(host.Of(WM_MOUSEMOVE).empty());  // such moves are not passed on either
    LeftUp();
    PumpFor(30ms);
    EXPECT_TRUE(host.Of(WM_COMMAND).empty());
    // Once the mouse button is up, the next move lights it.
    MovePointer(Middle().x + 6, Middle().y);
    ASSERT_TRUE(PumpUntil([&] { return button.hover(); }, 5s));
}

TEST_F(BitmapBtnTest, ClickGivesTheCommandAndPressesShowTheDownPicture) {
    MovePointer(Middle());
    ASSERT_TRUE(PumpUntil([&] { return button.hover(); }, 5s));
    LeftDown();
    ASSERT_TRUE(PumpUntil([&] { return ::GetAsyncKeyState(VK_LBUTTON) < 0; }, 5s));
    EXPECT_EQ(SettledPixel(Corner()), kDownRgb);
    LeftUp();
    ASSERT_TRUE(PumpUntilNoted(WM_COMMAND));
    const Note click = host.Of(WM_COMMAND).front();
    EXPECT_EQ(LOWORD(click.wParam), kButtonId);
    EXPECT_EQ(HIWORD(click.wParam), BN_CLICKED);
    EXPECT_EQ(reinterpret_cast<HWND>(click.lParam), button.hwnd());
    EXPECT_TRUE(host.Of(WM_BITMAPBTN_MOUSE).empty());  // not asked for
    // It stays lit while the pointer rests on it.
    EXPECT_TRUE(button.hover());
    EXPECT_EQ(SettledPixel(Corner()), kOverRgb);

    // A quick second click is a click too, not a lost double-click.
    LeftClick(Middle().x, Middle().y);
    ASSERT_TRUE(PumpUntilNoted(WM_COMMAND, 2));
}

TEST_F(BitmapBtnTest, NotifyFlagPostsPressAndReleaseBesideTheClick) {
    button.SetNotify(true);
    LeftClick(Middle().x, Middle().y);
    ASSERT_TRUE(PumpUntilNoted(WM_BITMAPBTN_MOUSE, 2));
    ASSERT_TRUE(PumpUntilNoted(WM_COMMAND));
    const auto notes = host.Of(WM_BITMAPBTN_MOUSE);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].wParam, WPARAM{WM_LBUTTONDOWN});
    EXPECT_EQ(notes[1].wParam, WPARAM{WM_LBUTTONUP});
    for (const Note& n : notes) {
        EXPECT_EQ(reinterpret_cast<HWND>(n.lParam), button.hwnd());
    }
}

TEST_F(BitmapBtnTest, ToggleModeFlipsTheCheckedFlagAndStillReportsTheClick) {
    button.SetToggleMode(true);
    LeftClick(Middle().x, Middle().y);
    ASSERT_TRUE(PumpUntilNoted(WM_COMMAND));
    EXPECT_TRUE(button.checked());
    EXPECT_EQ(host.Of(WM_COMMAND).front().wParam, WPARAM{kButtonId});
    EXPECT_EQ(SettledPixel(Corner()), kCheckedRgb);  // checked wins over the hover

    LeftClick(Middle().x, Middle().y);
    ASSERT_TRUE(PumpUntilNoted(WM_COMMAND, 2));
    EXPECT_FALSE(button.checked());
    EXPECT_EQ(host.Of(WM_COMMAND).size(), 2u);  // one command per click, no standard one

    // Pressed on the button, released away from it: no click.
    MovePointer(Middle());
    LeftDown();
    MovePointer(Outside());
    LeftUp();
    PumpFor(50ms);
    EXPECT_FALSE(button.checked());
    EXPECT_EQ(host.Of(WM_COMMAND).size(), 2u);
}

TEST_F(BitmapBtnTest, MovesReachTheOwnerInScreenCoordinates) {
    const POINT at{Middle().x + 7, Middle().y + 3};
    MovePointer(at);
    ASSERT_TRUE(PumpUntilNoted(WM_MOUSEMOVE));
    const Note move = host.Of(WM_MOUSEMOVE).back();
    EXPECT_EQ(GET_X_LPARAM(move.lParam), at.x);
    EXPECT_EQ(GET_Y_LPARAM(move.lParam), at.y);
}

TEST_F(BitmapBtnTest, CheckedAndDisabledLooksAndRepaintsOnlyOnChange) {
    button.SetChecked(true);
    EXPECT_EQ(SettledPixel(Corner()), kCheckedRgb);
    const int paints = host.drawItems;
    button.SetChecked(true);
    ::UpdateWindow(button.hwnd());
    PumpFor(30ms);
    EXPECT_EQ(host.drawItems, paints);

    button.SetChecked(false);
    ::EnableWindow(button.hwnd(), FALSE);
    EXPECT_EQ(SettledPixel(Corner()), kCheckedRgb);  // disabled shows the checked picture
    ::EnableWindow(button.hwnd(), TRUE);
    EXPECT_EQ(SettledPixel(Corner()), kNormalRgb);
}

// The caption's pixels in its colour: where they are and how many.
struct Ink {
    int count = 0;
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
};
Ink InkOf(const ScreenPixels& shot, std::uint32_t rgb) {
    Ink ink;
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            if (shot.At(x, y) == rgb) {
                ++ink.count;
                ink.box = {std::min<LONG>(ink.box.left, x), std::min<LONG>(ink.box.top, y),
                           std::max<LONG>(ink.box.right, x + 1),
                           std::max<LONG>(ink.box.bottom, y + 1)};
            }
        }
    }
    return ink;
}

TEST_F(BitmapBtnTest, CaptionsStandCentredInTheirColourAndTurnWithTheirOrientation) {
    const RECT area{kHostX + kButtonRect.left, kHostY + kButtonRect.top, kHostX + kButtonRect.right,
                    kHostY + kButtonRect.bottom};
    // The normal colour as the screen shows it: 0x00BBGGRR becomes 0x00RRGGBB.
    constexpr std::uint32_t kNormalInk = 0x536167;
    PumpFor(30ms);
    EXPECT_EQ(InkOf(CaptureScreen(area), kNormalInk).count, 0);

    button.SetCaption(L"MMMM", 0, 0, 1);
    PumpFor(30ms);
    const Ink flat = InkOf(CaptureScreen(area), kNormalInk);
    ASSERT_GT(flat.count, 0);
    EXPECT_GT(flat.box.right - flat.box.left, flat.box.bottom - flat.box.top);
    const int middle = kButtonRect.Width() / 2;
    EXPECT_NEAR((flat.box.left + flat.box.right) / 2, middle, 3);

    button.SetCaption(L"MMMM", 0, 0, 2);
    PumpFor(30ms);
    const Ink up = InkOf(CaptureScreen(area), kNormalInk);
    ASSERT_GT(up.count, 0);
    EXPECT_LT(up.box.right - up.box.left, up.box.bottom - up.box.top);
    EXPECT_NEAR((up.box.top + up.box.bottom) / 2, kButtonRect.Height() / 2, 3);

    // Offsets move the text; new colours apply at once.
    button.SetCaption(L"MMMM", 10, 0, 1);
    button.SetTextColors(RGB(0x10, 0x20, 0x30), RGB(0xFF, 0xFF, 0xFF));
    PumpFor(30ms);
    const Ink moved = InkOf(CaptureScreen(area), 0x102030);
    ASSERT_GT(moved.count, 0);
    EXPECT_EQ(moved.box.left, flat.box.left + 10);
}

}  // namespace
}  // namespace k2q::testing
