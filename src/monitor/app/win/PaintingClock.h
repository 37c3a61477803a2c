// The clock of the reload: its waits block the monitor's thread for seconds, as they must (button
// events wait in the queue, in order), but they keep painting, so the progress popup stays whole
// when something passes over it. Only paint messages are dispatched; input and every other
// message stay queued.
#pragma once

#include "common/win/Win32Clock.h"

namespace k2q::monitor {

class PaintingClock : public win::Win32Clock {
  public:
    void SleepMilliseconds(std::uint32_t milliseconds) override;
};

}  // namespace k2q::monitor
