#include "monitor/actions/win/PreciseClock.h"

#include <windows.h>

#include <algorithm>

namespace k2q::monitor {
namespace {

// Not in every SDK's headers; the value is fixed by the system.
constexpr DWORD kHighResolutionTimerFlag = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

// The spin covers the latest recent wake-up plus this, within these bounds.
constexpr std::int64_t kMarginSlackUs = 200;
constexpr std::int64_t kMinMarginUs = 200;
constexpr std::int64_t kMaxMarginUs = 2000;

}  // namespace

PreciseClock::PreciseClock()
    : timer_(
          ::CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimerFlag, TIMER_ALL_ACCESS)),
      marginUs_(kMaxMarginUs) {
    // Cautious until the first stage has shown how punctual it is.
    recentLateness_.fill(kMaxMarginUs - kMarginSlackUs);
}

void PreciseClock::SleepMilliseconds(std::uint32_t milliseconds) {
    if (milliseconds == 0) {
        ::Sleep(0);  // gives up the rest of the time slice, as a pause of 0 must
        return;
    }
    const std::int64_t deadline = NowMicroseconds() + std::int64_t(milliseconds) * 1000;
    if (milliseconds * 1000ll > marginUs_) {
        NoteLateness(WaitUntil(deadline - marginUs_));
    }
    while (NowMicroseconds() < deadline) {
        YieldProcessor();
    }
}

std::int64_t PreciseClock::WaitUntil(std::int64_t wake) {
    const std::int64_t start = NowMicroseconds();
    if (timer_) {
        LARGE_INTEGER due;
        due.QuadPart = -(wake - start) * 10;  // relative, in 100 ns units
        if (::SetWaitableTimerEx(timer_.get(), &due, 0, nullptr, nullptr, nullptr, 0) &&
            ::WaitForSingleObject(timer_.get(), INFINITE) == WAIT_OBJECT_0) {
            return NowMicroseconds() - wake;
        }
    }
    // Sleep counts whole milliseconds: wake at the last one before the margin.
    const std::int64_t whole = (wake - start) / 1000;
    if (whole < 1) {
        return 0;
    }
    // The resolution is a setting of the whole system on older Windows and costs power: raised
    // for this sleep only.
    const bool raised = beginPeriod_ && endPeriod_ && beginPeriod_.get()(1) == 0;
    ::Sleep(static_cast<DWORD>(whole));
    if (raised) {
        endPeriod_.get()(1);
    }
    return NowMicroseconds() - (start + whole * 1000);
}

void PreciseClock::NoteLateness(std::int64_t microseconds) {
    recentLateness_[nextLateness_] = std::max<std::int64_t>(microseconds, 0);
    nextLateness_ = (nextLateness_ + 1) % recentLateness_.size();
    const std::int64_t latest = *std::max_element(recentLateness_.begin(), recentLateness_.end());
    marginUs_ = std::clamp(latest + kMarginSlackUs, kMinMarginUs, kMaxMarginUs);
}

}  // namespace k2q::monitor
