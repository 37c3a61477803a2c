#include "monitor/app/win/TavikMon.h"

#include <dbt.h>

#include <algorithm>
#include <cwchar>

#include "common/settings/SettingsStore.h"
#include "common/win/ModulePath.h"
#include "common/win/Text.h"
#include "monitor/app/win/TrayIcon.h"
#include "monitor/device/ButtonProgramming.h"

namespace k2q::monitor {
namespace {

// The USB device interface class, {A5DCBF10-6530-11D2-901F-00C04FB951ED}.
constexpr GUID kUsbDeviceInterface = {
    0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}};

constexpr UINT kWmWtsSessionChange = 0x02B1;
constexpr int kOsClassWindows2000 = 3;

// The interface name of a device broadcast, never read beyond the size the broadcast gives.
std::u16string_view InterfaceName(const DEV_BROADCAST_DEVICEINTERFACE_W& broadcast) {
    const std::size_t header = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    if (broadcast.dbcc_size <= header) {
        return {};
    }
    const std::size_t units = (broadcast.dbcc_size - header) / sizeof(wchar_t);
    return {win::AsU16(broadcast.dbcc_name), ::wcsnlen(broadcast.dbcc_name, units)};
}

}  // namespace

void StartConfigurationBeside() {
    // The wide path, so a folder name outside the ANSI code page still works.
    std::wstring exe = win::ModuleFolder() + L"K2q_Config.exe";
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW si{sizeof si};
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         win::ModuleFolder().c_str(), &si, &pi)) {
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
}

CTavikMon::CTavikMon(MonitorServices services, ButtonSetting& buttons, MacroSetting& macros)
    : services_(std::move(services)),
      buttons_(buttons),
      macros_(macros),
      driver_(*services_.driverPort) {
    if (!services_.startConfiguration) {
        services_.startConfiguration = &StartConfigurationBeside;
    }
}

CTavikMon::~CTavikMon() {
    // While every member is alive, so the shut-down sequence runs as for WM_CLOSE.
    Destroy();
}

bool CTavikMon::CreateHidden() {
    CreateParams p;
    p.className = L"TavikK2qMonitorWindow";
    p.title = kMonitorWindowTitle;
    p.style = WS_POPUP;  // never shown
    p.x = 1;
    p.y = 1;
    p.width = 1;
    p.height = 1;
    return Create(p);
}

LRESULT CTavikMon::OnCreate(CREATESTRUCTW*) {
    // Each step goes on whatever the one before achieved.
    LoadOrCreateStore(*services_.registry, buttons_, macros_);
    driver_.StartChannel(hwnd());
    if (driver_.OpenDevice()) {
        driver_.SetWheelReport(0);
        driver_.SetWheelReport(WheelReportFlag(buttons_));
    }
    RegisterNotifications();
    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");
    AddIcon();
    return 0;
}

void CTavikMon::RegisterNotifications() {
    if (services_.osClass() != kOsClassWindows2000 && registerSession_) {
        sessionRegistered_ = registerSession_.get()(hwnd(), 0 /* this session only */) != FALSE;
    }
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kUsbDeviceInterface;
    deviceNotification_ =
        ::RegisterDeviceNotificationW(hwnd(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void CTavikMon::UnregisterNotifications() {
    if (services_.osClass() != kOsClassWindows2000 && sessionRegistered_ && unregisterSession_) {
        unregisterSession_.get()(hwnd());
        sessionRegistered_ = false;
    }
    // Only a real registration: unregistering a bogus handle crashes some systems.
    if (deviceNotification_) {
        ::UnregisterDeviceNotification(deviceNotification_);
        deviceNotification_ = nullptr;
    }
}

void CTavikMon::AddIcon() {
    trayIconShown_ = AddTrayIcon(hwnd(), services_.texts.name);
}

void CTavikMon::OnDestroy() {
    if (configWindow_) {
        // The configuration program closes together with the monitor.
        ::PostMessageW(configWindow_, WM_CLOSE, 0, 0);
    }
    driver_.StopChannel();
    UnregisterNotifications();
    ::KillTimer(hwnd(), kDeviceRetryTimer);
    RemoveTrayIcon(hwnd());
    trayIconShown_ = false;
    if (services_.onDestroyed) {
        services_.onDestroyed();
    }
}

void CTavikMon::OnClose() {
    Destroy();
}

// Everything the monitor does on a message except creation, destruction and drawing the menu.
bool CTavikMon::KeptWhileBusy(UINT msg) const {
    switch (msg) {
        case kReloadRequestMessage:
        case kConfigWindowMessage:
        case kButtonEventMessage:
        case kTrayCallbackMessage:
        case WM_DEVICECHANGE:
        case kWmWtsSessionChange:
        case WM_TIMER:
        case WM_COMMAND:
        case WM_CLOSE:
            return true;
        default:
            return taskbarCreatedMessage_ && msg == taskbarCreatedMessage_;
    }
}

template <class Work>
void CTavikMon::RunAlone(Work&& work) {
    {
        MessageHold::BusyTime busy(*services_.hold);
        work();
    }
    services_.hold->RunKept();
}

LRESULT CTavikMon::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (services_.hold->busy() && KeptWhileBusy(msg)) {
        MSG kept{};
        kept.hwnd = hwnd();
        kept.message = msg;
        kept.wParam = wParam;
        kept.lParam = lParam;
        kept.time = static_cast<DWORD>(::GetMessageTime());
        services_.hold->Keep(kept);
        // The answer the handler gives in any case, so a sender never waits for the busy work.
        return msg == kReloadRequestMessage || msg == kButtonEventMessage ? 1 : 0;
    }
    switch (msg) {
        case kReloadRequestMessage:
            RunAlone([&] { RunReload(*this, static_cast<std::uint32_t>(wParam)); });
            return 1;
        case kConfigWindowMessage:
            configWindow_ = reinterpret_cast<HWND>(wParam);
            return 0;
        case kButtonEventMessage:
            // Actions may wait on other windows (scrolling asks them), which runs sent messages.
            RunAlone([&] { actions_.OnButtonEvent(wParam, buttons_, macros_, configWindow_); });
            return 1;
        case kTrayCallbackMessage:
            OnTrayCallback(lParam);
            return 0;
        case WM_DEVICECHANGE:
            OnDeviceChange(wParam, lParam);
            return 0;
        case kWmWtsSessionChange:
            OnSessionChange(wParam);
            return Default();
        case WM_INITMENUPOPUP:
            // Plain default processing: no item is enabled or disabled behind the menu's back.
            return Default();
        default:
            if (taskbarCreatedMessage_ && msg == taskbarCreatedMessage_) {
                // The notification area was recreated (Explorer restarted): without this the
                // user could neither open the configuration nor exit.
                AddIcon();
                return 0;
            }
            return Window::WndProc(msg, wParam, lParam);
    }
}

// --- Reload -------------------------------------------------------------------------------

void CTavikMon::ReloadStore() {
    k2q::ReloadStore(*services_.registry, buttons_, macros_);
}

void CTavikMon::SendWheelReportIfOpen() {
    if (driver_.IsDeviceOpen()) {
        driver_.SetWheelReport(WheelReportFlag(buttons_));
    }
}

void CTavikMon::ShowProgress() {
    progress_ = std::make_unique<CProgressDlg>(services_.texts.update, services_.texts.waiting);
    progress_->Open();
}

void CTavikMon::SetProgress(int value) {
    if (progress_) {
        progress_->SetProgress(value);
    }
}

void CTavikMon::ProgramButtons() {
    k2q::ProgramButtons(driver_, *services_.clock, buttons_, services_.osClass());
}

void CTavikMon::ProgramCpiLevels() {
    k2q::ProgramCpiLevels(driver_, *services_.clock, buttons_.mouse);
}

void CTavikMon::SendClosingReport() {
    k2q::SendClosingReport(driver_);
}

void CTavikMon::Wait(std::uint32_t milliseconds) {
    services_.clock->SleepMilliseconds(milliseconds);
}

void CTavikMon::ApplySystemMouseParams(const std::function<void(int)>& progress) {
    if (auto system = services_.systemParameters(hwnd())) {
        k2q::ApplySystemMouseParams(*system, buttons_.mouse, progress);
    }
}

void CTavikMon::CloseProgress() {
    if (progress_) {
        progress_->Destroy();
        progress_.reset();
    }
}

// --- Device and session --------------------------------------------------------------------

void CTavikMon::OpenDeviceAndSendWheelReport() {
    if (driver_.OpenDevice()) {
        driver_.SetWheelReport(0);
        driver_.SetWheelReport(WheelReportFlag(buttons_));
    }
}

void CTavikMon::OnDeviceChange(WPARAM event, LPARAM data) {
    if (event != DBT_DEVICEARRIVAL || data == 0 || driver_.IsDeviceOpen()) {
        return;
    }
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) {
        return;
    }
    const auto& broadcast = *reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(data);
    if (!IsMouseInterfaceName(InterfaceName(broadcast))) {
        return;
    }
    OpenDeviceAndSendWheelReport();
    if (!driver_.IsDeviceOpen()) {
        ::SetTimer(hwnd(), kDeviceRetryTimer, kDeviceRetryMs, nullptr);
    }
}

void CTavikMon::OnTimer(UINT_PTR id) {
    if (id != kDeviceRetryTimer) {
        Default();
        return;
    }
    // The timer keeps ticking after a successful open, without effect, until shut-down.
    if (!driver_.IsDeviceOpen()) {
        OpenDeviceAndSendWheelReport();
    }
}

void CTavikMon::OnSessionChange(WPARAM code) {
    switch (SessionChangeAction(services_.osClass(), static_cast<std::uint32_t>(code))) {
        case SessionAction::OpenDevice:
            if (driver_.OpenDevice()) {
                driver_.SetWheelReport(WheelReportFlag(buttons_));
            }
            break;
        case SessionAction::CloseDevice:
            if (driver_.IsDeviceOpen()) {
                driver_.CloseDevice();
            }
            break;
        case SessionAction::None:
            break;
    }
}

// --- Tray ----------------------------------------------------------------------------------

void CTavikMon::OnTrayCallback(LPARAM mouseMessage) {
    switch (LOWORD(mouseMessage)) {
        case WM_LBUTTONDBLCLK:
            OnCommand(kOpenConfigCommand, 0, nullptr);
            break;
        case WM_RBUTTONDOWN:
            ShowTrayMenu();
            break;
        default:
            break;
    }
}

void CTavikMon::ShowTrayMenu() {
    CXPMenu menu;
    if (!menu.CreatePopup()) {
        return;
    }
    const XPMenuItem configItem{136, 133, services_.texts.config};
    const XPMenuItem exitItem{137, 134, services_.texts.exit};
    menu.AppendOwnerDrawn(kOpenConfigCommand, &configItem);
    menu.AppendSeparator();
    menu.AppendOwnerDrawn(kExitCommand, &exitItem);

    POINT at{};
    ::GetCursorPos(&at);
    // Without the foreground the menu would not close when the user clicks elsewhere.
    ::SetForegroundWindow(hwnd());
    // The menu's modal loop dispatches whatever arrives; button events and reload requests wait
    // until it closes, so a macro cannot type into the menu.
    RunAlone([&] {
        openMenu_ = &menu;
        menu.Track(TPM_RIGHTBUTTON, at.x, at.y, hwnd());
        openMenu_ = nullptr;
        ::PostMessageW(hwnd(), WM_NULL, 0, 0);  // lets the menu's own loop finish cleanly
    });
}

LRESULT CTavikMon::OnDrawItem(UINT id, DRAWITEMSTRUCT* dis) {
    if (dis->CtlType == ODT_MENU && openMenu_) {
        openMenu_->DrawItem(*dis);
        return TRUE;
    }
    return Window::OnDrawItem(id, dis);
}

LRESULT CTavikMon::OnMeasureItem(UINT id, MEASUREITEMSTRUCT* mis) {
    if (mis->CtlType == ODT_MENU && openMenu_) {
        openMenu_->MeasureItem(*mis);
        return TRUE;
    }
    return Window::OnMeasureItem(id, mis);
}

void CTavikMon::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
        case kOpenConfigCommand:
            services_.startConfiguration();
            break;
        case kExitCommand:
            RunAlone([&] {
                services_.clock->SleepMilliseconds(kExitDelayMs);
                Destroy();
            });
            break;
        default:
            Window::OnCommand(id, code, control);
            break;
    }
}

}  // namespace k2q::monitor
