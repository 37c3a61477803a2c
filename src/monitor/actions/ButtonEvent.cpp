#include "monitor/actions/ButtonEvent.h"

#include <algorithm>
#include <climits>

#include "monitor/actions/BasicFunction.h"
#include "monitor/actions/MediaFunction.h"
#include "monitor/actions/MouseFunction.h"
#include "monitor/actions/Playback.h"

namespace k2q::monitor {
namespace {

void NotifyConfigWindow(const MonitorState& monitor, const ActionPorts& ports,
                        std::uintptr_t notice) {
    // Posted, never sent: the monitor must not wait for the configuration program.
    if (monitor.configWindow != 0) {
        ports.system.PostWindowMessage(monitor.configWindow, kScrollNoticeMessage, notice, 0);
    }
}

// The negated amount of a damaged block could overflow an int; hold it to the int range.
int ScrollCount(std::int64_t amount) {
    return static_cast<int>(std::clamp<std::int64_t>(amount, INT_MIN, INT_MAX));
}

}  // namespace

std::optional<int> RecordForEvent(std::uint64_t eventCode) {
    switch (eventCode) {
        case 1000:
            return kLeftButton;
        case 1001:
            return kWheelButton;
        case 1002:
            return kRightButton;
        case 1003:
            return kFirstSideButton;
        case 1004:
            return kSecondSideButton;
        case 257:
            return kWheelForward;
        case 511:
            return kWheelBackward;
        default:
            return std::nullopt;
    }
}

void ExecuteButton(const ButtonRecord& record, const MonitorState& monitor,
                   const ActionPorts& ports) {
    switch (record.function) {
        case kFnLeftClick:
            return CMouseFunction(ports.input).LeftClick();
        case kFnRightClick:
            return CMouseFunction(ports.input).RightClick();
        case kFnMiddleClick:
        case kFnDoubleClick:  // carried out as a middle click
            return CMouseFunction(ports.input).MiddleClick();
        case kFnCombination:
            return PlayCombination(ports, record.comboModifiers, record.comboKey1,
                                   record.comboKey2);
        case kFnMacro:
            return PlayMacro(ports, monitor.macros, record.macroIndex);
        case kFnWindowCommand:
            return CBasicFunction(ports.input, ports.system).RunWindowCommand(record.windowCommand);
        case kFnExtraButton2:
            return CMouseFunction(ports.input).XButtonClick(2);
        case kFnExtraButton1:
            return CMouseFunction(ports.input).XButtonClick(1);
        case kFnScrollUp:
            return WheelNotch(ports.input, kWheelDelta);
        case kFnScrollDown:
            return WheelNotch(ports.input, -kWheelDelta);
        case kFnEditCommand:
            return CBasicFunction(ports.input, ports.system).RunEditCommand(record.editCommand);
        case kFnMediaCommand:
            return CMediaFunction(ports.input).RunMediaCommand(record.mediaCommand);
        case kFnScrollLeft:
            NotifyConfigWindow(monitor, ports, kScrollLeftNotice);
            return ports.scroller.ScrollHorizontal(
                ScrollCount(monitor.buttons.mouse.hScrollAmount));
        case kFnScrollRight:
            NotifyConfigWindow(monitor, ports, kScrollRightNotice);
            return ports.scroller.ScrollHorizontal(
                ScrollCount(-static_cast<std::int64_t>(monitor.buttons.mouse.hScrollAmount)));
        default:  // 0, 7 (button off), 11 (a label only) and everything above 17
            return;
    }
}

std::intptr_t HandleButtonEvent(std::uint64_t eventCode, const MonitorState& monitor,
                                const ActionPorts& ports) {
    if (const std::optional<int> record = RecordForEvent(eventCode)) {
        ExecuteButton(monitor.buttons.records[*record], monitor, ports);
    }
    return 1;
}

}  // namespace k2q::monitor
