// Time as a seam: everything that waits or measures asks a Clock, so tests replace it and run a
// macro of minutes in microseconds while checking every pause.
#pragma once

#include <cstdint>

namespace k2q {

class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic time in microseconds from an arbitrary origin.
    virtual std::int64_t NowMicroseconds() = 0;
    // Blocks the calling thread; 0 gives up the rest of the time slice once.
    virtual void SleepMilliseconds(std::uint32_t milliseconds) = 0;
};

}  // namespace k2q
