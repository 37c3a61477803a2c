// Watches the system's input with low-level keyboard and mouse hooks on a thread of their own,
// so the injected input of an action is seen as the system receives it: in order, with its
// flags and extra information. Injected input is swallowed, so the tests never type into or
// click on anything.
#pragma once

#include <windows.h>

#include "support/win/MessagePump.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <ostream>
#include <thread>
#include <vector>

namespace k2q::testing {

struct HookedInput {
    bool keyboard;
    UINT message;     // WM_KEYDOWN, WM_LBUTTONUP, WM_MOUSEWHEEL ...
    DWORD vk;         // keyboard only
    DWORD scan;       // keyboard only
    DWORD flags;      // LLKHF_* or LLMHF_*
    DWORD mouseData;  // mouse only: wheel delta or X button in the high word
    POINT pt;         // mouse only
    ULONG_PTR extraInfo;
    std::int64_t atUs;  // performance counter, microseconds

    bool SameInput(const HookedInput& o) const {
        return keyboard == o.keyboard && message == o.message && vk == o.vk && scan == o.scan &&
               flags == o.flags && mouseData == o.mouseData && extraInfo == o.extraInfo;
    }
};

std::ostream& operator<<(std::ostream& os, const HookedInput& input);

HookedInput Key(UINT message, DWORD vk, DWORD scan, DWORD flags, ULONG_PTR extra = 0);
HookedInput Button(UINT message, DWORD mouseData, ULONG_PTR extra);

class LowLevelHooks {
  public:
    LowLevelHooks();  // returns when both hooks are in place
    ~LowLevelHooks();
    LowLevelHooks(const LowLevelHooks&) = delete;
    LowLevelHooks& operator=(const LowLevelHooks&) = delete;

    bool installed() const { return installed_; }

    // Waits until at least count inputs have been seen; returns them all.
    std::vector<HookedInput> WaitFor(std::size_t count,
                                     std::chrono::milliseconds timeout = std::chrono::seconds(5));
    std::size_t Count();
    void Clear();

  private:
    static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void Add(const HookedInput& input);
    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<HookedInput> seen_;
    bool ready_ = false;
    bool installed_ = false;
    DWORD threadId_ = 0;
    std::thread thread_;
};

// The performance counter in microseconds, the clock of HookedInput::atUs.
std::int64_t NowUs();

}  // namespace k2q::testing
