// Where a skinned window goes on the screen, and how much of a progress bar is filled: plain
// arithmetic, kept apart from the windows so it is tested without a screen.
#pragma once

#include <cstdint>

namespace k2q {

struct Point {
    int x = 0;
    int y = 0;
};

// The top-left corner that centres a window of the given size in the full-screen area. A
// window larger than the area starts at its edge rather than wrapping to a far-off position.
Point CenteredOrigin(int areaWidth, int areaHeight, int width, int height);

// Pixels of a bar `barWidth` wide that show `position` within [minimum, maximum], in integer
// arithmetic. An empty or inverted range shows nothing, and the fill never leaves the bar.
int FilledWidth(std::int32_t position, std::int32_t minimum, std::int32_t maximum, int barWidth);

}  // namespace k2q
