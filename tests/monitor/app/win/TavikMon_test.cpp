// The monitor's main window with the simulated driver and mouse: start, reload, button events,
// device arrival, sessions, tray and shut-down.
#include "monitor/app/win/TavikMon.h"

#include <shellapi.h>

#include "HostedMonitor.h"
#include "monitor/app/win/TrayIcon.h"
#include "support/win/LowLevelHooks.h"

namespace k2q::monitor {
namespace {

using namespace std::chrono_literals;

TEST_F(HostedMonitor, StartOpensTheDeviceAndSendsTheWheelFlagTwice) {
    buttons.records[kWheelForward].function = kFnScrollLeft;  // wheel not at default: flag 1
    Start();
    EXPECT_TRUE(monitor->deviceOpen());
    const auto log = driver.CallLog();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0], "open");
    EXPECT_EQ(log[1].substr(0, 6), "222400");  // the semaphore's handle follows
    EXPECT_EQ(log[2], "222410 00 00 00 00");
    EXPECT_EQ(log[3], "222410 01 00 00 00");
    EXPECT_EQ(driver.WheelReport(), 1u);
    EXPECT_EQ(memoryButtons.records[kWheelForward].function, kFnScrollLeft);  // store loaded
}

TEST_F(HostedMonitor, FullReloadProgramsTheMouseThenAppliesTheSystemValuesWithProgress) {
    buttons.records[kFirstSideButton].function = kFnMacro;
    Start();
    buttons.records[kWheelBackward].function = kFnMacro;  // changed in the store only
    registry.SeedStore(buttons, *macros);
    driver.ClearCalls();

    EXPECT_EQ(Send(kReloadRequestMessage, 7), 1);

    // The store is read again first: the wheel flag sent is the new one.
    ASSERT_FALSE(driver.CallLog().empty());
    EXPECT_EQ(driver.CallLog()[0], "222410 01 00 00 00");
    // Buttons 0..4 with their word pairs, each written and read back once (the mouse echoes),
    // then the resolution word, then the closing report.
    const std::vector<Report> expected = {
        {4, 0x20, 0x01, 0x00}, {4, 0x21, 0x01, 0x00}, {3, 0x20, 0, 0}, {3, 0x21, 0, 0},
        {4, 0x24, 0x01, 0x00}, {4, 0x25, 0x04, 0x00}, {3, 0x24, 0, 0}, {3, 0x25, 0, 0},
        {4, 0x22, 0x01, 0x00}, {4, 0x23, 0x02, 0x00}, {3, 0x22, 0, 0}, {3, 0x23, 0, 0},
        {4, 0x2C, 0x04, 0x00}, {4, 0x2D, 0xEB, 0x03}, {3, 0x2C, 0, 0}, {3, 0x2D, 0, 0},
        {4, 0x2A, 0x01, 0x00}, {4, 0x2B, 0x08, 0x00}, {3, 0x2A, 0, 0}, {3, 0x2B, 0, 0},
        {4, 0x03, 0x07, 0xF8}, {5, 0x5A, 0x88, 0x66}};
    EXPECT_EQ(driver.Reports(), expected);

    // 20 waits of 20 ms at progress 0, the resolution wait at 40, the closing wait at 40; the
    // popup stood throughout.
    ASSERT_EQ(clock.waits.size(), 22u);
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(clock.waits[i].ms, 20u);
        EXPECT_EQ(clock.waits[i].progress, 0);
    }
    EXPECT_EQ(clock.waits[20].ms, 100u);
    EXPECT_EQ(clock.waits[20].progress, 40);
    EXPECT_EQ(clock.waits[21].ms, 3000u);
    EXPECT_EQ(clock.waits[21].progress, 40);
    for (const auto& w : clock.waits) {
        EXPECT_TRUE(w.popupFound);
    }

    // The system values after the closing report, stepping the progress 80, 85, 85, 90.
    ASSERT_EQ(systemCalls.size(), 4u);
    const std::uint32_t actions[] = {kSpiSetWheelScrollLines, kSpiSetMouse, kSpiSetMouseSpeed,
                                     kSpiSetDoubleClickTime};
    const int progress[] = {80, 85, 85, 90};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(systemCalls[i].action, actions[i]);
        EXPECT_EQ(systemCalls[i].progress, progress[i]);
        EXPECT_EQ(systemCalls[i].closingReports, 1);
    }
    EXPECT_EQ(monitor->progressValue(), -1);
    EXPECT_EQ(::FindWindowW(nullptr, kProgressWindowTitle), nullptr);
}

TEST_F(HostedMonitor, ReloadWithoutFlagsOnlyReadsTheStoreAndSendsTheClosingReport) {
    Start();
    driver.ClearCalls();
    EXPECT_EQ(Send(kReloadRequestMessage, 0), 1);
    EXPECT_EQ(driver.Reports(), (std::vector<Report>{{5, 0x5A, 0x88, 0x66}}));
    ASSERT_EQ(clock.waits.size(), 1u);
    EXPECT_EQ(clock.waits[0].ms, 3000u);
    EXPECT_TRUE(clock.waits[0].popupFound);
    EXPECT_TRUE(systemCalls.empty());
}

TEST_F(HostedMonitor, AMacroButtonPressedOnTheMousePlaysTheMacro) {
    buttons.records[kFirstSideButton].function = kFnMacro;
    buttons.records[kFirstSideButton].macroIndex = 1;
    macros->count = 2;
    tagMACROINFO& m = macros->macros[1];
    m.eventCount = 2;
    m.events[0] = {'K', 0, 0, 0};
    m.events[1] = {'K', 1, 0, 0};
    Start();

    testing::LowLevelHooks hooks;
    ASSERT_TRUE(hooks.installed());
    ASSERT_TRUE(driver.QueueEvent(1003));
    ASSERT_TRUE(testing::PumpUntil([&] { return hooks.Count() >= 2; }, 5s));
    const auto seen = hooks.WaitFor(2);
    EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(seen[0].vk, static_cast<DWORD>('K'));
    EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(seen[1].vk, static_cast<DWORD>('K'));
}

TEST_F(HostedMonitor, DeviceArrivalOpensOnlyTheMouseAndRetriesAFailedOpen) {
    driver.SetPresent(false);
    Start();
    ASSERT_FALSE(monitor->deviceOpen());
    driver.ClearCalls();

    auto other =
        Arrival(L"\\\\?\\USB#VID_046D&PID_C52B#6&2c#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
    Send(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(other.data()));
    EXPECT_TRUE(driver.CallLog().empty());

    auto mouse =
        Arrival(L"\\\\?\\USB#Vid_1bcf&Pid_4c2e#5&1a#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
    Send(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(mouse.data()));
    EXPECT_EQ(driver.CallLog(), (std::vector<std::string>{"open failed"}));

    // The retry timer opens the device once it is there, and sends the flags.
    driver.SetPresent(true);
    ASSERT_TRUE(testing::PumpUntil([&] { return monitor->deviceOpen(); }, 3s));
    const auto log = driver.CallLog();
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[log.size() - 2], "222410 00 00 00 00");
    EXPECT_EQ(log.back(), "222410 00 00 00 00");

    // With the device open an arrival does nothing, and neither do later ticks.
    driver.ClearCalls();
    Send(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(mouse.data()));
    Send(WM_TIMER, kDeviceRetryTimer);
    EXPECT_TRUE(driver.CallLog().empty());

    // A removal, or a broadcast of another kind, is ignored.
    Send(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, reinterpret_cast<LPARAM>(mouse.data()));
    DEV_BROADCAST_HDR volume{sizeof volume, DBT_DEVTYP_VOLUME, 0};
    Send(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume));
    EXPECT_TRUE(driver.CallLog().empty());
}

TEST_F(HostedMonitor, SessionLockClosesTheDeviceFromVistaOnAndUnlockReopensIt) {
    osClass = 6;
    Start();
    Send(WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK);
    EXPECT_FALSE(monitor->deviceOpen());
    driver.ClearCalls();
    Send(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK);
    EXPECT_TRUE(monitor->deviceOpen());
    const auto log = driver.CallLog();
    ASSERT_EQ(log.size(), 3u);  // open, the semaphore, one wheel flag
    EXPECT_EQ(log[2], "222410 00 00 00 00");
}

TEST_F(HostedMonitor, SessionLockLeavesTheDeviceOpenOnXp) {
    osClass = 4;
    Start();
    driver.ClearCalls();
    Send(WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK);
    Send(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK);
    EXPECT_TRUE(monitor->deviceOpen());
    EXPECT_TRUE(driver.CallLog().empty());
    Send(WM_WTSSESSION_CHANGE, WTS_CONSOLE_DISCONNECT);
    EXPECT_FALSE(monitor->deviceOpen());
}

TEST_F(HostedMonitor, ShutDownClosesTheConfigurationWindowAndTheChannel) {
    Start();
    HWND config = ::CreateWindowExW(0, L"STATIC", L"config", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    nullptr, nullptr);
    Send(kConfigWindowMessage, reinterpret_cast<WPARAM>(config));
    EXPECT_EQ(monitor->configWindow(), config);
    driver.ClearCalls();

    Send(WM_CLOSE);
    EXPECT_EQ(monitor->hwnd(), nullptr);
    EXPECT_FALSE(monitor->trayIconShown());
    EXPECT_EQ(driver.OpenHandles(), 0);
    EXPECT_EQ(driver.CallLog().front(), "22240C 00 00 00 00");
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, config, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    ::DestroyWindow(config);
}

}  // namespace
}  // namespace k2q::monitor

namespace k2q::monitor {
namespace {

// What the tray menu held while it was open, read from inside its own modal loop.
struct MenuSeen {
    int items = -1;
    UINT first = 0, last = 0;
    bool separator = false;
    UINT itemHeight = 0;
};
MenuSeen g_menuSeen;

void CALLBACK InspectOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND shown = ::FindWindowW(L"#32768", nullptr);
    if (!shown || !::IsWindowVisible(shown)) {
        return;
    }
    ::KillTimer(nullptr, id);
    const HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(shown, MN_GETHMENU, 0, 0));
    g_menuSeen.items = ::GetMenuItemCount(menu);
    g_menuSeen.first = ::GetMenuItemID(menu, 0);
    g_menuSeen.last = ::GetMenuItemID(menu, 2);
    g_menuSeen.separator = (::GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR) != 0;
    MENUITEMINFOW info{sizeof info, MIIM_FTYPE};
    ::GetMenuItemInfoW(menu, 0, TRUE, &info);
    RECT r{};
    ::GetMenuItemRect(nullptr, menu, 0, &r);
    g_menuSeen.itemHeight = (info.fType & MFT_OWNERDRAW) ? UINT(r.bottom - r.top) : 0;
    ::EndMenu();
}

TEST_F(HostedMonitor, TrayIconOpensTheConfigurationOnDoubleClickAndAMenuOnRightClick) {
    Start();
    Send(kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN);
    Send(kTrayCallbackMessage, kTrayIconId, WM_LBUTTONUP);
    EXPECT_EQ(configStarts, 0);  // a single click does nothing
    Send(kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_EQ(configStarts, 1);

    g_menuSeen = {};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &InspectOpenMenu);
    Send(kTrayCallbackMessage, kTrayIconId, WM_RBUTTONDOWN);  // returns when the menu closed
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(g_menuSeen.items, 3);
    EXPECT_EQ(g_menuSeen.first, kOpenConfigCommand);
    EXPECT_TRUE(g_menuSeen.separator);
    EXPECT_EQ(g_menuSeen.last, kExitCommand);
    EXPECT_EQ(g_menuSeen.itemHeight, 20u);  // owner-drawn, measured by the menu class
}

}  // namespace
}  // namespace k2q::monitor

namespace k2q::monitor {
namespace {

TEST_F(HostedMonitor, ARecreatedNotificationAreaGetsTheIconBack) {
    Start();
    ASSERT_TRUE(monitor->trayIconShown());
    RemoveTrayIcon(monitor->hwnd());  // what an Explorer restart leaves behind
    Send(::RegisterWindowMessageW(L"TaskbarCreated"));
    EXPECT_TRUE(monitor->trayIconShown());
    NOTIFYICONDATAW probe{sizeof probe};
    probe.hWnd = monitor->hwnd();
    probe.uID = kTrayIconId;
    EXPECT_TRUE(::Shell_NotifyIconW(NIM_MODIFY, &probe));  // the icon is there again
}

}  // namespace
}  // namespace k2q::monitor
