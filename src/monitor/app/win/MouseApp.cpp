#include "monitor/app/win/MouseApp.h"

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "common/localization/UiStrings.h"
#include "common/localization/win/ProgramLanguage.h"
#include "common/settings/win/Win32SystemParameters.h"
#include "common/win/Gdiplus.h"
#include "common/win/Text.h"
#include "common/win/UniqueHandle.h"
#include "common/win/Win32Registry.h"
#include "monitor/app/OsClass.h"
#include "monitor/app/win/PaintingClock.h"
#include "monitor/app/win/TavikMon.h"
#include "monitor/device/win/Win32DriverPort.h"

namespace k2q::monitor {
namespace {

// The program-wide settings: the monitor's own copy of both stored blocks, zeroed before the
// store fills them (a short stored value keeps the rest of its block).
struct Settings {
    ButtonSetting buttons{};
    MacroSetting macros{};
};

std::wstring Text(UiKey key) {
    return win::ToWide(UiText(key));
}

MonitorTexts ProgramTexts() {
    return {Text(UiKey::tc_name), Text(UiKey::tc_config), Text(UiKey::tc_exit),
            Text(UiKey::tc_update), Text(UiKey::tc_waiting)};
}

}  // namespace

int CK2Q_MouseApp::Run() {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);
    win::GdiplusSession gdiplus;

    win::UniqueKernelHandle mutex(::CreateMutexW(nullptr, FALSE, kMonitorMutexName));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        return 0;  // another monitor is running: leave without a word
    }

    auto settings = std::make_unique<Settings>();
    win::Win32Registry registry;
    Win32DriverPort port;
    MessageHold hold;
    PaintingClock clock(hold);

    MonitorServices services;
    services.registry = &registry;
    services.driverPort = &port;
    services.clock = &clock;
    services.hold = &hold;
    services.osClass = &GetOsClass;
    services.systemParameters = [](HWND window) -> std::unique_ptr<SystemParameters> {
        return std::make_unique<win::Win32SystemParameters>(window);
    };
    services.onDestroyed = [] { ::PostQuitMessage(0); };
    win::LoadLanguageBesideProgram();
    services.texts = ProgramTexts();

    auto monitor =
        std::make_unique<CTavikMon>(std::move(services), settings->buttons, settings->macros);
    if (!monitor->CreateHidden()) {
        return 1;
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    // The window object goes first, then the mutex, then GDI+ (reverse order of the locals).
    monitor.reset();
    return static_cast<int>(msg.wParam);
}

}  // namespace k2q::monitor
