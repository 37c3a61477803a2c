// The monitor's handling of a button or wheel event: the driver's event code names a record of
// the button assignment block, and the record's function is carried out. The executor keeps
// nothing between events; each one is a whole click, shortcut, macro or scroll.
#pragma once

#include <cstdint>
#include <optional>

#include "common/Messages.h"
#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroSetting.h"
#include "monitor/actions/ActionPorts.h"

namespace k2q::monitor {

// The record an event code stands for; none for a code the mouse never sends.
std::optional<int> RecordForEvent(std::uint64_t eventCode);

// What the executor reads of the monitor: its in-memory blocks, read and never written, and
// the configuration window that announced itself (0 while none has).
struct MonitorState {
    const ButtonSetting& buttons;
    const MacroSetting& macros;
    WindowRef configWindow = 0;
};

// Carries out one record; a function outside the known codes does nothing.
void ExecuteButton(const ButtonRecord& record, const MonitorState& monitor,
                   const ActionPorts& ports);

// The handler of kButtonEventMessage; unknown codes are ignored. Always answers 1.
std::intptr_t HandleButtonEvent(std::uint64_t eventCode, const MonitorState& monitor,
                                const ActionPorts& ports);

}  // namespace k2q::monitor
