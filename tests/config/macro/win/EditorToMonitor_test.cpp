// The road of a macro from the editor to the mouse button: recorded, edited and looped in the
// editor, saved to the store, taken up by the monitor's reload, and played when the simulated
// mouse reports the button, as the system then receives it.
#include <gtest/gtest.h>

#include "EditorSession.h"
#include "support/win/TempFolder.h"
#include "common/settings/SettingsStore.h"
#include "common/win/Gdiplus.h"
#include "config/macro/win/MacroEditorIds.h"
#include "monitor/app/win/HostedMonitor.h"
#include "support/UiTexts.h"
#include "support/win/LowLevelHooks.h"
#include "support/win/MessagePump.h"

namespace k2q::config::win {
namespace {

using namespace std::chrono_literals;
using testing::KeyDown;
using testing::KeyUp;
using testing::PressKey;
namespace layout = skin::macro;

class EditorToMonitor : public monitor::HostedMonitor {};

const tagMACROINFO& Selected(const MacroEditor& e) {
    return e.macros()[e.selectedMacro()];
}

// Types a number into a field after clearing what it holds.
void TypeNumber(EditorUser& user, int id, const skin::Rect& field, const char* digits) {
    user.ClickField(id, field);
    PressKey(VK_END);
    for (int i = 0; i < 8; ++i) {
        PressKey(VK_BACK);
    }
    for (const char* d = digits; *d; ++d) {
        PressKey(static_cast<WORD>(*d));
    }
}

TEST_F(EditorToMonitor, AMacroRecordedEditedLoopedAndSavedPlaysAsRecorded) {
    k2q::win::GdiplusSession gdiplus;
    testing::LoadKeyNamesAsProgramUiTexts();
    testing::TempFolder hooks(L"K2qMacroToMonitor");
    ASSERT_TRUE(hooks.CopyFromDist(L"KbSnare.dll"));
    buttons.records[kFirstSideButton].function = kFnMacro;
    buttons.records[kFirstSideButton].macroIndex = 0;
    macros->count = 1;
    SetMacroName(macros->macros[0], u"m");
    Start();

    // The configuration program's own copies, as it loads them at its start.
    ButtonSetting configButtons{};
    auto configMacros = std::make_unique<MacroSetting>();
    std::memset(configMacros.get(), 0, sizeof *configMacros);
    LoadOrCreateStore(registry, configButtons, *configMacros);

    CDlgMacro dialog(*configMacros, configButtons, 0, kFirstSideButton,
                     CDlgMacro::Options{&registry, hooks.path()});
    const INT_PTR result = RunEditor(dialog, [&](EditorUser& user) {
        // Recorded: K held for a while, with the delay box on.
        user.Click(layout::kRecord);
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return e.recording(); }));
        user.Click(layout::kDelayBox);
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return e.delaySwitch(); }));
        KeyDown('K');
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return Selected(e).eventCount == 1; }));
        ::Sleep(40);  // the pause being recorded
        KeyUp('K');
        ASSERT_TRUE(
            user.WaitForEditor([](const MacroEditor& e) { return Selected(e).eventCount == 2; }));
        user.Click(layout::kRecord);
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return !e.recording(); }));
        ASSERT_EQ(user.OnUi([&] { return dialog.editor()->items().size(); }), 3u);

        // Edited: the pause line becomes 120 ms.
        user.ClickItem(layout::kEventList, 1);
        TypeNumber(user, IDC_MACRO_DELAY, layout::kDelayField, "120");
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return e.delayValue() == 120; }));
        user.Click(layout::kModifyDelay);
        ASSERT_TRUE(user.WaitForEditor(
            [](const MacroEditor& e) { return Selected(e).events[0].delay == 120; }));

        // Looped: twice.
        user.Click(layout::kLoopBox);
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) { return e.loopFieldEnabled(); }));
        TypeNumber(user, IDC_MACRO_LOOP_COUNT, layout::kLoopCount, "2");
        ASSERT_TRUE(user.WaitForEditor([](const MacroEditor& e) {
            return Selected(e).loopEnabled == 1 && Selected(e).loopCount == 2;
        }));
        user.Click(layout::kOk);
    });
    ASSERT_EQ(result, IDOK);
    ASSERT_EQ(dialog.selectedMacro(), 0);

    // Apply's reload request; the monitor reads the store the editor wrote.
    Send(kReloadRequestMessage, 7);
    const tagMACROINFO& played = memoryMacros->macros[0];
    ASSERT_EQ(played.eventCount, 2);
    EXPECT_EQ(played.events[0].delay, 120);
    EXPECT_EQ(played.events[1].delay, 0);
    EXPECT_EQ(MacroPasses(played), 2);

    testing::LowLevelHooks seen;
    ASSERT_TRUE(seen.installed());
    ASSERT_TRUE(driver.QueueEvent(1003));
    ASSERT_TRUE(testing::PumpUntil([&] { return seen.Count() >= 4; }, 5s));
    const auto inputs = seen.WaitFor(4);
    ASSERT_EQ(inputs.size(), 4u);
    const UINT messages[] = {WM_KEYDOWN, WM_KEYUP, WM_KEYDOWN, WM_KEYUP};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(inputs[i].message, messages[i]) << i;
        EXPECT_EQ(inputs[i].vk, static_cast<DWORD>('K')) << i;
    }
    // The recorded pause is played after each press, on top of the key's own 50 ms: the
    // release can come later on a busy machine, never sooner.
    EXPECT_GE(inputs[1].atUs - inputs[0].atUs, 165'000);
    EXPECT_GE(inputs[3].atUs - inputs[2].atUs, 165'000);
}

}  // namespace
}  // namespace k2q::config::win
