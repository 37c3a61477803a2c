#include "common/ui/SliderMath.h"

#include <algorithm>

namespace k2q {
namespace {

std::int32_t Clamp(std::int64_t value, const SliderRange& range) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, range.minimum, range.maximum));
}

std::int64_t Span(const SliderRange& range) {
    return static_cast<std::int64_t>(range.maximum) - range.minimum;
}

// The colour a pixel shows when drawn over opaque black.
std::uint32_t OverBlack(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    auto channel = [a](std::uint32_t c) { return (c * a + 127) / 255; };
    return (channel((argb >> 16) & 0xFF) << 16) | (channel((argb >> 8) & 0xFF) << 8) |
           channel(argb & 0xFF);
}

}  // namespace

std::int32_t AcceptedPosition(std::int32_t position, const SliderRange& range) {
    if (position < range.minimum || position > range.maximum) {
        return range.minimum;
    }
    return position;
}

int ThumbLeftFor(std::int32_t position, const SliderRange& range, const ThumbTravel& travel) {
    const std::int64_t room = static_cast<std::int64_t>(travel.limit) - travel.begin - travel.width;
    if (!range.Valid() || room <= 0) {
        return travel.begin;
    }
    const std::int64_t steps = std::clamp<std::int64_t>(
        static_cast<std::int64_t>(position) - range.minimum, 0, Span(range));
    return static_cast<int>(travel.begin + room * steps / Span(range));
}

std::int32_t DroppedPosition(int left, const SliderRange& range, const ThumbTravel& travel) {
    const std::int64_t room = static_cast<std::int64_t>(travel.limit) - travel.width - travel.begin;
    if (!range.Valid() || room <= 0) {
        return range.minimum;
    }
    const std::int64_t moved = static_cast<std::int64_t>(left) - travel.begin;
    return Clamp(range.minimum + moved * Span(range) / room, range);
}

std::int32_t ClickedPosition(int x, int trackLeft, int trackRight, const SliderRange& range) {
    const std::int64_t width = static_cast<std::int64_t>(trackRight) - trackLeft;
    if (!range.Valid() || width <= 0) {
        return range.minimum;
    }
    const std::int64_t offset = static_cast<std::int64_t>(x) - trackLeft;
    return Clamp(range.minimum + offset * Span(range) / width, range);
}

int DragStep(int left, int dx, const ThumbTravel& travel) {
    if (travel.limit - travel.begin < travel.width) {
        return travel.begin - left;  // no room to travel: the thumb stays at the start
    }
    if (left + dx < travel.begin) {
        dx = travel.begin - left;
    }
    if (left + travel.width + dx > travel.limit) {
        dx = travel.limit - (left + travel.width);
    }
    return dx;
}

std::vector<ShapeRect> ThumbShape(std::span<const std::uint32_t> argb, int width, int height) {
    std::vector<ShapeRect> shape;
    if (width <= 0 || height <= 0 ||
        argb.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return shape;
    }
    const auto at = [&](int x, int y) {
        return OverBlack(argb[static_cast<std::size_t>(y) * width + x]);
    };
    const std::uint32_t key = at(0, 0);
    for (int x = 0; x < width; ++x) {
        int y = 0;
        while (y < height) {
            while (y < height && at(x, y) == key) {
                ++y;
            }
            const int top = y;
            while (y < height && at(x, y) != key) {
                ++y;
            }
            if (y > top) {
                shape.push_back({x, top, x + 1, y});
            }
        }
    }
    return shape;
}

}  // namespace k2q
