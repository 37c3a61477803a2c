// The real configuration program and monitor, driven from another process as a user drives
// them: the skinned popups are found by their pictures' sizes (menu handles do not cross
// processes under Wine), and every click waits until the program has seen the pointer arrive.
// Shared by the tests of the shipped programs and the benchmarks that time them.
#pragma once

#include <windows.h>

#include <chrono>
#include <vector>

#include "common/ui/SkinLayout.h"

namespace k2q::testing {

DWORD ProcessOf(HWND hwnd);
std::vector<HWND> VisibleWindowsOf(DWORD pid);
// A visible window of the process with exactly this size.
HWND WindowOfSize(DWORD pid, int width, int height);
// Waits for such a window and lets it paint before it is clicked or photographed.
HWND WaitForPopupOf(DWORD pid, int width, int height);

// Every running K2q_Mouse.exe, wherever it was started from.
std::vector<DWORD> MonitorProcesses();

// The pointer goes there first, and the press waits until the program has seen the move:
// injected input jumps, and a press queued while a skinned button elsewhere still holds the
// capture from the last click would go to that button (a hand on a mouse never moves that
// fast). The window under the point takes the capture itself when it wants it.
void PointAt(POINT p);
void ClickAt(POINT p);  // PointAt, then a left click there

inline POINT RectCentre(const skin::Rect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The main dialog of a running configuration program: its screen points and its menus.
class ConfigDialog {
  public:
    ConfigDialog() = default;
    ConfigDialog(DWORD pid, HWND dialog) : pid_(pid), dialog_(dialog) {}

    DWORD pid() const { return pid_; }
    HWND hwnd() const { return dialog_; }

    // Client points of the dialog and of its pages, on the screen.
    POINT DialogPoint(POINT p) const;
    POINT PagePoint(POINT p) const;
    void ClickDialog(const skin::Rect& r) const { ClickAt(DialogPoint(RectCentre(r))); }
    void ClickPage(const skin::Rect& r) const { ClickAt(PagePoint(RectCentre(r))); }

    // Opens a label's function menu and clicks item `item`, or entry `entry` of its submenu;
    // false when a menu did not open.
    bool ChooseFunction(const skin::Rect& label, int item, int entry = -1) const;
    // Clicks item `item` of the main menu opened by the menu-bar button `button`, whose picture
    // has this size; false when the menu did not open.
    bool ChooseMainMenuItem(const skin::Rect& button, int pictureWidth, int pictureHeight,
                            int item) const;

  private:
    DWORD pid_ = 0;
    HWND dialog_ = nullptr;
};

// Waits until the monitor has shown its progress popup and taken it down again.
bool MonitorReloaded();

// Ends every running monitor through its window, as its tray menu would, and by force only
// when that fails within the bound. A second monitor still starting when the first ends would
// otherwise live on.
void StopMonitors(std::chrono::milliseconds bound = std::chrono::seconds(20));

// The shown popup menu (menus are windows of class "#32768").
HWND ShownMenu();

}  // namespace k2q::testing
