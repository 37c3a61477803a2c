#include "common/win/Win32Clock.h"

#include <windows.h>

namespace k2q::win {

std::int64_t Win32Clock::NowMicroseconds() {
    static const std::int64_t frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<std::int64_t>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    // Split to keep the multiplication from overflowing on long uptimes.
    const std::int64_t seconds = now.QuadPart / frequency;
    const std::int64_t rest = now.QuadPart % frequency;
    return seconds * 1'000'000 + rest * 1'000'000 / frequency;
}

void Win32Clock::SleepMilliseconds(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace k2q::win
