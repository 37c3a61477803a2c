// The clock seam over the performance counter and Sleep.
#pragma once

#include "common/platform/Clock.h"

namespace k2q::win {

class Win32Clock : public Clock {
public:
    std::int64_t NowMicroseconds() override;
    void SleepMilliseconds(std::uint32_t milliseconds) override;
};

}  // namespace k2q::win
