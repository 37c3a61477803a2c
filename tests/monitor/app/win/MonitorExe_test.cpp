// The real K2q_Mouse.exe from dist/, driven as a user and the configuration program drive it:
// by its window title, posted messages and its tray icon.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "common/Messages.h"
#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroSetting.h"
#include "common/win/Gdiplus.h"
#include "common/win/Window.h"
#include "support/win/ConfigProgram.h"
#include "support/win/LowLevelHooks.h"
#include "support/win/Processes.h"
#include "support/win/RawRegistry.h"
#include "support/win/Screenshot.h"
#include "support/win/TrayIcons.h"
#include "support/win/UserInput.h"

namespace k2q::testing {
namespace {

using namespace std::chrono_literals;

class MonitorExe : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(::FindWindowW(nullptr, kMonitorWindowTitle), nullptr)
            << "a monitor is already running";
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tavik");
    }
    void TearDown() override {
        monitor.Kill();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tavik");
    }
    HWND StartMonitor() {
        monitor = ChildProcess::Start(DistPath(L"K2q_Mouse.exe"));
        return WaitForWindow(kMonitorWindowTitle, 10s);
    }
    ChildProcess monitor;
};

TEST_F(MonitorExe, RunsHiddenAsOneInstanceWithOneTrayIcon) {
    const HWND window = StartMonitor();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(::IsWindowVisible(window));
    ASSERT_TRUE(PumpUntil([] { return TrayIconWindows().size() == 1; }, 5s));

    // A second monitor leaves at once, without a window or an icon of its own.
    ChildProcess second = ChildProcess::Start(DistPath(L"K2q_Mouse.exe"));
    EXPECT_EQ(second.Wait(10s), 0);
    EXPECT_EQ(::FindWindowW(nullptr, kMonitorWindowTitle), window);
    EXPECT_EQ(TrayIconWindows().size(), 1u);

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(monitor.Wait(10s), 0);
    EXPECT_TRUE(PumpUntil([] { return TrayIconWindows().empty(); }, 5s));
}

TEST_F(MonitorExe, FirstStartCreatesTheStoreWithDefaultsAndTheSystemValues) {
    ASSERT_NE(StartMonitor(), nullptr);
    // The window is findable while it is still being created, so wait for the store's last
    // value rather than for the window.
    ASSERT_TRUE(PumpUntil([] { return ReadRaw(L"Software\\Tavik\\K2q", L"MacroSetting"); }, 5s));
    const auto buttons = ReadRaw(L"Software\\Tavik\\K2q", L"ButtonSetting");
    ASSERT_TRUE(buttons);
    ASSERT_EQ(buttons->bytes.size(), sizeof(ButtonSetting));
    EXPECT_EQ(buttons->type, static_cast<DWORD>(REG_BINARY));
    ButtonSetting expected;
    SetButtonDefaults(expected);
    // The fresh prefix's Control Panel: speed "10", double click "500", acceleration "1", "6",
    // "10", wheel "3".
    expected.mouse = {3, 3, 500, 5, 1, 1, 1, 1, {0, 0}};
    EXPECT_EQ(std::memcmp(buttons->bytes.data(), &expected, sizeof expected), 0);

    const auto stored = ReadRaw(L"Software\\Tavik\\K2q", L"MacroSetting");
    ASSERT_TRUE(stored);
    const std::vector<std::uint8_t>& macros = stored->bytes;
    ASSERT_EQ(macros.size(), sizeof(MacroSetting));
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_TRUE(std::all_of(macros.begin(), macros.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(MonitorExe, ATrayClickDuringAReloadOpensTheMenuOnlyAfterThePopupIsGone) {
    PointerGuard pointer;
    const HWND window = StartMonitor();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(PumpUntil([] { return TrayIconWindows().size() == 1; }, 5s));
    const POINT icon = CentreOf(TrayIconWindows().front());

    ASSERT_TRUE(::PostMessageW(window, kReloadRequestMessage, 0, 0));  // leaves the system alone
    ASSERT_NE(WaitForWindow(kProgressWindowTitle, 5s), nullptr);
    RightClick(icon.x, icon.y);

    // The reload goes on to its end (its closing wait alone is 3 seconds) with no menu over it.
    bool menuDuringReload = false;
    EXPECT_TRUE(PumpUntil(
        [&] {
            menuDuringReload |= ShownMenu() && ::FindWindowW(nullptr, kProgressWindowTitle);
            return !::FindWindowW(nullptr, kProgressWindowTitle);
        },
        15s));
    EXPECT_FALSE(menuDuringReload);

    // Then the click is answered.
    ASSERT_TRUE(PumpUntil([] { return ShownMenu() != nullptr; }, 5s));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([] { return ShownMenu() == nullptr; }, 5s));
}

TEST_F(MonitorExe, TheTrayMenuOffersTwoCommandsAndExitEndsTheMonitorAboutASecondLater) {
    win::GdiplusSession gdiplus;
    const HWND window = StartMonitor();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(PumpUntil([] { return TrayIconWindows().size() == 1; }, 5s));

    // A right click on the icon opens the menu.
    PointerGuard pointer;
    const POINT icon = CentreOf(TrayIconWindows().front());
    RightClick(icon.x, icon.y);
    HWND menuWindow = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menuWindow = ShownMenu()) != nullptr; }, 5s));
    // The menu's own items are checked in the hosted test (menu handles do not cross
    // processes under Wine); here it is the shown window: two 20-pixel items and a separator.
    RECT shown;
    ::GetWindowRect(menuWindow, &shown);
    EXPECT_GT(shown.bottom - shown.top, 40);
    EXPECT_LT(shown.bottom - shown.top, 70);
    PumpFor(300ms);  // let the menu paint before it is read back
    SavePng(CaptureScreen(shown), ScreenshotPath(L"tray_menu.png"));

    // Exit is chosen with a real click. The exit item is the last one: its middle lies about 10
    // pixels above the bottom edge.
    LeftClick((shown.left + shown.right) / 2, shown.bottom - 12);
    const auto clicked = std::chrono::steady_clock::now();
    ASSERT_EQ(monitor.Wait(10s), 0);
    const auto took = std::chrono::steady_clock::now() - clicked;
    EXPECT_GE(took, 900ms);  // the monitor waits a second before it ends
    EXPECT_TRUE(PumpUntil([] { return TrayIconWindows().empty(); }, 5s));
}

// Stands in for the configuration program's main window: notes WM_CLOSE and stays open.
class ConfigurationStandIn : public win::Window {
  public:
    ConfigurationStandIn() {
        CreateParams p;
        p.className = L"K2qConfigurationStandIn";
        p.title = L"configuration";
        p.width = p.height = 1;
        Create(p);
    }
    bool closeAsked = false;

  protected:
    void OnClose() override { closeAsked = true; }
};

TEST_F(MonitorExe, EndingClosesTheAnnouncedConfigurationWindow) {
    const HWND window = StartMonitor();
    ASSERT_NE(window, nullptr);
    ConfigurationStandIn config;
    ASSERT_TRUE(
        ::PostMessageW(window, kConfigWindowMessage, reinterpret_cast<WPARAM>(config.hwnd()), 0));
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(monitor.Wait(10s), 0);
    EXPECT_TRUE(PumpUntil([&] { return config.closeAsked; }, 5s));
}

}  // namespace
}  // namespace k2q::testing
