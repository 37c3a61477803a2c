// Everything outside the action engine that an action may touch, handed to each action for one
// call. The Win32 monitor passes the real implementations, tests pass fakes.
#pragma once

#include "common/platform/Clock.h"
#include "monitor/actions/InputSink.h"
#include "monitor/actions/SystemPort.h"

namespace k2q::monitor {

struct ActionPorts {
    InputSink& input;
    KeyboardLayout& layout;
    SystemPort& system;
    Clock& clock;
    HorizontalScroller& scroller;
};

}  // namespace k2q::monitor
