// Events that arrive while a macro plays wait in the message queue and run after it, in the
// order they were posted; none is dropped.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "support/win/LowLevelHooks.h"
#include "common/win/Window.h"
#include "monitor/actions/ButtonEvent.h"
#include "monitor/actions/win/ActionEngine.h"

namespace k2q::testing {
namespace {

using namespace k2q::monitor;

// Handles the button-event message as the monitor's main window does.
class EngineWindow : public win::Window {
  public:
    EngineWindow() {
        SetButtonDefaults(buttons);
        CreateParams p;
        p.className = L"K2qEngineTestWindow";
        EXPECT_TRUE(Create(p));
    }
    ButtonSetting buttons{};
    std::unique_ptr<MacroSetting> macros = std::make_unique<MacroSetting>();

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kButtonEventMessage) {
            return engine_.OnButtonEvent(wParam, buttons, *macros, nullptr);
        }
        return Window::WndProc(msg, wParam, lParam);
    }

  private:
    ActionEngine engine_;
};

TEST(EventOrder, EventsPostedDuringAMacroRunAfterItInOrder) {
    LowLevelHooks hooks;
    ASSERT_TRUE(hooks.installed());
    ::GetDesktopWindow();  // under Wine the pointer and mouse input need the desktop
    EngineWindow window;
    // The first side button plays six key events, 70 ms apart; the left button clicks and the
    // second side button clicks extra button 1, as by default.
    window.buttons.records[kFirstSideButton].function = kFnMacro;
    window.buttons.records[kFirstSideButton].macroIndex = 0;
    tagMACROINFO& macro = window.macros->macros[0];
    for (std::uint8_t key : {'A', 'B', 'C'}) {
        macro.events[macro.eventCount++] = {key, 0, 0, 20};
        macro.events[macro.eventCount++] = {key, 1, 0, 20};
    }

    ASSERT_TRUE(::PostMessageW(window.hwnd(), kButtonEventMessage, 1003, 0));
    std::atomic<std::int64_t> postedAt{0};
    std::thread reader([&] {  // the driver channel's reader thread keeps posting meanwhile
        hooks.WaitFor(1);
        ::PostMessageW(window.hwnd(), kButtonEventMessage, 1000, 0);
        ::PostMessageW(window.hwnd(), kButtonEventMessage, 1004, 0);
        postedAt = NowUs();
    });
    const bool done = PumpUntil([&] { return hooks.Count() >= 10; });
    reader.join();
    ASSERT_TRUE(done);

    const std::vector<HookedInput> seen = hooks.WaitFor(10);
    const std::vector<UINT> expected = {WM_KEYDOWN,     WM_KEYUP,    WM_KEYDOWN,     WM_KEYUP,
                                        WM_KEYDOWN,     WM_KEYUP,    WM_LBUTTONDOWN, WM_LBUTTONUP,
                                        WM_XBUTTONDOWN, WM_XBUTTONUP};
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(seen[i].message, expected[i]) << i << ": " << seen[i];
    }
    EXPECT_EQ(seen[4].vk, DWORD('C'));
    EXPECT_EQ(seen[8].mouseData, DWORD(XBUTTON1) << 16);
    // Both were posted while the macro still had keys to play.
    EXPECT_LT(postedAt.load(), seen[5].atUs);
}

}  // namespace
}  // namespace k2q::testing
