// A clock whose sleeps end within a fraction of a millisecond of their length. A plain Sleep
// rounds up to the system timer (15.6 ms unless someone raised its resolution), which would turn
// the player's 50 ms pauses into 50 to 62 ms.
//
// Two ways of pausing, and the clock keeps to the one that has been more exact here:
// - two stages: most of the pause on a high-resolution waitable timer where the system has one
//   (Windows 10 1803 and later), else on Sleep with the timer resolution raised to 1 ms; then a
//   spin on the performance counter. How early the first stage hands over is learnt from how
//   late it has woken lately, so the spin stays short where the waits are punctual. This is the
//   exact way on Windows.
// - one Sleep of the whole pause at 1 ms resolution, without a spin. Where Sleep is already
//   exact to the microsecond (Wine sleeps on the host's clock) this is as exact, and on a busy
//   host a spinning thread loses the scheduler's favour and is preempted in the middle of it.
// The first pauses, and a few again every few hundred, try both in turn and compare their
// errors; the timer resolution is raised only for the length of each sleep.
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
    // Whether the pauses currently end with a spin (false: one Sleep each).
    bool SpinsAtTheEnd() const { return way_ == Way::TwoStages; }

  private:
    enum class Way { TwoStages, WholeSleep };

    void SleepFor(std::int64_t microseconds);
    // Waits until about `wake`, never much earlier; returns how late it woke (microseconds).
    std::int64_t WaitUntil(std::int64_t wake);
    void NoteLateness(std::int64_t microseconds);
    void NoteTrial(Way way, std::int64_t errorUs);

    using TimePeriodFn = UINT WINAPI(UINT);
    win::UniqueKernelHandle timer_;
    // Looked up at run time, so that the monitor links no multimedia library for two calls.
    win::OptionalFunction<TimePeriodFn> beginPeriod_{L"winmm.dll", "timeBeginPeriod"};
    win::OptionalFunction<TimePeriodFn> endPeriod_{L"winmm.dll", "timeEndPeriod"};

    std::array<std::int64_t, 16> recentLateness_;
    std::size_t nextLateness_ = 0;
    std::int64_t marginUs_;

    Way way_ = Way::TwoStages;
    int trialsLeft_;
    int pausesUntilTrials_ = 0;
    std::int64_t trialErrorUs_[2] = {0, 0};
};

}  // namespace k2q::monitor
