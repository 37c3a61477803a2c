// A clock whose time moves only when something sleeps on it; it records every sleep, so a test
// checks each pause of a long sequence without waiting for it.
#pragma once

#include <vector>

#include "common/platform/Clock.h"

namespace k2q::testing {

class FakeClock : public Clock {
public:
    std::int64_t NowMicroseconds() override { return now; }
    void SleepMilliseconds(std::uint32_t milliseconds) override {
        sleeps.push_back(milliseconds);
        now += static_cast<std::int64_t>(milliseconds) * 1000;
    }

    std::int64_t now = 0;
    std::vector<std::uint32_t> sleeps;
};

}  // namespace k2q::testing
