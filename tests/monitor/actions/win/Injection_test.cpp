// The real injection reaches the system: low-level hooks see each action's input in order,
// with its flags, scan codes and extra information.
#include <gtest/gtest.h>

#include <memory>

#include "support/win/LowLevelHooks.h"
#include "monitor/actions/win/ActionEngine.h"

namespace k2q::testing {
namespace {

using monitor::ActionEngine;

constexpr DWORD kInjected = LLKHF_INJECTED;
constexpr DWORD kExtended = LLKHF_EXTENDED;
constexpr DWORD kUp = LLKHF_UP;
constexpr POINT kPointer = {300, 200};

class Injection : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(hooks.installed());
        SetButtonDefaults(buttons);
        // Under Wine the pointer moves only once the process has a desktop.
        ::GetDesktopWindow();
        ASSERT_TRUE(::SetCursorPos(kPointer.x, kPointer.y));
    }

    // One activation of a control, as the monitor's window would hand it over while handling a
    // message whose extra information is `extra`.
    void Press(WPARAM eventCode, int record, ButtonRecord assignment, ULONG_PTR extra) {
        buttons.records[record] = assignment;
        ::SetMessageExtraInfo(static_cast<LPARAM>(extra));
        EXPECT_EQ(engine.OnButtonEvent(eventCode, buttons, *macros, nullptr), 1);
    }

    LowLevelHooks hooks;
    ButtonSetting buttons{};
    std::unique_ptr<MacroSetting> macros = std::make_unique<MacroSetting>();
    ActionEngine engine;
};

TEST_F(Injection, EveryKindOfActionReachesTheHooksInOrderWithItsFlags) {
    tagMACROINFO& macro = macros->macros[0];
    macro.eventCount = 4;
    macro.events[0] = {0x41, 0, 0, 0};
    macro.events[1] = {0x41, 1, 0, 0};
    macro.events[2] = {0xC2, 0, 0, 0};
    macro.events[3] = {0xC2, 1, 0, 0};

    Press(1000, kLeftButton, {0, kFnEditCommand, kEditCopy}, 0xE1);
    Press(1001, kWheelButton, {1, kFnMediaCommand, 0, 0, kMediaPlayPause}, 0xE2);
    Press(1002, kRightButton, {2, kFnLeftClick}, 0xE3);
    Press(1003, kFirstSideButton, {3, kFnExtraButton1}, 0xE4);
    Press(257, kWheelForward, {5, kFnScrollUp}, 0xE5);
    Press(511, kWheelBackward, {6, kFnWindowCommand, 0, kWinSwitch}, 0xE6);
    Press(1004, kSecondSideButton, {4, kFnMacro, 0, 0, 0, 0}, 0xE7);

    const std::vector<HookedInput> expected = {
        // Ctrl + C: scan code 0, the extended flag on every event, key-up on the releases.
        Key(WM_KEYDOWN, VK_CONTROL, 0, kExtended | kInjected),
        Key(WM_KEYDOWN, 'C', 0, kExtended | kInjected),
        Key(WM_KEYUP, 'C', 0, kExtended | kInjected | kUp),
        Key(WM_KEYUP, VK_CONTROL, 0, kExtended | kInjected | kUp),
        Key(WM_KEYDOWN, VK_MEDIA_PLAY_PAUSE, 0, kExtended | kInjected),
        Key(WM_KEYUP, VK_MEDIA_PLAY_PAUSE, 0, kExtended | kInjected | kUp),
        // Mouse input carries the extra information of the message in hand at each call.
        Button(WM_LBUTTONDOWN, 0, 0xE3),
        Button(WM_LBUTTONUP, 0, 0xE3),
        Button(WM_XBUTTONDOWN, XBUTTON1 << 16, 0xE4),
        Button(WM_XBUTTONUP, XBUTTON1 << 16, 0xE4),
        Button(WM_MOUSEWHEEL, WHEEL_DELTA << 16, 0xE5),
        // Windows 7 and later: Ctrl + left Windows key + Tab.
        Key(WM_KEYDOWN, VK_CONTROL, 0, kExtended | kInjected),
        Key(WM_KEYDOWN, VK_LWIN, 0, kExtended | kInjected),
        Key(WM_KEYDOWN, VK_TAB, 0, kExtended | kInjected),
        Key(WM_KEYUP, VK_TAB, 0, kExtended | kInjected | kUp),
        Key(WM_KEYUP, VK_LWIN, 0, kExtended | kInjected | kUp),
        Key(WM_KEYUP, VK_CONTROL, 0, kExtended | kInjected | kUp),
        // The macro: the layout's scan code and no extended flag; mouse buttons as clicks are.
        Key(WM_KEYDOWN, 'A', 0x1E, kInjected),
        Key(WM_KEYUP, 'A', 0x1E, kInjected | kUp),
        Button(WM_RBUTTONDOWN, 0, 0xE7),
        Button(WM_RBUTTONUP, 0, 0xE7),
    };
    const std::vector<HookedInput> seen = hooks.WaitFor(expected.size());
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(seen[i].SameInput(expected[i]))
            << i << ": saw " << seen[i] << ", expected " << expected[i];
        if (!seen[i].keyboard) {
            EXPECT_EQ(seen[i].pt.x, kPointer.x) << i;  // at the pointer: no position given
            EXPECT_EQ(seen[i].pt.y, kPointer.y) << i;
        }
    }
}

}  // namespace
}  // namespace k2q::testing
