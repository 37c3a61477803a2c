#include "config/shell/win/Win32MonitorLink.h"

#include "common/Messages.h"

namespace k2q::config::win {
namespace {

HWND MonitorWindow() { return ::FindWindowW(nullptr, kMonitorWindowTitle); }

}  // namespace

bool Win32MonitorLink::MonitorPresent() { return MonitorWindow() != nullptr; }

bool Win32MonitorLink::ReloadRunning() {
    return ::FindWindowW(nullptr, kProgressWindowTitle) != nullptr;
}

void Win32MonitorLink::RequestReload(std::uint32_t flags) {
    if (HWND monitor = MonitorWindow()) {
        ::PostMessageW(monitor, kReloadRequestMessage, flags, 0);
    }
}

void Win32MonitorLink::AnnounceWindow(HWND window) {
    if (HWND monitor = MonitorWindow()) {
        ::PostMessageW(monitor, kConfigWindowMessage, reinterpret_cast<WPARAM>(window), 0);
    }
}

}  // namespace k2q::config::win
