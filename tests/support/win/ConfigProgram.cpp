#include "support/win/ConfigProgram.h"

#include <tlhelp32.h>

#include <thread>

#include "common/Messages.h"
#include "support/win/MessagePump.h"
#include "support/win/Processes.h"
#include "support/win/UserInput.h"

namespace k2q::testing {

using namespace std::chrono_literals;

DWORD ProcessOf(HWND hwnd) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

std::vector<HWND> VisibleWindowsOf(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            if (ProcessOf(hwnd) == s->pid && ::IsWindowVisible(hwnd)) {
                s->found.push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WindowOfSize(DWORD pid, int width, int height) {
    for (HWND hwnd : VisibleWindowsOf(pid)) {
        RECT r;
        ::GetWindowRect(hwnd, &r);
        if (r.right - r.left == width && r.bottom - r.top == height) {
            return hwnd;
        }
    }
    return nullptr;
}

HWND WaitForPopupOf(DWORD pid, int width, int height) {
    HWND found = nullptr;
    PumpUntil([&] { return (found = WindowOfSize(pid, width, height)) != nullptr; }, 10s);
    PumpFor(150ms);
    return found;
}

std::vector<DWORD> MonitorProcesses() {
    std::vector<DWORD> found;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return found;
    }
    PROCESSENTRY32W entry{sizeof entry};
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more;
         more = ::Process32NextW(snapshot, &entry)) {
        if (::lstrcmpiW(entry.szExeFile, L"K2q_Mouse.exe") == 0) {
            found.push_back(entry.th32ProcessID);
        }
    }
    ::CloseHandle(snapshot);
    return found;
}

void PointAt(POINT p) {
    MovePointer(p);
    const HWND under = ::WindowFromPoint(p);
    GUITHREADINFO gui{sizeof gui};
    PumpUntil(
        [&] {
            return !::GetGUIThreadInfo(::GetWindowThreadProcessId(under, nullptr), &gui) ||
                   !gui.hwndCapture || gui.hwndCapture == under;
        },
        5s);
    PumpFor(50ms);
}

void ClickAt(POINT p) {
    PointAt(p);
    LeftClick(p.x, p.y);
    PumpFor(100ms);
}

// The dialog stands borderless, so client points are window points; the pages stand at their
// place in it.
POINT ConfigDialog::DialogPoint(POINT p) const {
    return ScreenPointOf(dialog_, p.x, p.y);
}

POINT ConfigDialog::PagePoint(POINT p) const {
    const skin::Rect& area = skin::main_dialog::kPageArea;
    return DialogPoint({area.left + p.x, area.top + p.y});
}

bool ConfigDialog::ChooseFunction(const skin::Rect& label, int item, int entry) const {
    ClickPage(label);
    const HWND menu =
        WaitForPopupOf(pid_, skin::function_menu::kWidth, skin::function_menu::kHeight);
    if (!menu) {
        return false;
    }
    const POINT itemPoint = ScreenPointOf(menu, skin::function_menu::kWidth / 2,
                                          item * skin::function_menu::kItemPitch + 11);
    if (entry < 0) {
        ClickAt(itemPoint);
        return true;
    }
    MovePointer(itemPoint);  // a submenu opens on hover
    HWND submenu = nullptr;
    const bool opened = PumpUntil(
        [&] {
            for (HWND w : VisibleWindowsOf(pid_)) {
                RECT r;
                ::GetWindowRect(w, &r);
                if (w != menu && r.right - r.left == skin::submenu::kWidth &&
                    (r.bottom - r.top - 1) % skin::submenu::kItemPitch == 0) {
                    submenu = w;
                    return true;
                }
            }
            return false;
        },
        10s);
    if (!opened) {
        return false;
    }
    PumpFor(150ms);
    // Across into the submenu along the item, then down to the entry.
    RECT at;
    ::GetWindowRect(submenu, &at);
    MovePointer(at.left + 10, itemPoint.y);
    const POINT entryPoint =
        ScreenPointOf(submenu, skin::submenu::kWidth / 2, entry * skin::submenu::kItemPitch + 12);
    MovePointer(entryPoint);
    ClickAt(entryPoint);
    return true;
}

bool ConfigDialog::ChooseMainMenuItem(const skin::Rect& button, int pictureWidth,
                                      int pictureHeight, int item) const {
    ClickDialog(button);
    const HWND menu = WaitForPopupOf(pid_, pictureWidth, pictureHeight);
    if (!menu) {
        return false;
    }
    const POINT p = ScreenPointOf(menu, pictureWidth / 2, item * 24 + 11);
    MovePointer(p);
    ClickAt(p);
    return true;
}

bool MonitorReloaded() {
    return WaitForWindow(kProgressWindowTitle, 10s) && WaitForNoWindow(kProgressWindowTitle, 20s);
}

void StopMonitors(std::chrono::milliseconds bound) {
    const auto end = std::chrono::steady_clock::now() + bound;
    for (;;) {
        const std::vector<DWORD> running = MonitorProcesses();
        if (running.empty()) {
            return;
        }
        if (HWND monitor = ::FindWindowW(nullptr, kMonitorWindowTitle)) {
            ::PostMessageW(monitor, WM_CLOSE, 0, 0);
        }
        if (std::chrono::steady_clock::now() > end) {
            for (DWORD pid : running) {
                if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, pid)) {
                    ::TerminateProcess(process, 99);
                    ::CloseHandle(process);
                }
            }
        }
        std::this_thread::sleep_for(100ms);
    }
}

// A process that has shown a menu may keep its hidden menu window: the shown one is looked for
// among them all.
HWND ShownMenu() {
    for (HWND menu = ::FindWindowExW(nullptr, nullptr, L"#32768", nullptr); menu;
         menu = ::FindWindowExW(nullptr, menu, L"#32768", nullptr)) {
        if (::IsWindowVisible(menu)) {
            return menu;
        }
    }
    return nullptr;
}

}  // namespace k2q::testing
