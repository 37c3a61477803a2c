#include "config/sensitivity/ScrollTest.h"

#include <algorithm>

#include "common/Messages.h"

namespace k2q::config {
namespace {

constexpr std::uint32_t kBurstMs = 100;
constexpr int kMaximumTestLines = 10;
// The picture's resting position sits this much above its centre.
constexpr int kRestingLift = 17;

// One move the positive way (or not): from the centre to `target`, from the other side back
// to the centre, and no further once on that side.
template <class T>
T Step(T offset, bool positive, T target) {
    if (offset == 0) {
        return target;
    }
    return (offset > 0) == positive ? offset : 0;
}

}  // namespace

int TestWheelLines(std::uint32_t systemLines) {
    return static_cast<int>(std::min<std::uint32_t>(systemLines, kMaximumTestLines));
}

bool ScrollTest::Wheel(int direction, std::uint32_t nowMs, int lines) {
    bool changed = horizontal_ != 0;
    horizontal_ = 0;
    if (lastNotch_ == 0 || nowMs - lastNotch_ > kBurstMs) {
        const int before = vertical_;
        vertical_ = Step(vertical_, direction > 0, direction > 0 ? lines : -lines);
        changed = changed || vertical_ != before;
    }
    lastNotch_ = nowMs;
    return changed;
}

void ScrollTest::Tilt(std::uintptr_t code, std::int32_t amount) {
    vertical_ = 0;
    if (code == kScrollRightNotice) {
        horizontal_ = Step<std::int64_t>(horizontal_, false, -std::int64_t{amount});
    } else if (code == kScrollLeftNotice) {
        horizontal_ = Step<std::int64_t>(horizontal_, true, amount);
    }
}

Point ScrollTest::PictureOrigin(int pictureWidth, int pictureHeight, int areaWidth,
                                int areaHeight) const {
    const std::int64_t centreX = (pictureWidth - areaWidth) / 2;
    const std::int64_t centreY = (pictureHeight - areaHeight) / 2 - kRestingLift;
    std::int64_t x = centreX;
    std::int64_t y = centreY;
    if (horizontal_ != 0) {
        x -= std::int64_t{kPixelsPerStep} * horizontal_;
    } else {
        y -= std::int64_t{kPixelsPerStep} * vertical_;
    }
    // A damaged amount could carry the picture anywhere; far outside it shows only the fill.
    constexpr std::int64_t kFar = 1 << 20;
    return {static_cast<int>(std::clamp(x, -kFar, kFar)),
            static_cast<int>(std::clamp(y, -kFar, kFar))};
}

}  // namespace k2q::config
