// The handler of the button-event message: event code to record, and the notices that go to
// the configuration window before a sideways scroll.
#include "monitor/actions/ButtonEvent.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "monitor/actions/ActionFakes.h"

namespace k2q::monitor {
namespace {

using Log = std::vector<std::string>;

struct Blocks {
    Blocks() { SetButtonDefaults(buttons); }
    ButtonSetting buttons{};
    std::unique_ptr<MacroSetting> macros = std::make_unique<MacroSetting>();
    MonitorState State(WindowRef configWindow = 0) const {
        return {buttons, *macros, configWindow};
    }
};

TEST(ButtonEvent, EventCodesSelectTheirRecords) {
    // With the default assignment every record's function shows which record ran.
    struct Case {
        std::uint64_t code;
        Inputs inputs;
    } cases[] = {
        {1000, {MouseAt(kMouseLeftDown), MouseAt(kMouseLeftUp)}},
        {1001, {MouseAt(kMouseMiddleDown), MouseAt(kMouseMiddleUp)}},
        {1002, {MouseAt(kMouseRightDown), MouseAt(kMouseRightUp)}},
        {1003, {MouseAt(kMouseXDown, 2), MouseAt(kMouseXUp, 2)}},
        {1004, {MouseAt(kMouseXDown, 1), MouseAt(kMouseXUp, 1)}},
        {257, {MouseAt(kMouseWheel, 120)}},
        {511, {MouseAt(kMouseWheel, -120)}},
        {0, {}},
        {256, {}},
        {258, {}},
        {510, {}},
        {512, {}},
        {999, {}},
        {1005, {}},
        {0xFFFFFFFF, {}},
        {(1ull << 32) + 1000, {}},  // never truncated into a known code
    };
    const Blocks blocks;
    for (const Case& c : cases) {
        FakeActions f;
        EXPECT_EQ(HandleButtonEvent(c.code, blocks.State(0x99), f.ports), 1);
        EXPECT_EQ(f.input.inputs, c.inputs) << c.code;
        EXPECT_TRUE(f.system.log.empty()) << c.code;
    }
}

TEST(ButtonEvent, MacroAndCombinationRecordsPlayFromTheMonitorsBlocks) {
    Blocks blocks;
    blocks.buttons.records[kFirstSideButton].function = kFnMacro;
    blocks.buttons.records[kFirstSideButton].macroIndex = 7;
    tagMACROINFO& macro = blocks.macros->macros[7];
    macro.eventCount = 2;
    macro.events[0] = {0x41, 0, 0, 10};
    macro.events[1] = {0x41, 1, 0, 0};
    blocks.buttons.records[kSecondSideButton] = {4, kFnCombination, 0, 0, 0, 0, 0x01, 0x43, 0};

    FakeActions f;
    HandleButtonEvent(1003, blocks.State(), f.ports);
    HandleButtonEvent(1004, blocks.State(), f.ports);
    EXPECT_EQ(f.input.inputs,
              (Inputs{PlayedDown(0x41, 0x1E), PlayedUp(0x41, 0x1E), PlayedDown(0x11, 0x1D),
                      PlayedDown(0x43, 0x2E), PlayedUp(0x43, 0x2E), PlayedUp(0x11, 0x1D)}));
    EXPECT_EQ(f.clock.sleeps, (std::vector<std::uint32_t>{50, 10, 50, 0, 50, 50, 50, 50}));

    // A damaged macro index points outside the table: nothing plays.
    blocks.buttons.records[kFirstSideButton].macroIndex = 200;
    FakeActions damaged;
    HandleButtonEvent(1003, blocks.State(), damaged.ports);
    EXPECT_TRUE(damaged.input.inputs.empty());
}

TEST(ButtonEvent, SidewaysScrollsNotifyTheConfigurationWindowFirst) {
    struct Case {
        std::uint8_t function;
        std::int32_t amount;
        WindowRef configWindow;
        Log log;
    } cases[] = {
        {kFnScrollLeft, 3, 0x4242, {"post 4242 604 2FF 0", "scroll 3"}},
        {kFnScrollRight, 3, 0x4242, {"post 4242 604 201 0", "scroll -3"}},
        {kFnScrollLeft, 3, 0, {"scroll 3"}},  // no window announced: scroll only
        {kFnScrollRight, 5, 0, {"scroll -5"}},
        {kFnScrollLeft, 0, 0x4242, {"post 4242 604 2FF 0", "scroll 0"}},
        // A damaged amount is negated without overflowing.
        {kFnScrollRight, INT_MIN, 0, {"scroll " + std::to_string(INT_MAX)}},
        {kFnScrollRight, -7, 0, {"scroll 7"}},
    };
    for (const Case& c : cases) {
        Blocks blocks;
        blocks.buttons.records[kWheelForward].function = c.function;
        blocks.buttons.mouse.hScrollAmount = c.amount;
        FakeActions f;
        HandleButtonEvent(257, blocks.State(c.configWindow), f.ports);
        EXPECT_EQ(f.system.log, c.log) << int(c.function) << " " << c.amount;
        EXPECT_TRUE(f.input.inputs.empty());
    }
}

}  // namespace
}  // namespace k2q::monitor
