// Opening and closing every menu and dialog of the configuration program again and again must
// leave nothing behind. The main dialog is hosted here as the program hosts it (its templates
// in this program, its skins, texts and KbSnare.dll beside it), and each window is opened and
// closed through the messages a user's click sends: 1,000 pointer clicks per window would take
// most of an hour under Wine, and the growth is the same either way. A modal dialog is closed
// from a timer once it has been shown and painted (WM_TIMER comes after the paints).
//
// Printed for each window: the growth of GDI objects, windows and kernel handles over the
// cycles, beside the same counts over as many empty cycles (one message pump each).
//   bench_ConfigCycles [cycles]   (1000 when not given)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "common/Messages.h"
#include "common/localization/win/ProgramLanguage.h"
#include "common/settings/ButtonSetting.h"
#include "common/ui/BmpMenuModel.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/BmpMenu.h"
#include "common/win/Gdiplus.h"
#include "common/win/Win32Registry.h"
#include "config/buttons/win/ButtonPage.h"
#include "config/shell/win/ConfigDlg.h"
#include "config/shell/win/ShellResources.h"
#include "config/shell/win/Win32MonitorLink.h"
#include "support/Stats.h"
#include "support/win/ConfigProgram.h"
#include "support/win/GdiObjects.h"
#include "support/win/HandleCount.h"
#include "support/win/MessagePump.h"

namespace {

using namespace k2q;
using config::win::CK2Q_ConfigDlg;

struct Counts {
    long gdi = 0;
    long windows = 0;
    long handles = 0;
};

// Every window of this process, shown or hidden, top-level and child: the USER objects it
// holds that a leak would add to.
long WindowCount() {
    long count = 0;
    ::EnumWindows(
        [](HWND top, LPARAM n) -> BOOL {
            if (testing::ProcessOf(top) == ::GetCurrentProcessId()) {
                ++*reinterpret_cast<long*>(n);
                ::EnumChildWindows(
                    top,
                    [](HWND, LPARAM m) -> BOOL { return ++*reinterpret_cast<long*>(m), TRUE; },
                    n);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

Counts Take() {
    testing::PumpFor(std::chrono::milliseconds(20));  // late destroy and paint messages
    return {static_cast<long>(testing::GdiObjectCount()), WindowCount(),
            static_cast<long>(testing::ProcessHandleCount())};
}

// The modal dialog to close from the timer: a visible window of this process of this size.
SIZE g_modalSize{};
int g_closed = 0;

void CALLBACK CloseModal(HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND modal = testing::WindowOfSize(::GetCurrentProcessId(), g_modalSize.cx,
                                           g_modalSize.cy)) {
        ::KillTimer(nullptr, timer);
        ::PostMessageW(modal, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ++g_closed;
    }
}

// Runs `open` (which returns when its modal dialog has closed) with the closing timer armed.
void RunModal(int width, int height, const std::function<void()>& open) {
    g_modalSize = {width, height};
    ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &CloseModal);
    open();
}

void SendCommandFrom(HWND owner, HWND control) {
    ::SendMessageW(owner, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(control), BN_CLICKED),
                   reinterpret_cast<LPARAM>(control));
}

// A press on the page's background closes the menus, as the user's press does (a press on the
// main dialog's background would start dragging it).
void PressBackground(HWND window) {
    ::SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

struct Cycle {
    const char* name;
    std::function<bool()> run;  // false when the window did not open
};

}  // namespace

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    ::GetDesktopWindow();
    INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);
    win::GdiplusSession gdiplus;
    win::LoadLanguageBesideProgram();

    // The monitor's window, so that the dialog opens as it does beside a running monitor.
    const HWND monitor = ::CreateWindowExW(0, L"STATIC", kMonitorWindowTitle, WS_POPUP, 0, 0, 1,
                                           1, nullptr, nullptr, nullptr, nullptr);
    win::Win32Registry registry;
    config::win::Win32MonitorLink link;
    auto dialog = std::make_unique<CK2Q_ConfigDlg>(registry, link, [] {});
    if (!dialog->CreateModeless(IDD_CONFIG_MAIN, nullptr)) {
        std::printf("the main dialog did not open\n");
        return 1;
    }
    const HWND main = dialog->hwnd();
    const HWND page = dialog->buttonPage()->hwnd();
    testing::PumpQueued();

    const auto label = [&](const skin::Rect& r) {
        return ::ChildWindowFromPointEx(page, testing::RectCentre(r), CWP_SKIPINVISIBLE);
    };
    const auto mainMenu = [&](config::MainAction action, config::MainMenu menu) {
        return [&, action, menu] {
            SendCommandFrom(main, dialog->button(action).hwnd());
            testing::PumpQueued();
            const bool opened = dialog->menus().OpenMenu(menu) != nullptr;
            PressBackground(page);
            testing::PumpQueued();
            return opened && !dialog->menus().OpenMenu(menu);
        };
    };
    // A function menu's item chosen for the second side button, as the menu reports it.
    const auto functionChoice = [&](int item, std::uint8_t function, int width, int height) {
        return [&, item, function, width, height] {
            SendCommandFrom(page, label(skin::button_page::kLabel4));
            testing::PumpQueued();
            const MenuChoice choice = ItemChoice(item, function);
            const int before = g_closed;
            RunModal(width, height, [&] {
                ::SendMessageW(main, WM_BMPMENU_CHOSEN, choice.wParam, choice.lParam);
            });
            testing::PumpQueued();
            return g_closed == before + 1;
        };
    };
    using config::MainAction;
    using config::MainMenu;
    const Cycle kinds[] = {
        {"empty cycle (baseline)", [] { return testing::PumpQueued(), true; }},
        {"profile menu", mainMenu(MainAction::ProfileMenu, MainMenu::Profile)},
        {"setting menu", mainMenu(MainAction::SettingMenu, MainMenu::Setting)},
        {"help menu", mainMenu(MainAction::HelpMenu, MainMenu::Help)},
        {"link menu", mainMenu(MainAction::LinkMenu, MainMenu::Link)},
        {"function menu",
         [&] {
             SendCommandFrom(page, label(skin::button_page::kLabel3));
             testing::PumpQueued();
             const bool opened = dialog->buttonPage()->HasFunctionMenu();
             PressBackground(page);
             testing::PumpQueued();
             return opened && !dialog->buttonPage()->HasFunctionMenu();
         }},
        {"about box",
         [&] {
             const int before = g_closed;
             RunModal(skin::about::kWidth, skin::about::kHeight,
                      [&] { ::SendMessageW(main, WM_SYSCOMMAND, IDM_ABOUT_ENTRY, 0); });
             return g_closed == before + 1;
         }},
        {"reset dialog",
         [&] {
             const int before = g_closed;
             RunModal(skin::reset::kWidth, skin::reset::kHeight,
                      [&] { SendCommandFrom(main, dialog->button(MainAction::Reset).hwnd()); });
             return g_closed == before + 1;
         }},
        {"combination dialog",
         functionChoice(6, kFnCombination, skin::combo::kWidth, skin::combo::kHeight)},
        {"macro editor", functionChoice(10, kFnMacro, skin::macro::kWidth, skin::macro::kHeight)},
    };

    std::printf("configuration program: %d open/close cycles of each window, driven by "
                "messages\n",
                cycles);
    const Counts start = Take();
    std::printf("held with the main dialog open: %ld GDI objects, %ld windows, %ld handles\n",
                start.gdi, start.windows, start.handles);
    std::printf("%-24s %10s %10s %10s %14s %12s\n", "window", "GDI", "windows", "handles",
                "per cycle GDI", "ms per cycle");
    std::fflush(stdout);
    for (const Cycle& kind : kinds) {
        // The first rounds load what the process keeps (pictures' codecs, fonts, classes).
        for (int i = 0; i < 3; ++i) {
            if (!kind.run()) {
                std::printf("%s: the window did not open and close\n", kind.name);
                return 1;
            }
        }
        const Counts before = Take();
        const double start = bench::NowMs();
        int failed = 0;
        for (int i = 0; i < cycles; ++i) {
            failed += !kind.run();
        }
        const double ms = (bench::NowMs() - start) / cycles;
        const Counts after = Take();
        std::printf("%-24s %+10ld %+10ld %+10ld %14.4f %12.2f%s\n", kind.name,
                    after.gdi - before.gdi, after.windows - before.windows,
                    after.handles - before.handles,
                    static_cast<double>(after.gdi - before.gdi) / cycles, ms,
                    failed ? " (some cycles failed)" : "");
    }
    std::printf("growth over all cycles; the baseline is the empty cycle's\n");
    dialog.reset();
    ::DestroyWindow(monitor);
    testing::PumpQueued();
    return 0;
}
