// The thin lines over the mouse picture that join each button's label to the button it names.
// Only the five buttons have one; the wheel directions do not.
#pragma once

#include <cstdint>
#include <span>

#include "common/ui/SkinLayout.h"

namespace k2q::config {

// Windows colour values (0x00BBGGRR): a grey at rest, a yellow while lit.
inline constexpr std::uint32_t kLeaderResting = 0x959B91;
inline constexpr std::uint32_t kLeaderLit = 0x00FFFF;

// The segments of a label's leader line; empty for labels without one.
std::span<const skin::Line> LeaderLinesOf(int label);

}  // namespace k2q::config
