// Macro and combination playback: the played events, their scan codes and pauses, the loop
// rules, and damaged records that must play only what fits.
#include "monitor/actions/Playback.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "monitor/actions/ActionFakes.h"

namespace k2q::monitor {
namespace {

using Sleeps = std::vector<std::uint32_t>;

std::unique_ptr<MacroSetting> TableWith(int index, const tagMACROINFO& macro) {
    auto table = std::make_unique<MacroSetting>();
    table->macros[index] = macro;
    table->count = index + 1;
    return table;
}

tagMACROINFO Macro(std::initializer_list<MacroEvent> events, std::int32_t loopEnabled = 0,
                   std::int32_t loopCount = 0) {
    tagMACROINFO m{};
    m.loopEnabled = loopEnabled;
    m.loopCount = loopCount;
    for (const MacroEvent& e : events) {
        m.events[m.eventCount++] = e;
    }
    return m;
}

TEST(Playback, InputEventUsesGenericModifiersScanCodesAndItsPause) {
    struct Case {
        std::uint8_t code, transition;
        Input input;
        std::uint32_t pause;
    } cases[] = {
        {0x41, 0, PlayedDown(0x41, 0x1E), 50},
        {0x41, 1, PlayedUp(0x41, 0x1E), 50},
        {0x41, 7, PlayedUp(0x41, 0x1E), 50},  // every non-zero transition is a release
        {0xA0, 0, PlayedDown(0x10, 0x2A), 50},
        {0xA1, 1, PlayedUp(0x10, 0x2A), 50},
        {0xA2, 0, PlayedDown(0x11, 0x1D), 50},
        {0xA3, 0, PlayedDown(0x11, 0x1D), 50},
        {0xA4, 0, PlayedDown(0x12, 0x38), 50},
        {0xA5, 1, PlayedUp(0x12, 0x38), 50},
        {0x5B, 0, PlayedDown(0x5B, 0x5B), 50},  // the Windows keys keep their side
        {0x5C, 0, PlayedDown(0x5C, 0x5C), 50},
        {0x2E, 0, PlayedDown(0x2E, 0x53), 50},  // extended keys without the extended flag
        {0x25, 1, PlayedUp(0x25, 0x4B), 50},
        {0xC4, 0, PlayedDown(0xC4, 0), 50},  // next to the mouse codes, but a key
        {0xC1, 0, MouseAt(kMouseLeftDown), 100},
        {0xC1, 1, MouseAt(kMouseLeftUp), 100},
        {0xC2, 0, MouseAt(kMouseRightDown), 100},
        {0xC2, 1, MouseAt(kMouseRightUp), 100},
        {0xC3, 0, MouseAt(kMouseMiddleDown), 100},
        {0xC3, 1, MouseAt(kMouseMiddleUp), 100},
    };
    for (const Case& c : cases) {
        FakeActions f;
        PlayInputEvent(f.ports, c.code, c.transition);
        EXPECT_EQ(f.input.inputs, Inputs{c.input}) << std::hex << int(c.code);
        EXPECT_EQ(f.clock.sleeps, Sleeps{c.pause}) << std::hex << int(c.code);
    }
}

TEST(Playback, MacroPlaysEachEventThenItsPauseThenItsDelay) {
    const auto table = TableWith(3, Macro({{0xA1, 0, 0, 0},
                                           {0x42, 0, 0, 25},
                                           {0x42, 1, 0, 0},
                                           {0xA1, 1, 0, 1},
                                           {0xC3, 0, 0, 300},
                                           {0xC3, 1, 0, 0}},
                                          1, 2));
    FakeActions f;
    PlayMacro(f.ports, *table, 3);
    const Inputs pass = {PlayedDown(0x10, 0x2A),    PlayedDown(0x42, 0x30),
                         PlayedUp(0x42, 0x30),      PlayedUp(0x10, 0x2A),
                         MouseAt(kMouseMiddleDown), MouseAt(kMouseMiddleUp)};
    Inputs both = pass;
    both.insert(both.end(), pass.begin(), pass.end());
    EXPECT_EQ(f.input.inputs, both);
    // The delay of 0 is still a sleep: it yields the processor once.
    const Sleeps passSleeps = {50, 0, 50, 25, 50, 0, 50, 1, 100, 300, 100, 0};
    Sleeps allSleeps = passSleeps;
    allSleeps.insert(allSleeps.end(), passSleeps.begin(), passSleeps.end());
    EXPECT_EQ(f.clock.sleeps, allSleeps);
    // No pause between passes beyond the last event's delay: pass two starts at 726 ms.
    EXPECT_EQ(f.input.timesMs, (std::vector<std::int64_t>{0, 50, 125, 175, 226, 626, 726, 776, 851,
                                                          901, 952, 1352}));
}

TEST(Playback, LoopSwitchAndCountGiveThePasses) {
    struct Case {
        std::int32_t loopEnabled, loopCount;
        int passes;
    } cases[] = {
        {0, 5, 1},
        {0, 0, 1},
        {0, -3, 1},
        {1, 0, 0},
        {1, 3, 3},
        {1, -4, 0},
        {-1, 2, 2},
        {1, INT_MIN, 0},
        {1, 999, 999},
        {1, INT_MAX, kMaxMacroPasses},  // a damaged count holds the monitor no longer than 999
    };
    for (const Case& c : cases) {
        const auto table = TableWith(0, Macro({{0x41, 0, 0, 0}}, c.loopEnabled, c.loopCount));
        FakeActions f;
        PlayMacro(f.ports, *table, 0);
        EXPECT_EQ(f.input.inputs.size(), std::size_t(c.passes))
            << c.loopEnabled << "/" << c.loopCount;
    }
}

TEST(Playback, DamagedMacrosPlayOnlyWhatFitsInTheirRecord) {
    // An index outside the table, or an empty slot, plays nothing.
    for (int index : {-1, 100, 255, 5}) {
        const auto table = TableWith(0, Macro({{0x41, 0, 0, 0}}));
        FakeActions f;
        PlayMacro(f.ports, *table, index);
        EXPECT_TRUE(f.input.inputs.empty()) << index;
        EXPECT_TRUE(f.clock.sleeps.empty()) << index;
    }

    // The last record claims 65535 events: its 200 play, and the name behind them is never
    // taken for events.
    auto table = std::make_unique<MacroSetting>();
    tagMACROINFO& last = table->macros[kMacroCapacity - 1];
    for (MacroEvent& e : last.events) {
        e = {0x42, 0, 0, 0};
    }
    last.eventCount = 0xFFFF;
    std::fill(std::begin(last.name), std::end(last.name), u'X');
    FakeActions f;
    PlayMacro(f.ports, *table, kMacroCapacity - 1);
    EXPECT_EQ(f.input.inputs.size(), std::size_t(kMacroEventCapacity));
    for (const Input& input : f.input.inputs) {
        ASSERT_EQ(input, PlayedDown(0x42, 0x30));
    }
}

TEST(Playback, DamagedDelaysAreHeldToWhatTheEditorCanStore) {
    const auto table = TableWith(0, Macro({{0x41, 0, 0, -1},
                                           {0x41, 1, 0, INT_MIN},
                                           {0x41, 0, 0, INT_MAX},
                                           {0x41, 1, 0, 9'999'999}}));
    FakeActions f;
    PlayMacro(f.ports, *table, 0);
    EXPECT_EQ(f.clock.sleeps, (Sleeps{50, 0, 50, 0, 50, 9'999'999, 50, 9'999'999}));
}

TEST(Playback, CombinationHoldsTheModifiersWhileTypingBothKeys) {
    struct Case {
        std::uint8_t mask, key1, key2;
        Inputs inputs;
        Sleeps sleeps;
    } cases[] = {
        // left Ctrl + left Alt + Delete; modifiers are released in the order they were pressed
        {0x05,
         0x2E,
         0,
         {PlayedDown(0x11, 0x1D), PlayedDown(0x12, 0x38), PlayedDown(0x2E, 0x53),
          PlayedUp(0x2E, 0x53), PlayedUp(0x11, 0x1D), PlayedUp(0x12, 0x38)},
         Sleeps(6, 50)},
        {0x10,
         0x41,
         0,
         {PlayedDown(0x11, 0x1D), PlayedDown(0x41, 0x1E), PlayedUp(0x41, 0x1E),
          PlayedUp(0x11, 0x1D)},
         Sleeps(4, 50)},
        {0x80,
         0x41,
         0,
         {PlayedDown(0x5B, 0x5B), PlayedDown(0x41, 0x1E), PlayedUp(0x41, 0x1E),
          PlayedUp(0x5B, 0x5B)},
         Sleeps(4, 50)},
        {0x02,
         0,
         0x41,
         {PlayedDown(0x10, 0x2A), PlayedDown(0x41, 0x1E), PlayedUp(0x41, 0x1E),
          PlayedUp(0x10, 0x2A)},
         Sleeps(4, 50)},
        {0x11,
         0x41,
         0x42,  // both Ctrl bits still press Ctrl once
         {PlayedDown(0x11, 0x1D), PlayedDown(0x41, 0x1E), PlayedUp(0x41, 0x1E),
          PlayedDown(0x42, 0x30), PlayedUp(0x42, 0x30), PlayedUp(0x11, 0x1D)},
         Sleeps(6, 50)},
        {0xFF,
         0x41,
         0,
         {PlayedDown(0x11, 0x1D), PlayedDown(0x10, 0x2A), PlayedDown(0x12, 0x38),
          PlayedDown(0x5B, 0x5B), PlayedDown(0x41, 0x1E), PlayedUp(0x41, 0x1E),
          PlayedUp(0x11, 0x1D), PlayedUp(0x10, 0x2A), PlayedUp(0x12, 0x38), PlayedUp(0x5B, 0x5B)},
         Sleeps(10, 50)},
        {0x01,
         0xC1,
         0,
         {PlayedDown(0x11, 0x1D), MouseAt(kMouseLeftDown), MouseAt(kMouseLeftUp),
          PlayedUp(0x11, 0x1D)},
         {50, 100, 100, 50}},
        {0x00,
         0xA1,
         0xA4,
         {PlayedDown(0x10, 0x2A), PlayedUp(0x10, 0x2A), PlayedDown(0x12, 0x38),
          PlayedUp(0x12, 0x38)},
         Sleeps(4, 50)},
        {0x00, 0, 0, {}, {}},
    };
    for (const Case& c : cases) {
        FakeActions f;
        PlayCombination(f.ports, c.mask, c.key1, c.key2);
        EXPECT_EQ(f.input.inputs, c.inputs)
            << std::hex << int(c.mask) << " " << int(c.key1) << " " << int(c.key2);
        EXPECT_EQ(f.clock.sleeps, c.sleeps) << std::hex << int(c.mask);
    }
}

}  // namespace
}  // namespace k2q::monitor
