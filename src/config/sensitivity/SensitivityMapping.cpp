#include "config/sensitivity/SensitivityMapping.h"

namespace k2q::config {
namespace {

constexpr std::int32_t kShortestDoubleClick = 200;
constexpr std::int32_t kLongestDoubleClick = 900;
constexpr std::int32_t kDoubleClickFallback = 550;
constexpr std::int32_t kDoubleClickStep = 70;

constexpr std::uint32_t kLevelOn = 0x1FA9F9;
constexpr std::uint32_t kLevelOff = 0x828180;

bool InSliderRange(std::int32_t value) {
    return value >= kSliderMinimum && value <= kSliderMaximum;
}

// For a const and a changeable block alike.
template <class Params>
auto& LevelField(Params& params, int level) {
    switch (level) {
        case kLevel800:
            return params.cpi800;
        case kLevel1600:
            return params.cpi1600;
        default:
            return params.cpi2400;
    }
}

}  // namespace

SensitivityControls ControlsFromParams(MouseParams& params) {
    if (!InSliderRange(params.pointerSpeed)) {
        params.pointerSpeed = kSliderMaximum;
    }
    if (!InSliderRange(params.wheelLines)) {
        params.wheelLines = kSliderMaximum;
    }
    if (params.doubleClickTime < kShortestDoubleClick ||
        params.doubleClickTime > kLongestDoubleClick) {
        params.doubleClickTime = kDoubleClickFallback;
    }
    SensitivityControls controls;
    controls.speed = params.pointerSpeed;
    controls.wheel = params.wheelLines;
    // The inverse of DoubleClickTimeAt for the slider's own values; times in between land on
    // a neighbouring position (C++ division truncates toward zero, as the mapping wants).
    controls.doubleClick = 9 - (params.doubleClickTime - 270) / kDoubleClickStep;
    controls.acceleration = params.acceleration != 0;
    for (int level = 0; level < kLevelCount; ++level) {
        controls.levels[level] = LevelEnabled(params, level);
    }
    return controls;
}

std::int32_t DoubleClickTimeAt(int position) {
    return kLongestDoubleClick - kDoubleClickStep * position;
}

bool StoreSliderPosition(MouseParams& params, std::uint32_t sliderId, int position) {
    switch (sliderId) {
        case kSpeedSlider:
            params.pointerSpeed = position;
            return true;
        case kWheelSlider:
            params.wheelLines = position;
            return true;
        case kDoubleClickSlider:
            params.doubleClickTime = DoubleClickTimeAt(position);
            return true;
        default:
            return false;
    }
}

void StoreAcceleration(MouseParams& params, bool checked) {
    params.acceleration = checked ? 1 : 0;
}

bool LevelEnabled(const MouseParams& params, int level) {
    return LevelField(params, level) != 0;
}

bool ClickLevel(MouseParams& params, int level) {
    if (level < 0 || level >= kLevelCount) {
        return false;
    }
    if (LevelEnabled(params, level)) {
        int enabled = 0;
        for (int other = 0; other < kLevelCount; ++other) {
            enabled += LevelEnabled(params, other) ? 1 : 0;
        }
        if (enabled == 1) {
            return false;
        }
    }
    std::int32_t& field = LevelField(params, level);
    field = field != 0 ? 0 : 1;
    return true;
}

LevelTextColours LevelColours(bool enabled) {
    return enabled ? LevelTextColours{kLevelOn, kLevelOn, kLevelOff}
                   : LevelTextColours{kLevelOff, kLevelOff, kLevelOff};
}

}  // namespace k2q::config
