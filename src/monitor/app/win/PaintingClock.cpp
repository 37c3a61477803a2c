#include "monitor/app/win/PaintingClock.h"

#include <windows.h>

namespace k2q::monitor {
namespace {

void DispatchPendingPaints() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
        ::DispatchMessageW(&msg);
    }
}

}  // namespace

void PaintingClock::SleepMilliseconds(std::uint32_t milliseconds) {
    if (milliseconds == 0) {
        ::Sleep(0);
        return;
    }
    const std::int64_t end = NowMicroseconds() + std::int64_t{milliseconds} * 1000;
    for (;;) {
        DispatchPendingPaints();
        const std::int64_t left = end - NowMicroseconds();
        if (left <= 0) {
            return;
        }
        const DWORD waitMs = static_cast<DWORD>((left + 999) / 1000);
        ::MsgWaitForMultipleObjectsEx(0, nullptr, waitMs, QS_PAINT, MWMO_INPUTAVAILABLE);
    }
}

}  // namespace k2q::monitor
