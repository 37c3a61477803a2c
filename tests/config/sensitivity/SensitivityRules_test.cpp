// The sensitivity page's decisions without windows: the controls for a block and back, the
// resolution levels, and the scroll test picture.
#include <gtest/gtest.h>

#include <cstring>

#include "common/Messages.h"
#include "config/sensitivity/ScrollTest.h"
#include "config/sensitivity/SensitivityMapping.h"

namespace k2q::config {
namespace {

MouseParams Params(std::int32_t speed, std::int32_t wheel, std::int32_t doubleClick) {
    MouseParams p{};
    p.pointerSpeed = speed;
    p.wheelLines = wheel;
    p.doubleClickTime = doubleClick;
    p.hScrollAmount = 3;
    p.cpi800 = p.cpi1600 = 1;
    return p;
}

TEST(SensitivityMapping, BlockToControlsCorrectsOutOfRangeValuesInTheBlock) {
    struct Case {
        std::int32_t speed, wheel, doubleClick;  // stored
        std::int32_t fixedSpeed, fixedWheel, fixedDoubleClick;
        int speedPos, wheelPos, doubleClickPos;
    } cases[] = {
        {5, 3, 550, 5, 3, 550, 5, 3, 5},
        {1, 10, 200, 1, 10, 200, 1, 10, 10},
        {0, 11, 150, 10, 10, 550, 10, 10, 5},
        {11, -1, 901, 10, 10, 550, 10, 10, 5},
        {-2147483647 - 1, 2147483647, -550, 10, 10, 550, 10, 10, 5},
        {7, 7, 500, 7, 7, 500, 7, 7, 6},
        {7, 7, 830, 7, 7, 830, 7, 7, 1},
        {7, 7, 900, 7, 7, 900, 7, 7, 0},  // kept; the slider shows its minimum
        {7, 7, 230, 7, 7, 230, 7, 7, 9},  // truncation toward zero
    };
    for (const Case& c : cases) {
        MouseParams p = Params(c.speed, c.wheel, c.doubleClick);
        const SensitivityControls shown = ControlsFromParams(p);
        EXPECT_EQ(p.pointerSpeed, c.fixedSpeed) << c.speed;
        EXPECT_EQ(p.wheelLines, c.fixedWheel) << c.wheel;
        EXPECT_EQ(p.doubleClickTime, c.fixedDoubleClick) << c.doubleClick;
        EXPECT_EQ(shown.speed, c.speedPos) << c.speed;
        EXPECT_EQ(shown.wheel, c.wheelPos) << c.wheel;
        EXPECT_EQ(shown.doubleClick, c.doubleClickPos) << c.doubleClick;
    }
}

TEST(SensitivityMapping, EverySliderPositionSurvivesARefresh) {
    for (int pos = kSliderMinimum; pos <= kSliderMaximum; ++pos) {
        MouseParams p = Params(5, 5, 550);
        EXPECT_TRUE(StoreSliderPosition(p, kSpeedSlider, pos));
        EXPECT_TRUE(StoreSliderPosition(p, kWheelSlider, pos));
        EXPECT_TRUE(StoreSliderPosition(p, kDoubleClickSlider, pos));
        EXPECT_EQ(p.doubleClickTime, 900 - 70 * pos);
        const MouseParams stored = p;
        const SensitivityControls shown = ControlsFromParams(p);
        EXPECT_EQ(shown.speed, pos);
        EXPECT_EQ(shown.wheel, pos);
        EXPECT_EQ(shown.doubleClick, pos);
        EXPECT_EQ(p.doubleClickTime, stored.doubleClickTime);  // no correction of own values
    }
    MouseParams p = Params(5, 5, 550);
    const MouseParams before = p;
    EXPECT_FALSE(StoreSliderPosition(p, 0x102, 9));
    EXPECT_EQ(std::memcmp(&p, &before, sizeof p), 0);
}

TEST(SensitivityMapping, FlagsAreOnForAnyNonZeroValue) {
    MouseParams p = Params(5, 5, 550);
    p.acceleration = 7;
    p.cpi800 = 0;
    p.cpi1600 = -1;
    p.cpi2400 = 2;
    const SensitivityControls shown = ControlsFromParams(p);
    EXPECT_TRUE(shown.acceleration);
    EXPECT_FALSE(shown.levels[kLevel800]);
    EXPECT_TRUE(shown.levels[kLevel1600]);
    EXPECT_TRUE(shown.levels[kLevel2400]);
    StoreAcceleration(p, false);
    EXPECT_EQ(p.acceleration, 0);
    StoreAcceleration(p, true);
    EXPECT_EQ(p.acceleration, 1);
}

TEST(ResolutionLevels, TheLastEnabledLevelStaysOn) {
    MouseParams p = Params(5, 5, 550);
    p.cpi800 = 0;
    p.cpi1600 = 1;
    p.cpi2400 = 0;
    EXPECT_FALSE(ClickLevel(p, kLevel1600));
    EXPECT_EQ(p.cpi1600, 1);

    EXPECT_TRUE(ClickLevel(p, kLevel800));
    EXPECT_EQ(p.cpi800, 1);
    EXPECT_EQ(p.cpi1600, 1);
    EXPECT_TRUE(ClickLevel(p, kLevel1600));
    EXPECT_EQ(p.cpi1600, 0);
    EXPECT_FALSE(ClickLevel(p, kLevel800));

    // A damaged non-zero value counts as on and is written back as 1 or 0.
    p.cpi2400 = 5;
    EXPECT_TRUE(ClickLevel(p, kLevel800));
    EXPECT_EQ(p.cpi800, 0);
    EXPECT_TRUE(ClickLevel(p, kLevel1600));
    EXPECT_EQ(p.cpi1600, 1);

    // With every level off (a damaged block) any click turns one on.
    p.cpi800 = p.cpi1600 = p.cpi2400 = 0;
    EXPECT_TRUE(ClickLevel(p, kLevel2400));
    EXPECT_EQ(p.cpi2400, 1);

    EXPECT_EQ(LevelColours(true).normal, 0x1FA9F9u);
    EXPECT_EQ(LevelColours(true).down, 0x828180u);
    EXPECT_EQ(LevelColours(false).over, 0x828180u);
}

TEST(ScrollTest, WheelNotchesMoveOncePerBurstAndComeBackToTheCentre) {
    ScrollTest test;
    EXPECT_TRUE(test.Wheel(+1, 5000, 3));
    EXPECT_EQ(test.vertical(), 3);
    EXPECT_FALSE(test.Wheel(+1, 5050, 3));  // same burst
    EXPECT_FALSE(test.Wheel(+1, 5140, 3));  // still: each notch restarts the 100 ms
    EXPECT_EQ(test.vertical(), 3);
    EXPECT_FALSE(test.Wheel(+1, 5300, 3));  // a new burst, but already up
    EXPECT_FALSE(test.Wheel(-1, 5400, 3));  // exactly 100 ms is still the same burst
    EXPECT_TRUE(test.Wheel(-1, 5501, 3));
    EXPECT_EQ(test.vertical(), 0);
    EXPECT_TRUE(test.Wheel(-1, 5700, 3));
    EXPECT_EQ(test.vertical(), -3);
    EXPECT_TRUE(test.Wheel(+1, 5900, 3));
    EXPECT_EQ(test.vertical(), 0);

    // The tick count wraps; the difference stays right.
    ScrollTest wrapped;
    wrapped.Wheel(+1, 0xFFFFFFF0u, 2);
    EXPECT_FALSE(wrapped.Wheel(-1, 0x20u, 2));
    EXPECT_TRUE(wrapped.Wheel(-1, 0x100u, 2));
    EXPECT_EQ(wrapped.vertical(), 0);

    EXPECT_EQ(TestWheelLines(3), 3);
    EXPECT_EQ(TestWheelLines(10), 10);
    EXPECT_EQ(TestWheelLines(11), 10);
    EXPECT_EQ(TestWheelLines(0xFFFFFFFFu), 10);  // one page per notch
}

TEST(ScrollTest, TiltMovesSidewaysAndTheWheelBringsItBack) {
    ScrollTest test;
    test.Wheel(+1, 1000, 3);
    test.Tilt(kScrollRightNotice, 3);
    EXPECT_EQ(test.vertical(), 0);
    EXPECT_EQ(test.horizontal(), -3);
    const Point centre{(400 - 175) / 2, (900 - 253) / 2 - 17};
    EXPECT_EQ(test.PictureOrigin(400, 900, 175, 253).x, centre.x + 81);
    EXPECT_EQ(test.PictureOrigin(400, 900, 175, 253).y, centre.y);

    test.Tilt(kScrollRightNotice, 3);
    EXPECT_EQ(test.horizontal(), -3);
    test.Tilt(kScrollLeftNotice, 3);
    EXPECT_EQ(test.horizontal(), 0);
    test.Tilt(kScrollLeftNotice, 3);
    EXPECT_EQ(test.horizontal(), 3);
    EXPECT_EQ(test.PictureOrigin(400, 900, 175, 253).x, centre.x - 81);

    // A wheel notch re-centres sideways even inside a burst, and says so.
    EXPECT_TRUE(test.Wheel(-1, 1010, 3));
    EXPECT_EQ(test.horizontal(), 0);
    EXPECT_EQ(test.vertical(), 0);
    EXPECT_EQ(test.PictureOrigin(400, 900, 175, 253).y, centre.y);
    EXPECT_TRUE(test.Wheel(-1, 1200, 3));
    EXPECT_EQ(test.PictureOrigin(400, 900, 175, 253).y, centre.y + 81);

    // A damaged amount neither overflows nor sends the picture beyond reach.
    test.Tilt(kScrollRightNotice, -2147483647 - 1);
    EXPECT_GT(test.horizontal(), 0);
    const Point far = test.PictureOrigin(400, 900, 175, 253);
    EXPECT_LT(far.x, 0);
    EXPECT_GT(far.x, -(1 << 21));
}

}  // namespace
}  // namespace k2q::config
