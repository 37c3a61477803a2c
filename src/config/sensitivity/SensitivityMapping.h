// How the sensitivity page's controls stand for the mouse parameters of the button assignment
// block, both ways. Values a damaged store or profile brings are corrected when the page takes
// them up, and the correction is written back, so the block never keeps a value the controls
// cannot show.
#pragma once

#include <cstdint>

#include "common/settings/ButtonSetting.h"

namespace k2q::config {

inline constexpr int kSliderMinimum = 1;
inline constexpr int kSliderMaximum = 10;

// Slider identifiers, as the sliders report them in WM_PNGSLIDER_POS.
enum SliderId : std::uint32_t {
    kSpeedSlider = 0x100,
    kWheelSlider = 0x101,
    kDoubleClickSlider = 0x103,
};

// The resolution levels, in the order of their buttons.
inline constexpr int kLevelCount = 3;
enum Level : int { kLevel800 = 0, kLevel1600 = 1, kLevel2400 = 2 };

// What the controls show for a block.
struct SensitivityControls {
    int speed = 0;  // slider positions
    int wheel = 0;
    int doubleClick = 0;  // may be 0 for 900 ms; the slider shows its minimum then
    bool acceleration = false;
    bool levels[kLevelCount] = {};
};

// Out of range: speed and wheel lines become 10, the double-click time 550 ms.
SensitivityControls ControlsFromParams(MouseParams& params);

// 900 - 70 x position milliseconds: position 1 gives 830, position 10 gives 200.
std::int32_t DoubleClickTimeAt(int position);

// Stores a slider's new position; false (and nothing stored) for an unknown identifier.
bool StoreSliderPosition(MouseParams& params, std::uint32_t sliderId, int position);

void StoreAcceleration(MouseParams& params, bool checked);

bool LevelEnabled(const MouseParams& params, int level);

// A click on a level's button flips it, except that the last enabled level stays enabled.
// Returns whether it flipped.
bool ClickLevel(MouseParams& params, int level);

// Text colours of a level's button (Windows colour values): orange while enabled, grey
// otherwise; pressed it is always grey.
struct LevelTextColours {
    std::uint32_t normal;
    std::uint32_t over;
    std::uint32_t down;
};
LevelTextColours LevelColours(bool enabled);

}  // namespace k2q::config
