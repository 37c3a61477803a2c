// Bounded message pumps for Win32 tests: they let this thread's window procedures run (posted
// events, timers, paints) while a test waits for an outcome. The bounds guard against a hang;
// they are not speed requirements.
#pragma once

#include <windows.h>

#include <chrono>

namespace k2q::testing {

// Runs the messages that are already queued.
inline void PumpQueued() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Runs this thread's messages until done() holds or the bound passes; returns done().
template <class Done>
bool PumpUntil(Done done, std::chrono::milliseconds bound = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + bound;
    for (;;) {
        PumpQueued();
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

// Runs this thread's messages for a while: what is queued and what arrives meanwhile.
inline void PumpFor(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    PumpUntil([&] { return std::chrono::steady_clock::now() >= end; }, duration);
}

}  // namespace k2q::testing
