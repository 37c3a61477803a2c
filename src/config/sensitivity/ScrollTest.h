// The test picture of the sensitivity page: it moves with the wheel and with the mouse's
// scroll-left and scroll-right controls, so the user sees them work before applying anything.
// One line or step moves the picture by 27 pixels.
#pragma once

#include <cstdint>

#include "common/ui/Placement.h"

namespace k2q::config {

inline constexpr int kPixelsPerStep = 27;

// The system's wheel-scroll-lines setting as the test uses it: at most 10 (the page-scroll
// value counts as 10 too).
int TestWheelLines(std::uint32_t systemLines);

class ScrollTest {
  public:
    // A notch (direction > 0 forward, otherwise backward) at tick `nowMs`: a notch less than
    // 100 ms after the previous one is part of the same burst and moves nothing. The first
    // notch moves the picture by `lines` one way, the next one the other way brings it back
    // to the centre. Returns whether the picture changed.
    bool Wheel(int direction, std::uint32_t nowMs, int lines);

    // The monitor's scroll notice: 0x201 scroll right, 0x2FF scroll left, by `amount` steps.
    // Like the wheel, a second move the same way stays and one the other way re-centres.
    void Tilt(std::uintptr_t code, std::int32_t amount);

    // Back to the centre (after a reset or a profile import); the burst timing stays.
    void Centre() {
        vertical_ = 0;
        horizontal_ = 0;
    }

    int vertical() const { return vertical_; }
    std::int64_t horizontal() const { return horizontal_; }

    // The top-left corner, in the picture, of the part shown in the test area.
    Point PictureOrigin(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) const;

  private:
    int vertical_ = 0;             // lines, + forward
    std::int64_t horizontal_ = 0;  // steps, - right (wide: a damaged amount may be any int)
    std::uint32_t lastNotch_ = 0;  // tick of the last notch, 0 for none yet
};

}  // namespace k2q::config
