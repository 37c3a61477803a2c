// The slider under a user's pointer: the thumb follows a drag within the track and reports
// once, on release; a click on the track reports its position; the thumb is shaped to its
// picture.
#include "common/ui/win/PngHSlider.h"

#include <gtest/gtest.h>

#include "common/Messages.h"
#include "common/ui/SkinLayout.h"
#include "support/win/MessagePump.h"
#include "support/win/UserInput.h"
#include "UiHost.h"

namespace k2q::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kHostX = 250, kHostY = 180;
constexpr UINT kSliderId = 1031;
// The sensitivity page's speed slider: 176 wide, with the shipped 16 x 12 thumb.
const skin::Rect& kTrack = skin::sensitivity::kSpeedSlider;

class SliderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open(kHostX, kHostY, 300, 120));
        host.noted = {WM_PNGSLIDER_POS};
        ASSERT_TRUE(slider.CreateSlider(
            win::MakeSkinPath(skin::slider_thumb::kArea, skin::slider_thumb::kPictureFile),
            host.hwnd(), kSliderId, kTrack));
        slider.SetRange(1, 10);
        slider.SetBackgroundFrom(SolidImage(300, 120, kNormalRgb));
        slider.SetPos(1);
        PumpFor(30ms);
    }
    // A screen point on the thumb, at its middle.
    POINT OnThumb() const {
        RECT r;
        ::GetWindowRect(slider.thumb().hwnd(), &r);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    RECT ThumbRect() const {
        RECT r;
        ::GetWindowRect(slider.thumb().hwnd(), &r);
        ::MapWindowPoints(nullptr, slider.hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    win::GdiplusSession gdiplus;
    PointerGuard pointer;
    RecordingHost host;
    win::CPngHSliderBar slider;
};

TEST_F(SliderTest, SetPosPlacesTheThumbAndReportsNothing) {
    EXPECT_EQ(slider.thumb().left(), 0);
    slider.SetPos(10);
    EXPECT_EQ(ThumbRect().left, 160);
    slider.SetPos(11);  // out of range: the minimum
    EXPECT_EQ(slider.GetPos(), 1);
    EXPECT_EQ(ThumbRect().left, 0);
    PumpFor(30ms);
    EXPECT_TRUE(host.notes.empty());
}

TEST_F(SliderTest, ADraggedThumbStopsAtEitherEndAndReportsOnceOnRelease) {
    const POINT start = OnThumb();
    MovePointer(start);
    LeftDown();
    PumpFor(20ms);
    for (int dx = 20; dx <= 300; dx += 40) {
        MovePointer(start.x + dx, start.y + 25);  // also downwards: the thumb stays level
        PumpFor(15ms);
        EXPECT_GE(ThumbRect().left, 0);
        EXPECT_LE(ThumbRect().right, kTrack.Width());
        EXPECT_EQ(ThumbRect().top, 0);
    }
    EXPECT_EQ(ThumbRect().left, 160);
    EXPECT_TRUE(host.notes.empty());  // nothing while dragging
    LeftUp();
    ASSERT_TRUE(PumpUntil([&] { return !host.notes.empty(); }, 5s));
    PumpFor(30ms);
    ASSERT_EQ(host.notes.size(), 1u);
    EXPECT_EQ(host.notes[0].wParam, WPARAM{10});
    EXPECT_EQ(host.notes[0].lParam, LPARAM{kSliderId});
    EXPECT_EQ(slider.GetPos(), 10);

    // Back past the left end.
    host.notes.clear();
    const POINT right = OnThumb();
    MovePointer(right);
    LeftDown();
    PumpFor(20ms);
    MovePointer(right.x - 400, right.y);
    PumpFor(20ms);
    EXPECT_EQ(ThumbRect().left, 0);
    LeftUp();
    ASSERT_TRUE(PumpUntil([&] { return !host.notes.empty(); }, 5s));
    EXPECT_EQ(host.notes[0].wParam, WPARAM{1});
}

TEST_F(SliderTest, ADroppedThumbStaysWhereItWasLeft) {
    const POINT start = OnThumb();
    MovePointer(start);
    LeftDown();
    PumpFor(20ms);
    MovePointer(start.x + 80, start.y);
    PumpFor(20ms);
    LeftUp();
    ASSERT_TRUE(PumpUntil([&] { return !host.notes.empty(); }, 5s));
    EXPECT_EQ(ThumbRect().left, 80);
    EXPECT_EQ(host.notes[0].wParam, WPARAM{5});  // 1 + 80 * 9 / 160
}

TEST_F(SliderTest, AClickOnTheTrackReportsItsPositionAndMovesTheThumb) {
    const POINT at = ScreenPointOf(slider.hwnd(), 175, 6);
    LeftClick(at.x, at.y);
    ASSERT_TRUE(PumpUntil([&] { return !host.notes.empty(); }, 5s));
    EXPECT_EQ(host.notes[0].wParam, WPARAM{9});  // 1 + 175 * 9 / 176
    EXPECT_EQ(host.notes[0].lParam, LPARAM{kSliderId});
    EXPECT_EQ(ThumbRect().left, 160 * 8 / 9);
}

TEST_F(SliderTest, TheThumbIsShapedToItsPictureAndDrawnOnTheTrack) {
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(slider.thumb().hwnd(), shape), ERROR);
    RECT box;
    ::GetRgnBox(shape, &box);
    EXPECT_EQ(box.right - box.left, skin::slider_thumb::kWidth);
    EXPECT_EQ(box.bottom - box.top, skin::slider_thumb::kHeight);
    // The picture's corners are transparent, so the shape leaves them out.
    EXPECT_FALSE(::PtInRegion(shape, 0, 0));
    EXPECT_TRUE(::PtInRegion(shape, 8, 6));
    ::DeleteObject(shape);

    // Outside the shape the track's background shows, inside it the thumb's picture.
    slider.SetPos(5);
    PumpFor(30ms);
    RECT thumb;
    ::GetWindowRect(slider.thumb().hwnd(), &thumb);
    EXPECT_EQ(SettledPixel({thumb.left, thumb.top}), kNormalRgb);
    EXPECT_NE(ScreenPixel({thumb.left + 4, thumb.top + 6}), kNormalRgb);
}

}  // namespace
}  // namespace k2q::testing
