// What the player's clock promises: its pauses never end early, whichever way of pausing it has
// chosen, and its time is in microseconds of the system's own time. (How exact its pauses are
// is measured by a benchmark, not asserted here.)
#include "monitor/actions/win/PreciseClock.h"

#include <gtest/gtest.h>

namespace k2q::monitor {
namespace {

TEST(PreciseClock, PausesNeverEndEarly) {
    PreciseClock clock;
    // Enough pauses for the trials of both ways and some after the choice.
    for (std::uint32_t i = 0; i < 48; ++i) {
        const std::uint32_t ms = 1 + i % 4;
        const std::int64_t start = clock.NowMicroseconds();
        clock.SleepMilliseconds(ms);
        EXPECT_GE(clock.NowMicroseconds() - start, std::int64_t(ms) * 1000) << "pause " << i;
    }
}

TEST(PreciseClock, CountsMicrosecondsOfTheSystemsTime) {
    // The clock's interval lies inside the tick count's outer interval and contains its inner
    // one, give or take the tick count's step (up to 16 ms on Windows). A wrong unit or
    // frequency would be off by far more over a fifth of a second, however loaded the machine.
    constexpr std::int64_t kTickStepUs = 16'000;
    PreciseClock clock;
    const ULONGLONG outerStart = ::GetTickCount64();
    const std::int64_t start = clock.NowMicroseconds();
    const ULONGLONG innerStart = ::GetTickCount64();
    clock.SleepMilliseconds(200);
    const ULONGLONG innerEnd = ::GetTickCount64();
    const std::int64_t end = clock.NowMicroseconds();
    const ULONGLONG outerEnd = ::GetTickCount64();

    const std::int64_t elapsed = end - start;
    EXPECT_GE(elapsed, std::int64_t(innerEnd - innerStart) * 1000 - kTickStepUs);
    EXPECT_LE(elapsed, std::int64_t(outerEnd - outerStart) * 1000 + kTickStepUs);
    EXPECT_GE(elapsed, 200'000);
}

}  // namespace
}  // namespace k2q::monitor
