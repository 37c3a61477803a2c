// The system calls behind the window commands and the configuration window's notices.
#pragma once

#include "monitor/actions/SystemPort.h"

namespace k2q::monitor {

class Win32SystemPort : public SystemPort {
  public:
    int OsClass() override;
    std::uint16_t NativeArchitecture() override;
    void LockWorkStation() override;
    FsRedirection DisableFsRedirection() override;
    void RevertFsRedirection(std::uintptr_t oldValue) override;
    WindowRef ForegroundWindow() override;
    WindowRef DesktopWindow() override;
    std::uint32_t WindowStyle(WindowRef window) override;
    void SendSystemCommand(WindowRef window, std::uint32_t command) override;
    void PostWindowMessage(WindowRef window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override;
};

}  // namespace k2q::monitor
