#include "monitor/actions/win/PreciseClock.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace k2q::monitor {
namespace {

// Not in every SDK's headers; the value is fixed by the system.
constexpr DWORD kHighResolutionTimerFlag = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

// The spin covers the latest recent wake-up plus this, within these bounds.
constexpr std::int64_t kMarginSlackUs = 200;
constexpr std::int64_t kMinMarginUs = 200;
constexpr std::int64_t kMaxMarginUs = 2000;

// Trials of both ways, taken in turn, and the pauses between two rounds of trials.
constexpr int kTrials = 16;
constexpr int kPausesBetweenTrials = 400;

}  // namespace

PreciseClock::PreciseClock()
    : timer_(
          ::CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimerFlag, TIMER_ALL_ACCESS)),
      marginUs_(kMaxMarginUs),
      trialsLeft_(kTrials) {
    // Cautious until the first stage has shown how punctual it is.
    recentLateness_.fill(kMaxMarginUs - kMarginSlackUs);
}

void PreciseClock::SleepMilliseconds(std::uint32_t milliseconds) {
    if (milliseconds == 0) {
        ::Sleep(0);  // gives up the rest of the time slice, as a pause of 0 must
        return;
    }
    const bool trial = trialsLeft_ > 0;
    const Way way = !trial ? way_ : trialsLeft_ % 2 ? Way::TwoStages : Way::WholeSleep;
    const std::int64_t deadline = NowMicroseconds() + std::int64_t(milliseconds) * 1000;
    if (way == Way::WholeSleep) {
        SleepFor(deadline - NowMicroseconds());
    } else if (deadline - NowMicroseconds() > marginUs_) {
        NoteLateness(WaitUntil(deadline - marginUs_));
    }
    // The second stage of the two; after a whole Sleep it runs only when Sleep returned early,
    // which it can by up to a timer step. A pause never ends before its time.
    while (NowMicroseconds() < deadline) {
        YieldProcessor();
    }
    if (trial) {
        NoteTrial(way, std::llabs(NowMicroseconds() - deadline));
    } else if (--pausesUntilTrials_ <= 0) {
        trialsLeft_ = kTrials;  // the machine's load changes: look again
    }
}

void PreciseClock::SleepFor(std::int64_t microseconds) {
    if (microseconds < 1000) {
        return;
    }
    // The resolution is a setting of the whole system on older Windows and costs power: raised
    // for this sleep only.
    const bool raised = beginPeriod_ && endPeriod_ && beginPeriod_.get()(1) == 0;
    ::Sleep(static_cast<DWORD>(microseconds / 1000));
    if (raised) {
        endPeriod_.get()(1);
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
    const std::int64_t whole = (wake - start) / 1000 * 1000;
    SleepFor(whole);
    return whole < 1000 ? 0 : NowMicroseconds() - (start + whole);
}

void PreciseClock::NoteLateness(std::int64_t microseconds) {
    recentLateness_[nextLateness_] = std::max<std::int64_t>(microseconds, 0);
    nextLateness_ = (nextLateness_ + 1) % recentLateness_.size();
    const std::int64_t latest = *std::max_element(recentLateness_.begin(), recentLateness_.end());
    marginUs_ = std::clamp(latest + kMarginSlackUs, kMinMarginUs, kMaxMarginUs);
}

void PreciseClock::NoteTrial(Way way, std::int64_t errorUs) {
    trialErrorUs_[static_cast<int>(way)] += errorUs;
    if (--trialsLeft_ > 0) {
        return;
    }
    // Both ways had the same number of trials: the smaller total error wins.
    const auto twoStages = trialErrorUs_[static_cast<int>(Way::TwoStages)];
    const auto wholeSleep = trialErrorUs_[static_cast<int>(Way::WholeSleep)];
    way_ = wholeSleep < twoStages ? Way::WholeSleep : Way::TwoStages;
    trialErrorUs_[0] = trialErrorUs_[1] = 0;
    pausesUntilTrials_ = kPausesBetweenTrials;
}

}  // namespace k2q::monitor
