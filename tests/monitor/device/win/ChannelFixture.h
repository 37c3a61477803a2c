// What the channel tests share: a window that records the button events posted to it and a look at the reader thread from outside.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "common/win/UniqueHandle.h"
#include "common/win/Window.h"
#include "common/Messages.h"
#include "monitor/device/DriverRequests.h"
#include "support/win/HandleCount.h"
#include "support/win/MessagePump.h"

namespace k2q::testing {

class EventWindow : public win::Window {
  public:
    EventWindow() {
        CreateParams p;
        p.className = L"K2qTestEventWindow";
        p.width = p.height = 1;
        EXPECT_TRUE(Create(p));
    }

    std::vector<std::uint32_t> events;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kButtonEventMessage) {
            EXPECT_EQ(lParam, 0);
            events.push_back(static_cast<std::uint32_t>(wParam));
            return 0;
        }
        return Window::WndProc(msg, wParam, lParam);
    }
};

// Runs the messages that are already queued, and those that arrive within a short while.
inline void PumpPending() { PumpFor(std::chrono::milliseconds(50)); }

inline win::UniqueKernelHandle OpenThreadById(DWORD id) {
    return win::UniqueKernelHandle(::OpenThread(SYNCHRONIZE, FALSE, id));
}

inline bool ThreadRunning(HANDLE thread) {
    return ::WaitForSingleObject(thread, 0) == WAIT_TIMEOUT;
}

}  // namespace k2q::testing
