#include "monitor/app/win/PaintingClock.h"

#include <windows.h>

namespace k2q::monitor {

// PeekMessage runs every waiting sent message whatever its filter; the flags keep it from
// returning input, and from returning posted messages while the thread is free (a free thread
// has nowhere to keep them, and they run from its message loop soon enough).
void PaintingClock::TakeWaitingMessages() {
    const UINT kinds = PM_QS_PAINT | PM_QS_SENDMESSAGE | (hold_.busy() ? PM_QS_POSTMESSAGE : 0);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | kinds)) {
        if (msg.message == WM_PAINT) {
            ::DispatchMessageW(&msg);
        } else {
            hold_.Keep(msg);
        }
    }
}

void PaintingClock::SleepMilliseconds(std::uint32_t milliseconds) {
    if (milliseconds == 0) {
        ::Sleep(0);
        return;
    }
    const std::int64_t end = NowMicroseconds() + std::int64_t{milliseconds} * 1000;
    for (;;) {
        TakeWaitingMessages();
        const std::int64_t left = end - NowMicroseconds();
        if (left <= 0) {
            return;
        }
        const DWORD waitMs = static_cast<DWORD>((left + 999) / 1000);
        const DWORD wake =
            QS_PAINT | QS_SENDMESSAGE | (hold_.busy() ? QS_POSTMESSAGE | QS_TIMER | QS_HOTKEY : 0);
        ::MsgWaitForMultipleObjectsEx(0, nullptr, waitMs, wake, MWMO_INPUTAVAILABLE);
    }
}

}  // namespace k2q::monitor
