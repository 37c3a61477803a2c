// The skinned slider's arithmetic: where the thumb stands for a position, which position a
// dropped thumb or a click on the track means, how far a drag may move the thumb, and the
// thumb's shape from its picture. Every division is guarded, so an owner that breaks the
// slider's invariant (a thumb wider than its track, a maximum not above the minimum) gets the
// minimum and a thumb at the start, never a division by zero.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace k2q {

struct SliderRange {
    std::int32_t minimum = 0;
    std::int32_t maximum = 10;
    bool Valid() const { return maximum > minimum; }
};

// Travel of the thumb in the track's client coordinates: its left edge never goes left of
// begin, its right edge never past limit.
struct ThumbTravel {
    int begin = 0;
    int limit = 0;
    int width = 0;  // the thumb's
};

// SetPos: a position outside the range becomes the minimum.
std::int32_t AcceptedPosition(std::int32_t position, const SliderRange& range);

// Left edge of the thumb for a position: begin + (limit - begin - width) * (position - minimum)
// / (maximum - minimum).
int ThumbLeftFor(std::int32_t position, const SliderRange& range, const ThumbTravel& travel);

// The position a thumb dropped with its left edge at `left` stands for, within the range.
std::int32_t DroppedPosition(int left, const SliderRange& range, const ThumbTravel& travel);

// The position a click at x on a track from trackLeft to trackRight (owner coordinates)
// stands for, within the range.
std::int32_t ClickedPosition(int x, int trackLeft, int trackRight, const SliderRange& range);

// How far a thumb whose left edge is at `left` moves when the pointer moved by dx: as far as
// the pointer, but never out of its travel.
int DragStep(int left, int dx, const ThumbTravel& travel);

// One rectangle of a thumb's shape, in its picture's pixels (right and bottom exclusive).
struct ShapeRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend constexpr bool operator==(const ShapeRect&, const ShapeRect&) = default;
};

// The shape of a thumb picture of width x height pixels (0xAARRGGBB, rows from the top): the
// picture flattened onto opaque black, less every pixel of the flattened top-left pixel's
// colour. Returned as runs of kept pixels, column by column, top to bottom. A short or empty
// pixel buffer gives an empty shape.
std::vector<ShapeRect> ThumbShape(std::span<const std::uint32_t> argb, int width, int height);

}  // namespace k2q
