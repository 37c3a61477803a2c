// A clock whose sleeps end within a fraction of a millisecond of their length. A plain Sleep
// rounds up to the system timer (15.6 ms unless someone raised its resolution), which would turn
// the player's 50 ms pauses into 50 to 62 ms. So the clock waits most of a pause on a
// high-resolution waitable timer where the system has one (Windows 10 1803 and later), else on
// Sleep with the timer resolution raised to 1 ms for that sleep only, and spins the last
// stretch on the performance counter.
#pragma once

#include <memory>

#include "common/win/UniqueHandle.h"
#include "common/win/Win32Clock.h"

namespace k2q::monitor {

class PreciseClock : public win::Win32Clock {
  public:
    PreciseClock();
    ~PreciseClock() override;

    void SleepMilliseconds(std::uint32_t milliseconds) override;

    // Whether the waits run on a high-resolution waitable timer.
    bool HasHighResolutionTimer() const { return static_cast<bool>(timer_); }

  private:
    // Waits until shortly before the deadline, leaving the rest to the spin.
    void WaitMostOfTheWay(std::int64_t deadline);
    bool WaitOnTimer(std::int64_t microseconds);
    void SleepWithFineResolution(std::int64_t microseconds);

    struct TimerResolution;
    win::UniqueKernelHandle timer_;
    std::unique_ptr<TimerResolution> resolution_;  // only without the high-resolution timer
};

}  // namespace k2q::monitor
