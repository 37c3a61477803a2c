// KbSnare.dll: hands the keys a user presses to one window of the configuration program, for
// capturing a key combination or recording a macro. The caller names its window with
// installhook, switches delivery with SetHookStatus(1) and SetHookStatus(0), and ends with
// removehook; every key press and release in between arrives as WM_HOOK_KEY (wParam the
// virtual-key code, lParam kHookKeyReleased for a release, else 0), an auto-repeat as a copy of
// its press. KeyGate decides what is delivered and what the system does not see.
//
// A low-level keyboard hook sees the keys before any window does, the system keys included.
// Its procedure runs on the thread that called installhook, inside that thread's message
// retrieval, and only posts. So a program that hangs or dies cannot leave the keyboard dead:
// the system passes a key on when the hook does not answer in time, and removes the hook with
// its thread.
#include <windows.h>

#include "common/Messages.h"
#include "kbsnare/KeyGate.h"

namespace {

// Touched by the exports and by the hook procedure; both normally run on the thread that
// installed the hook, but a caller may switch delivery from another thread, so the lock.
struct Snare {
    SRWLOCK lock = SRWLOCK_INIT;
    HHOOK hook = nullptr;
    HWND receiver = nullptr;
    DWORD receiverThread = 0;
    k2q::kbsnare::KeyGate gate;
};

class Locked {
  public:
    explicit Locked(SRWLOCK& lock) : lock_(lock) { ::AcquireSRWLockExclusive(&lock_); }
    ~Locked() { ::ReleaseSRWLockExclusive(&lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

  private:
    SRWLOCK& lock_;
};

// Constant-initialized, so it exists before the first export is called and needs no guard.
constinit Snare snare;

HMODULE ThisModule() {
    HMODULE module = nullptr;
    ::GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

// A receiver that has gone away is never in front, so its program's keys are not kept from it.
bool ReceiverInFront(const Snare& s) {
    if (!s.receiverThread || !::IsWindow(s.receiver)) {
        return false;
    }
    HWND front = ::GetForegroundWindow();
    return front && ::GetWindowThreadProcessId(front, nullptr) == s.receiverThread;
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HC_ACTION) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        const bool release = (key->flags & LLKHF_UP) != 0;
        Snare& s = snare;
        k2q::kbsnare::KeyDecision decision;
        HWND receiver = nullptr;
        {
            Locked guard(s.lock);
            decision = s.gate.OnKey(key->vkCode, release, ReceiverInFront(s));
            receiver = s.receiver;
        }
        if (decision.deliver) {
            ::PostMessageW(receiver, k2q::WM_HOOK_KEY, key->vkCode,
                           release ? k2q::kHookKeyReleased : 0);
        }
        if (decision.swallow) {
            return 1;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void Unhook(Snare& s) {
    if (s.hook) {
        ::UnhookWindowsHookEx(s.hook);
        s.hook = nullptr;
    }
    s.receiver = nullptr;
    s.receiverThread = 0;
    s.gate.SetDelivering(false);
}

}  // namespace

// A second installhook replaces the first: one hook, on the calling thread, for the new window,
// with delivery off until it is switched on again.
extern "C" void installhook(HWND window) {
    Snare& s = snare;
    Locked guard(s.lock);
    Unhook(s);
    s.hook = ::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardProc, ThisModule(), 0);
    if (s.hook) {
        s.receiver = window;
        s.receiverThread = ::GetWindowThreadProcessId(window, nullptr);
    }
}

extern "C" void SetHookStatus(int on) {
    Snare& s = snare;
    Locked guard(s.lock);
    s.gate.SetDelivering(on != 0 && s.hook);
}

extern "C" void removehook() {
    Snare& s = snare;
    Locked guard(s.lock);
    Unhook(s);
}

// Released without removehook, the library must not leave a hook procedure behind that points
// into unmapped code. At process exit the system removes the hook itself.
BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        Snare& s = snare;
        if (s.hook) {
            ::UnhookWindowsHookEx(s.hook);
            s.hook = nullptr;
        }
    }
    return TRUE;
}
