// A clock whose sleeps end within a fraction of a millisecond of their length. A plain Sleep
// rounds up to the system timer (15.6 ms unless someone raised its resolution), which would turn
// the player's 50 ms pauses into 50 to 62 ms. So each pause is waited in two stages: most of it
// on a high-resolution waitable timer where the system has one (Windows 10 1803 and later),
// else on Sleep with the timer resolution raised to 1 ms for that sleep only; the rest is spun
// on the performance counter.
//
// How early the first stage hands over is learnt from how late it has woken lately: a short
// spin where the waits are punctual, up to 2 ms where they are not. Spinning longer than needed
// would cost processor time, and on a busy machine the spinning thread loses the scheduler's
// favour and is preempted in the middle of the spin.
#pragma once

#include <array>

#include "common/win/OptionalApi.h"
#include "common/win/UniqueHandle.h"
#include "common/win/Win32Clock.h"

namespace k2q::monitor {

// Used on the monitor's user-interface thread only.
class PreciseClock : public win::Win32Clock {
  public:
    PreciseClock();

    void SleepMilliseconds(std::uint32_t milliseconds) override;

    bool HasHighResolutionTimer() const { return static_cast<bool>(timer_); }

  private:
    // Waits until about `wake`, never much earlier; returns how late it woke (microseconds).
    std::int64_t WaitUntil(std::int64_t wake);
    void NoteLateness(std::int64_t microseconds);

    using TimePeriodFn = UINT WINAPI(UINT);
    win::UniqueKernelHandle timer_;
    // Looked up at run time, so that the monitor links no multimedia library for two calls.
    win::OptionalFunction<TimePeriodFn> beginPeriod_{L"winmm.dll", "timeBeginPeriod"};
    win::OptionalFunction<TimePeriodFn> endPeriod_{L"winmm.dll", "timeEndPeriod"};

    std::array<std::int64_t, 16> recentLateness_;
    std::size_t nextLateness_ = 0;
    std::int64_t marginUs_;
};

}  // namespace k2q::monitor
