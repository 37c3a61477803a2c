// The monitor as the configuration program reaches it: its hidden window and its progress
// popup, found anew by their titles each time, and messages posted (never sent, so the dialog
// never waits for a monitor that is busy reloading).
#pragma once

#include <windows.h>

#include "config/shell/ShellRules.h"

namespace k2q::config::win {

class Win32MonitorLink : public MonitorLink {
  public:
    bool MonitorPresent() override;
    bool ReloadRunning() override;
    void RequestReload(std::uint32_t flags) override;

    // Tells the monitor which window to notify and close; nullptr when the dialog goes.
    void AnnounceWindow(HWND window);
};

}  // namespace k2q::config::win
