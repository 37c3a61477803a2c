#include "common/settings/ButtonSetting.h"

#include <cstring>

namespace k2q {

void SetButtonDefaults(ButtonSetting& block) {
    std::memset(&block, 0, sizeof block);
    for (int i = 0; i < kRecordCount; ++i) {
        block.records[i].index = static_cast<std::uint8_t>(i);
        block.records[i].function = kDefaultFunction[i];
    }
}

void ResetButtonRecord(ButtonSetting& block, int i) {
    if (i < 0 || i >= kRecordCount) {
        return;
    }
    block.records[i].index = static_cast<std::uint8_t>(i);
    block.records[i].function = kDefaultFunction[i];
}

bool IsWheelAtDefault(const ButtonSetting& block) {
    return block.records[kWheelForward].function == kFnScrollUp &&
           block.records[kWheelBackward].function == kFnScrollDown;
}

void ApplyFactoryMouseParams(MouseParams& params) {
    params.acceleration = 0;
    params.pointerSpeed = 5;
    params.wheelLines = 3;
    params.doubleClickTime = 550;
}

}  // namespace k2q
