// The player's clock never ends a pause early, whichever way of pausing it has chosen. (How
// exact its pauses are is measured by a benchmark, not asserted here.)
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
    const std::int64_t start = clock.NowMicroseconds();
    clock.SleepMilliseconds(0);  // only yields
    EXPECT_GE(clock.NowMicroseconds(), start);
}

}  // namespace
}  // namespace k2q::monitor
