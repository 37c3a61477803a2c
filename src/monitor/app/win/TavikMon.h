// The monitor's hidden main window. It exists to receive messages: button events from the
// driver channel, reload requests and the configuration window's announcement from the
// configuration program (which finds it by its title), tray callbacks, device arrivals,
// session changes and the device retry timer. Everything it needs from the system comes in
// through MonitorServices, so a test can host it with the simulated driver.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "common/Messages.h"
#include "common/platform/Clock.h"
#include "common/platform/Registry.h"
#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroSetting.h"
#include "common/settings/SystemMouseParams.h"
#include "common/win/OptionalApi.h"
#include "common/win/Window.h"
#include "monitor/actions/win/ActionEngine.h"
#include "monitor/app/MonitorRules.h"
#include "monitor/app/win/MessageHold.h"
#include "monitor/app/win/ProgressDlg.h"
#include "monitor/app/win/XPMenu.h"
#include "monitor/device/DriverPort.h"
#include "monitor/device/win/USBDriver.h"

namespace k2q::monitor {

// The tray menu's commands and the device retry timer.
inline constexpr UINT kOpenConfigCommand = 0x6000;
inline constexpr UINT kExitCommand = 0x6001;
inline constexpr UINT_PTR kDeviceRetryTimer = 12;
inline constexpr UINT kDeviceRetryMs = 300;
inline constexpr std::uint32_t kExitDelayMs = 1000;

// The texts the monitor shows, from the language file.
struct MonitorTexts {
    std::wstring name;     // "tc_name": the tray tip
    std::wstring config;   // "tc_config": menu item
    std::wstring exit;     // "tc_exit": menu item
    std::wstring update;   // "tc_update": progress popup, first line
    std::wstring waiting;  // "tc_waiting": progress popup, second line
};

struct MonitorServices {
    Registry* registry = nullptr;
    DriverPort* driverPort = nullptr;
    Clock* clock = nullptr;  // reload and programming waits, the exit delay
    // The thread's hold, where what arrives while the window is busy waits; a clock whose waits
    // take messages off the queue (PaintingClock) must keep them in this same hold.
    MessageHold* hold = nullptr;
    std::function<int()> osClass;
    std::function<std::unique_ptr<SystemParameters>(HWND)> systemParameters;
    // Starts the configuration program; by default the K2q_Config.exe beside the monitor.
    std::function<void()> startConfiguration;
    // Called when the window has shut down; the program ends its message loop here.
    std::function<void()> onDestroyed;
    MonitorTexts texts;
};

class CTavikMon : public win::Window, private ReloadActions {
  public:
    // The blocks are the program's in-memory settings; they outlive the window.
    CTavikMon(MonitorServices services, ButtonSetting& buttons, MacroSetting& macros);
    // Shuts a still-open window down in order (tray icon, channel, registrations).
    ~CTavikMon() override;

    bool CreateHidden();

    HWND configWindow() const { return configWindow_; }
    bool deviceOpen() const { return driver_.IsDeviceOpen(); }
    bool trayIconShown() const { return trayIconShown_; }
    // The progress popup's last value while a reload runs, -1 otherwise.
    int progressValue() const { return progress_ ? progress_->requested() : -1; }
    const CUSBDriver& driver() const { return driver_; }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCreate(CREATESTRUCTW* cs) override;
    void OnDestroy() override;
    void OnClose() override;
    void OnTimer(UINT_PTR id) override;
    void OnCommand(UINT id, UINT code, HWND control) override;
    LRESULT OnDrawItem(UINT id, DRAWITEMSTRUCT* dis) override;
    LRESULT OnMeasureItem(UINT id, MEASUREITEMSTRUCT* mis) override;

  private:
    // ReloadActions: what a reload request does.
    void ReloadStore() override;
    void SendWheelReportIfOpen() override;
    void ShowProgress() override;
    void SetProgress(int value) override;
    void ProgramButtons() override;
    void ProgramCpiLevels() override;
    void SendClosingReport() override;
    void Wait(std::uint32_t milliseconds) override;
    void ApplySystemMouseParams(const std::function<void(int)>& progress) override;
    void CloseProgress() override;

    // Runs work with the thread busy, then what arrived meanwhile.
    template <class Work>
    void RunAlone(Work&& work);
    bool KeptWhileBusy(UINT msg) const;

    void OpenDeviceAndSendWheelReport();
    void OnDeviceChange(WPARAM event, LPARAM data);
    void OnSessionChange(WPARAM code);
    void OnTrayCallback(LPARAM mouseMessage);
    void ShowTrayMenu();
    void AddIcon();
    void RegisterNotifications();
    void UnregisterNotifications();

    MonitorServices services_;
    ButtonSetting& buttons_;
    MacroSetting& macros_;
    CUSBDriver driver_;
    ActionEngine actions_;
    HWND configWindow_ = nullptr;
    std::unique_ptr<CProgressDlg> progress_;
    CXPMenu* openMenu_ = nullptr;  // the tray menu while it is tracked
    HDEVNOTIFY deviceNotification_ = nullptr;
    bool sessionRegistered_ = false;
    bool trayIconShown_ = false;
    UINT taskbarCreatedMessage_ = 0;
    win::OptionalFunction<BOOL WINAPI(HWND, DWORD)> registerSession_{
        L"WtsApi32.dll", "WTSRegisterSessionNotification"};
    win::OptionalFunction<BOOL WINAPI(HWND)> unregisterSession_{L"WtsApi32.dll",
                                                                "WTSUnRegisterSessionNotification"};
};

// Starts the K2q_Config.exe in the monitor's own folder, shown normally.
void StartConfigurationBeside();

}  // namespace k2q::monitor
