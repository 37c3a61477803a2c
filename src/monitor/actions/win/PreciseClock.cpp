#include "monitor/actions/win/PreciseClock.h"

#include <windows.h>

#include "common/win/OptionalApi.h"

namespace k2q::monitor {
namespace {

// Not in every SDK's headers; the value is fixed by the system.
constexpr DWORD kHighResolutionTimerFlag = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

// How early each way of waiting hands over to the spin: a high-resolution timer wakes well
// within this, a Sleep at 1 ms resolution within about two timer steps.
constexpr std::int64_t kTimerMarginUs = 1000;
constexpr std::int64_t kSleepMarginUs = 2000;

using TimePeriodFn = UINT WINAPI(UINT);

}  // namespace

// timeBeginPeriod and timeEndPeriod, looked up in winmm at run time so the monitor does not
// load the multimedia library unless it needs it.
struct PreciseClock::TimerResolution {
    win::OptionalFunction<TimePeriodFn> begin{L"winmm.dll", "timeBeginPeriod"};
    win::OptionalFunction<TimePeriodFn> end{L"winmm.dll", "timeEndPeriod"};
};

PreciseClock::PreciseClock()
    : timer_(
          ::CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimerFlag, TIMER_ALL_ACCESS)) {
    if (!timer_) {
        resolution_ = std::make_unique<TimerResolution>();
    }
}

PreciseClock::~PreciseClock() = default;

void PreciseClock::SleepMilliseconds(std::uint32_t milliseconds) {
    if (milliseconds == 0) {
        ::Sleep(0);  // gives up the rest of the time slice, as a pause of 0 must
        return;
    }
    const std::int64_t deadline = NowMicroseconds() + std::int64_t(milliseconds) * 1000;
    WaitMostOfTheWay(deadline);
    while (NowMicroseconds() < deadline) {
        YieldProcessor();
    }
}

void PreciseClock::WaitMostOfTheWay(std::int64_t deadline) {
    const std::int64_t left = deadline - NowMicroseconds();
    if (timer_ && left > kTimerMarginUs && WaitOnTimer(left - kTimerMarginUs)) {
        return;
    }
    if (left > kSleepMarginUs) {
        SleepWithFineResolution(left - kSleepMarginUs);
    }
}

bool PreciseClock::WaitOnTimer(std::int64_t microseconds) {
    LARGE_INTEGER due;
    due.QuadPart = -microseconds * 10;  // relative, in 100 ns units
    if (!::SetWaitableTimerEx(timer_.get(), &due, 0, nullptr, nullptr, nullptr, 0)) {
        return false;
    }
    return ::WaitForSingleObject(timer_.get(), INFINITE) == WAIT_OBJECT_0;
}

void PreciseClock::SleepWithFineResolution(std::int64_t microseconds) {
    // The resolution is a system-wide setting that costs power: raised for this sleep only.
    const bool raised =
        resolution_ && resolution_->begin && resolution_->end && resolution_->begin.get()(1) == 0;
    ::Sleep(static_cast<DWORD>(microseconds / 1000));
    if (raised) {
        resolution_->end.get()(1);
    }
}

}  // namespace k2q::monitor
