// The Windows version classes that change what the monitor does: which switch-window shortcut
// the mouse is given and sent, whether session lock and unlock close the device, whether
// session notifications are registered at all.
#pragma once

namespace k2q::monitor {

enum class PlatformFamily { Other, Windows9x, WindowsNt };

// 0 unknown, 1 Windows 95/98, 2 Windows Me, 3 Windows 2000, 4 XP/Server 2003, 5 Vista,
// 6 Windows 7 and everything later.
int ClassifyOsVersion(PlatformFamily family, unsigned major, unsigned minor);

// Asks the running system (GetVersionExW) on every call; Win32 only.
int GetOsClass();

}  // namespace k2q::monitor
