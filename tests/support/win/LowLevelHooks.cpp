#include "support/win/LowLevelHooks.h"

#include <atomic>
#include <cstdio>

namespace k2q::testing {
namespace {

std::atomic<LowLevelHooks*> g_hooks{nullptr};

}  // namespace

std::int64_t NowUs() {
    LARGE_INTEGER f, now;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&now);
    return now.QuadPart / f.QuadPart * 1'000'000 +
           now.QuadPart % f.QuadPart * 1'000'000 / f.QuadPart;
}

std::ostream& operator<<(std::ostream& os, const HookedInput& i) {
    char text[128];
    if (i.keyboard) {
        std::snprintf(text, sizeof text, "key{msg %X vk %lX scan %lX flags %lX extra %llX}",
                      i.message, i.vk, i.scan, i.flags, (unsigned long long)i.extraInfo);
    } else {
        std::snprintf(text, sizeof text, "mouse{msg %X data %lX flags %lX at %ld,%ld extra %llX}",
                      i.message, i.mouseData, i.flags, i.pt.x, i.pt.y,
                      (unsigned long long)i.extraInfo);
    }
    return os << text;
}

HookedInput Key(UINT message, DWORD vk, DWORD scan, DWORD flags, ULONG_PTR extra) {
    return {true, message, vk, scan, flags, 0, {}, extra, 0};
}

HookedInput Button(UINT message, DWORD mouseData, ULONG_PTR extra) {
    return {false, message, 0, 0, LLMHF_INJECTED, mouseData, {}, extra, 0};
}

LowLevelHooks::LowLevelHooks() {
    thread_ = std::thread([this] { Run(); });
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return ready_; });
}

LowLevelHooks::~LowLevelHooks() {
    ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

void LowLevelHooks::Run() {
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
    g_hooks = this;
    const HINSTANCE self = ::GetModuleHandleW(nullptr);
    HHOOK keyboard = ::SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, self, 0);
    HHOOK mouse = ::SetWindowsHookExW(WH_MOUSE_LL, MouseProc, self, 0);
    {
        std::lock_guard lock(mutex_);
        threadId_ = ::GetCurrentThreadId();
        installed_ = keyboard && mouse;
        ready_ = true;
    }
    changed_.notify_all();
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    if (keyboard) {
        ::UnhookWindowsHookEx(keyboard);
    }
    if (mouse) {
        ::UnhookWindowsHookEx(mouse);
    }
    g_hooks = nullptr;
}

LRESULT CALLBACK LowLevelHooks::KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
    if (code == HC_ACTION && (k->flags & LLKHF_INJECTED)) {
        g_hooks.load()->Add({true,
                             static_cast<UINT>(wParam),
                             k->vkCode,
                             k->scanCode,
                             k->flags,
                             0,
                             {},
                             k->dwExtraInfo,
                             NowUs()});
        return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK LowLevelHooks::MouseProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    const auto* m = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    // Pointer moves are left alone: SetCursorPos is not what the tests watch.
    if (code == HC_ACTION && (m->flags & LLMHF_INJECTED) && wParam != WM_MOUSEMOVE) {
        g_hooks.load()->Add({false, static_cast<UINT>(wParam), 0, 0, m->flags, m->mouseData, m->pt,
                             m->dwExtraInfo, NowUs()});
        return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void LowLevelHooks::Add(const HookedInput& input) {
    {
        std::lock_guard lock(mutex_);
        seen_.push_back(input);
    }
    changed_.notify_all();
}

std::vector<HookedInput> LowLevelHooks::WaitFor(std::size_t count,
                                                std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, timeout, [&] { return seen_.size() >= count; });
    return seen_;
}

std::size_t LowLevelHooks::Count() {
    std::lock_guard lock(mutex_);
    return seen_.size();
}

void LowLevelHooks::Clear() {
    std::lock_guard lock(mutex_);
    seen_.clear();
}

}  // namespace k2q::testing
