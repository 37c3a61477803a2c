// The system calls behind the window commands and the configuration window's notices, as a
// seam: the engine takes every decision (which window, which version, whether to lock) and the
// port only performs single calls, so the decisions are tested without a desktop to lock.
#pragma once

#include <cstdint>

namespace k2q::monitor {

// A window handle as a number; 0 is no window.
using WindowRef = std::uintptr_t;

// Native processor architectures of GetNativeSystemInfo that run 32-bit programs under Wow64.
enum : std::uint16_t {
    kArchitectureIa64 = 6,
    kArchitectureAmd64 = 9,
};

enum : std::uint32_t {
    kStyleMaximizeBox = 0x00010000,
    kStyleMinimizeBox = 0x00020000,
};

enum : std::uint32_t {
    kSysCommandMessage = 0x0112,
    kSysCommandMinimize = 0xF020,
    kSysCommandMaximize = 0xF030,
};

// What the attempt to switch off the Wow64 file-system redirection found.
struct FsRedirection {
    bool available = false;       // the system has the function
    bool disabled = false;        // the call succeeded; only then is there a state to revert to
    std::uintptr_t oldValue = 0;  // the state it handed back
};

class SystemPort {
  public:
    virtual ~SystemPort() = default;

    // The version class of GetOsClass, asked anew at each call.
    virtual int OsClass() = 0;

    virtual std::uint16_t NativeArchitecture() = 0;
    virtual void LockWorkStation() = 0;
    virtual FsRedirection DisableFsRedirection() = 0;
    virtual void RevertFsRedirection(std::uintptr_t oldValue) = 0;

    virtual WindowRef ForegroundWindow() = 0;
    virtual WindowRef DesktopWindow() = 0;
    virtual std::uint32_t WindowStyle(WindowRef window) = 0;
    // Sent, not posted: the command is carried out when this returns.
    virtual void SendSystemCommand(WindowRef window, std::uint32_t command) = 0;

    virtual void PostWindowMessage(WindowRef window, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) = 0;
};

// Sideways scrolling of the window under the pointer: a positive count scrolls left, a
// negative one right, 0 does nothing.
class HorizontalScroller {
  public:
    virtual ~HorizontalScroller() = default;
    virtual void ScrollHorizontal(int count) = 0;
};

// A scroller that leaves every window alone, for measurements of the engine itself.
class NoHorizontalScroll : public HorizontalScroller {
  public:
    void ScrollHorizontal(int) override {}
};

}  // namespace k2q::monitor
