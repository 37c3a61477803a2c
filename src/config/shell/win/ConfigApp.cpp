#include "config/shell/win/ConfigApp.h"

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "common/Messages.h"
#include "common/localization/win/ProgramLanguage.h"
#include "common/win/Gdiplus.h"
#include "common/win/ModulePath.h"
#include "common/win/UniqueHandle.h"
#include "common/win/Win32Registry.h"
#include "config/shell/win/ConfigDlg.h"
#include "config/shell/win/Win32MonitorLink.h"

namespace k2q::config::win {
namespace {

// The monitor comes from this program's own folder, whatever the working folder is. Asking
// for it at every start is harmless: a second monitor ends on its own mutex. The monitor
// process started here, if any, is returned.
k2q::win::UniqueKernelHandle StartMonitor() {
    const std::wstring monitor = k2q::win::ModuleFolder() + L"K2q_Mouse.exe";
    SHELLEXECUTEINFOW info{sizeof info};
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = monitor.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExW(&info)) {
        return {};
    }
    return k2q::win::UniqueKernelHandle(info.hProcess);
}

// A monitor starts in well under a second, but not always: after a cold boot, or under a
// virus scan, it can take several. Saying it is missing while it is still starting would be
// wrong, so the wait lasts as long as the started monitor is alive and making its window, up
// to a bound; a monitor that was already running is found at once, and one that could not be
// started is not waited for.
void WaitForMonitorWindow(HANDLE started) {
    constexpr DWORD kBoundMs = 10000;
    const DWORD begin = ::GetTickCount();
    while (!::FindWindowW(nullptr, kMonitorWindowTitle)) {
        if (!started || ::GetTickCount() - begin >= kBoundMs) {
            return;
        }
        if (::WaitForSingleObject(started, 20) == WAIT_OBJECT_0) {
            started = nullptr;  // ended (a second instance, or it failed): one last look
        }
    }
}

}  // namespace

int CK2Q_ConfigApp::Run() {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);
    k2q::win::GdiplusSession gdiplus;

    WaitForMonitorWindow(StartMonitor().get());

    // Destroyed after the dialog and before GDI+ (reverse order of the locals).
    k2q::win::UniqueKernelHandle mutex(::CreateMutexW(nullptr, FALSE, kConfigMutexName));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        return 0;  // the first instance stays as it is; this one shows nothing
    }

    k2q::win::LoadLanguageBesideProgram();

    k2q::win::Win32Registry registry;
    Win32MonitorLink monitor;
    auto dialog = std::make_unique<CK2Q_ConfigDlg>(registry, monitor);
    dialog->Run();
    return 0;
}

}  // namespace k2q::config::win
