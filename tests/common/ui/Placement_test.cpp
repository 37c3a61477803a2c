#include "common/ui/Placement.h"

#include <gtest/gtest.h>

namespace k2q {
namespace {

TEST(Placement, PopupsAreCentredAndNeverPushedOffTheArea) {
    const struct {
        int areaW, areaH, w, h, x, y;
    } cases[] = {
        {1920, 1040, 300, 100, 810, 470},
        {1920, 1091, 300, 100, 810, 495},
        {1921, 1041, 300, 101, 810, 470},
        {200, 80, 300, 100, 0, 0},  // larger than the area: at its edge, not wrapped around
        {1920, 1040, 0, 0, 960, 520},
    };
    for (const auto& c : cases) {
        const Point p = CenteredOrigin(c.areaW, c.areaH, c.w, c.h);
        EXPECT_EQ(p.x, c.x) << c.areaW << "x" << c.areaH << " " << c.w << "x" << c.h;
        EXPECT_EQ(p.y, c.y) << c.areaW << "x" << c.areaH << " " << c.w << "x" << c.h;
    }
}

TEST(Placement, FillFollowsThePositionInIntegerSteps) {
    const struct {
        int position, minimum, maximum, width, filled;
    } cases[] = {
        {0, 0, 100, 263, 0},     {40, 0, 100, 263, 105}, {80, 0, 100, 263, 210},
        {100, 0, 100, 263, 263}, {5, 0, 10, 263, 131},   {150, 0, 100, 263, 263},
        {-5, 0, 100, 263, 0},    {50, 100, 100, 263, 0}, {50, 100, 0, 263, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FilledWidth(c.position, c.minimum, c.maximum, c.width), c.filled)
            << c.position << " in " << c.minimum << ".." << c.maximum;
    }
}

}  // namespace
}  // namespace k2q
