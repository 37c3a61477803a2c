#include "monitor/actions/MouseFunction.h"

namespace k2q::monitor {

void CMouseFunction::LeftClick() {
    Click(kMouseLeftDown, kMouseLeftUp, 0);
}

void CMouseFunction::RightClick() {
    Click(kMouseRightDown, kMouseRightUp, 0);
}

void CMouseFunction::MiddleClick() {
    Click(kMouseMiddleDown, kMouseMiddleUp, 0);
}

void CMouseFunction::XButtonClick(int button) {
    if (button == 1 || button == 2) {
        Click(kMouseXDown, kMouseXUp, button);
    }
}

void CMouseFunction::Click(std::uint32_t down, std::uint32_t up, std::int32_t data) {
    input_.Mouse({down, 0, 0, data, ExtraInfo::CurrentMessage});
    input_.Mouse({up, 0, 0, data, ExtraInfo::CurrentMessage});
}

void WheelNotch(InputSink& input, std::int32_t delta) {
    input.Mouse({kMouseWheel, 0, 0, delta, ExtraInfo::CurrentMessage});
}

}  // namespace k2q::monitor
