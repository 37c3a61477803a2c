// Window commands on the real system: maximize and minimize of a real foreground window, and
// the system facts the lock and switch-window decisions are taken from.
#include <gtest/gtest.h>

#include <vector>

#include "common/settings/ButtonSetting.h"
#include "common/win/Window.h"
#include "monitor/actions/BasicFunction.h"
#include "monitor/actions/win/Win32Input.h"
#include "monitor/actions/win/Win32SystemPort.h"

namespace k2q::testing {
namespace {

using namespace k2q::monitor;

// A top-level window that notes the system commands it is sent.
class TestWindow : public win::Window {
  public:
    explicit TestWindow(DWORD style) {
        CreateParams p;
        p.className = L"K2qActionsTestWindow";
        p.title = L"K2qActionsTestWindow";
        p.style = style;
        p.x = p.y = 50;
        p.width = 300;
        p.height = 200;
        EXPECT_TRUE(Create(p));
        ::ShowWindow(hwnd(), SW_SHOWNORMAL);
        ::SetForegroundWindow(hwnd());
    }
    std::vector<WPARAM> commands;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_SYSCOMMAND) {
            commands.push_back(wParam & 0xFFF0);
        }
        return Window::WndProc(msg, wParam, lParam);
    }
};

void RunWindowCommand(std::uint8_t command) {
    Win32InputSink input;
    Win32SystemPort system;
    CBasicFunction(input, system).RunWindowCommand(command);
}

TEST(WindowCommands, MaximizeAndMinimizeTheForegroundWindowWhenItHasTheBox) {
    constexpr DWORD kNoMaximizeBox = WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX;
    constexpr DWORD kNoMinimizeBox = WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX;
    struct Case {
        DWORD style;
        std::uint8_t command;
        bool zoomed, iconic;
    } cases[] = {
        {WS_OVERLAPPEDWINDOW, kWinMaximize, true, false},
        {WS_OVERLAPPEDWINDOW, kWinMinimize, false, true},
        {kNoMaximizeBox, kWinMaximize, false, false},
        {kNoMaximizeBox, kWinMinimize, false, true},
        {kNoMinimizeBox, kWinMinimize, false, false},
    };
    for (const Case& c : cases) {
        TestWindow window(c.style);
        ASSERT_EQ(::GetForegroundWindow(), window.hwnd());
        RunWindowCommand(c.command);
        EXPECT_EQ(::IsZoomed(window.hwnd()) != FALSE, c.zoomed) << std::hex << c.style;
        EXPECT_EQ(::IsIconic(window.hwnd()) != FALSE, c.iconic) << std::hex << c.style;
        const bool sent = c.zoomed || c.iconic;
        EXPECT_EQ(window.commands.size(), sent ? 1u : 0u) << std::hex << c.style;
    }
}

TEST(WindowCommands, MaximizeIsNoToggle) {
    TestWindow window(WS_OVERLAPPEDWINDOW);
    RunWindowCommand(kWinMaximize);
    RunWindowCommand(kWinMaximize);
    EXPECT_TRUE(::IsZoomed(window.hwnd()));
    EXPECT_EQ(window.commands, (std::vector<WPARAM>{SC_MAXIMIZE, SC_MAXIMIZE}));
}

TEST(WindowCommands, SystemFactsBehindTheDecisions) {
    Win32SystemPort system;
    // The 64-bit prefix: a 64-bit native system whose kernel offers the redirection switch,
    // which a 64-bit process cannot use.
    EXPECT_EQ(system.NativeArchitecture(), kArchitectureAmd64);
    const FsRedirection redirection = system.DisableFsRedirection();
    EXPECT_TRUE(redirection.available);
    if (redirection.disabled) {
        system.RevertFsRedirection(redirection.oldValue);
    }
    // Wine reports Windows 7 by default.
    EXPECT_EQ(system.OsClass(), 6);
    EXPECT_EQ(system.DesktopWindow(), reinterpret_cast<WindowRef>(::GetDesktopWindow()));

    Win32KeyboardLayout layout;
    EXPECT_EQ(layout.ScanCode(0x10), 0x2A);
    EXPECT_EQ(layout.ScanCode('A'), 0x1E);
}

}  // namespace
}  // namespace k2q::testing
