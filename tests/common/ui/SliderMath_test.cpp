#include "common/ui/SliderMath.h"

#include <gtest/gtest.h>

namespace k2q {
namespace {

// The sensitivity page's sliders: range 1..10 on a 176-pixel track with a 16-pixel thumb.
constexpr SliderRange kRange{1, 10};
constexpr ThumbTravel kTravel{0, 176, 16};

TEST(SliderMath, PositionsPlaceTheThumbAndOutOfRangeFallsToTheMinimum) {
    const struct {
        std::int32_t asked, accepted;
        int left;
    } cases[] = {
        {1, 1, 0}, {10, 10, 160}, {5, 5, 71}, {11, 1, 0}, {0, 1, 0}, {-2147483647 - 1, 1, 0},
    };
    for (const auto& c : cases) {
        const std::int32_t accepted = AcceptedPosition(c.asked, kRange);
        EXPECT_EQ(accepted, c.accepted) << c.asked;
        EXPECT_EQ(ThumbLeftFor(accepted, kRange, kTravel), c.left) << c.asked;
    }
}

TEST(SliderMath, DropsAndClicksMapBackToPositionsWithinTheRange) {
    EXPECT_EQ(DroppedPosition(80, kRange, kTravel), 5);  // 1 + 80 * 9 / 160
    EXPECT_EQ(DroppedPosition(0, kRange, kTravel), 1);
    EXPECT_EQ(DroppedPosition(160, kRange, kTravel), 10);
    EXPECT_EQ(DroppedPosition(170, kRange, kTravel), 10);  // clamped
    EXPECT_EQ(DroppedPosition(-5, kRange, kTravel), 1);

    // Track from 29 to 205 in the owner's coordinates.
    EXPECT_EQ(ClickedPosition(29 + 175, 29, 205, kRange), 9);  // 1 + 175 * 9 / 176
    EXPECT_EQ(ClickedPosition(29, 29, 205, kRange), 1);
    EXPECT_EQ(ClickedPosition(205, 29, 205, kRange), 10);
    EXPECT_EQ(ClickedPosition(400, 29, 205, kRange), 10);
    EXPECT_EQ(ClickedPosition(0, 29, 205, kRange), 1);
}

TEST(SliderMath, BrokenInvariantsNeverDivideByZero) {
    const SliderRange flat{5, 5}, inverted{10, 1};
    const ThumbTravel wideThumb{0, 10, 16}, exactThumb{0, 16, 16};
    for (const SliderRange& r : {flat, inverted}) {
        EXPECT_EQ(ThumbLeftFor(7, r, kTravel), 0);
        EXPECT_EQ(DroppedPosition(80, r, kTravel), r.minimum);
        EXPECT_EQ(ClickedPosition(100, 29, 205, r), r.minimum);
        EXPECT_EQ(AcceptedPosition(7, r), r.minimum);
    }
    for (const ThumbTravel& t : {wideThumb, exactThumb}) {
        EXPECT_EQ(ThumbLeftFor(10, kRange, t), 0);
        EXPECT_EQ(DroppedPosition(0, kRange, t), 1);
    }
    EXPECT_EQ(ClickedPosition(30, 30, 30, kRange), 1);  // a track of no width
    EXPECT_EQ(DragStep(0, 50, wideThumb), 0);
}

TEST(SliderMath, DragsFollowThePointerWithinTheTravel) {
    const struct {
        int left, dx, step;
    } cases[] = {
        {80, 10, 10}, {80, -10, -10}, {5, -30, -5}, {150, 30, 10}, {160, 5, 0}, {0, -1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DragStep(c.left, c.dx, kTravel), c.step) << c.left << " by " << c.dx;
    }
}

TEST(SliderMath, ThumbShapeDropsTheCornerColourAfterFlatteningOntoBlack) {
    constexpr std::uint32_t T = 0x00FFFFFF;  // fully transparent: black once flattened
    constexpr std::uint32_t K = 0xFF000000;  // opaque black: the same colour as T flattened
    constexpr std::uint32_t W = 0xFFFFFFFF;
    constexpr std::uint32_t H = 0x80FFFFFF;  // half transparent: grey, kept
    // 4 x 3, rows from the top.
    const std::uint32_t pixels[] = {
        T, W, W, T,  //
        K, H, W, K,  //
        T, W, T, T,  //
    };
    const std::vector<ShapeRect> shape = ThumbShape(pixels, 4, 3);
    const std::vector<ShapeRect> want = {
        {1, 0, 2, 3},  // column 1: all kept
        {2, 0, 3, 2},  // column 2: rows 0 and 1
    };
    EXPECT_EQ(shape, want);

    // An opaque picture keyed on its own corner colour.
    const std::uint32_t framed[] = {W, W, W, W, K, W, W, W, W};
    EXPECT_EQ(ThumbShape(framed, 3, 3), (std::vector<ShapeRect>{{1, 1, 2, 2}}));

    EXPECT_TRUE(ThumbShape(pixels, 0, 0).empty());
    EXPECT_TRUE(ThumbShape(std::span(pixels, 5), 4, 3).empty());  // too few pixels
}

}  // namespace
}  // namespace k2q
