#include "common/ui/Placement.h"

#include <algorithm>

namespace k2q {

Point CenteredOrigin(int areaWidth, int areaHeight, int width, int height) {
    return {std::max(0, (areaWidth - width) / 2), std::max(0, (areaHeight - height) / 2)};
}

int FilledWidth(std::int32_t position, std::int32_t minimum, std::int32_t maximum, int barWidth) {
    if (maximum <= minimum || barWidth <= 0) {
        return 0;
    }
    const std::int64_t filled = (static_cast<std::int64_t>(position) - minimum) * barWidth /
                                (static_cast<std::int64_t>(maximum) - minimum);
    return static_cast<int>(std::clamp<std::int64_t>(filled, 0, barWidth));
}

}  // namespace k2q
