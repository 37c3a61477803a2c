#include "common/settings/MacroSetting.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/settings/MacroList.h"
#include "support/Bytes.h"

namespace k2q {
namespace {

using testing::BytesOf;
using testing::Int32At;
using testing::Uint16At;

// The table is 213 KB: keep it off the stack.
std::unique_ptr<MacroSetting> ZeroTable() {
    auto table = std::make_unique<MacroSetting>();
    std::memset(table.get(), 0, sizeof *table);
    return table;
}

tagMACROINFO NamedMacro(std::u16string_view name, int events = 0) {
    tagMACROINFO m;
    std::memset(&m, 0, sizeof m);
    SetMacroName(m, name);
    m.eventCount = static_cast<std::uint16_t>(events);
    for (int i = 0; i < events && i < kMacroEventCapacity; ++i) {
        m.events[i] = {static_cast<std::uint8_t>(0x41 + i % 26), std::uint8_t(i % 2), 0, i};
    }
    return m;
}

TEST(MacroSettingLayout, RecordsEventsNameAndCountLandAtTheirStoredOffsets) {
    auto table = ZeroTable();
    tagMACROINFO& m = table->macros[2];
    m.recordDelay = 1;
    m.loopEnabled = 1;
    m.loopCount = 0x01020304;
    m.eventCount = 0x0506;
    m.events[0] = {0xC2, 1, 0, 250};
    m.events[199] = {0x41, 0, 0, -7};
    SetMacroName(m, u"Ab");
    table->count = 3;

    const auto bytes = BytesOf(*table);
    ASSERT_EQ(bytes.size(), 213604u);
    const std::size_t base = 2 * 2136;
    EXPECT_EQ(Int32At(bytes, base + 0), 1);
    EXPECT_EQ(Int32At(bytes, base + 4), 1);
    EXPECT_EQ(Int32At(bytes, base + 8), 0x01020304);
    EXPECT_EQ(Uint16At(bytes, base + 12), 0x0506);
    EXPECT_EQ(Uint16At(bytes, base + 14), 0);
    EXPECT_EQ(bytes[base + 16], 0xC2);
    EXPECT_EQ(bytes[base + 17], 1);
    EXPECT_EQ(Int32At(bytes, base + 20), 250);
    EXPECT_EQ(bytes[base + 16 + 199 * 8], 0x41);
    EXPECT_EQ(Int32At(bytes, base + 16 + 199 * 8 + 4), -7);
    EXPECT_EQ(Uint16At(bytes, base + 1616), u'A');
    EXPECT_EQ(Uint16At(bytes, base + 1618), u'b');
    EXPECT_EQ(Uint16At(bytes, base + 1620), 0);
    EXPECT_EQ(Int32At(bytes, 213600), 3);
}

TEST(MacroSetting, PassesFollowTheLoopSwitch) {
    struct Case {
        std::int32_t loopEnabled, loopCount;
        int passes;
    } cases[] = {{0, 5, 1}, {1, 0, 0}, {1, 3, 3}, {7, 2, 2}, {1, -4, -4}, {0, -4, 1}};
    for (const Case& c : cases) {
        tagMACROINFO m = NamedMacro(u"x");
        m.loopEnabled = c.loopEnabled;
        m.loopCount = c.loopCount;
        EXPECT_EQ(MacroPasses(m), c.passes) << c.loopEnabled << "/" << c.loopCount;
    }
}

TEST(MacroSetting, NamesAreCutTo259UnitsWithTheirZeroAtOffset2134) {
    tagMACROINFO m = NamedMacro(std::u16string(300, u'n'));
    EXPECT_EQ(MacroName(m).size(), 259u);
    const auto bytes = BytesOf(m);
    EXPECT_EQ(Uint16At(bytes, 2132), u'n');
    EXPECT_EQ(Uint16At(bytes, 2134), 0);

    // A pair that would straddle the cut goes whole: no lone high surrogate is left behind.
    std::u16string paired(258, u'n');
    paired += u"\U0001F600tail";
    tagMACROINFO p = NamedMacro(paired);
    EXPECT_EQ(MacroName(p), std::u16string(258, u'n'));
}

// Damaged stores and profiles can hold any bytes; readers stay inside the block.
TEST(MacroSettingDamaged, ReadersStayInsideTheBlock) {
    auto table = ZeroTable();
    std::memset(table->macros[0].name, 0x41, sizeof table->macros[0].name);  // no terminator
    table->macros[0].eventCount = 0xFFFF;
    table->macros[5].eventCount = 200;

    EXPECT_EQ(MacroName(table->macros[0]).size(), 260u);
    EXPECT_EQ(MacroEvents(table->macros[0]).size(), 200u);
    EXPECT_EQ(MacroEvents(table->macros[5]).size(), 200u);

    for (int index : {-1, 100, 101, 255}) {
        EXPECT_EQ(MacroRecordAt(*table, index), nullptr) << index;
        EXPECT_EQ(MacroNameAt(*table, index), u"") << index;
    }
    // Between the number in use and 99 the (all-zero) record is there, with an empty name.
    EXPECT_EQ(MacroRecordAt(*table, 99), &table->macros[99]);
    EXPECT_EQ(MacroNameAt(*table, 99), u"");

    for (std::int32_t count : {-5, 0, 100, 101, 0x7FFFFFFF}) {
        table->count = count;
        EXPECT_EQ(MacroCountInUse(*table), count < 0 ? 0 : count > 100 ? 100 : count) << count;
    }
}

TEST(MacroList, LoadTakesOnlyTheMacrosInUse) {
    auto table = ZeroTable();
    table->macros[0] = NamedMacro(u"first", 3);
    table->macros[1] = NamedMacro(u"second");
    table->macros[2] = NamedMacro(u"beyond the count");

    table->count = 0;
    EXPECT_TRUE(LoadMacroList(*table).empty());

    table->count = 2;
    const MacroList list = LoadMacroList(*table);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(MacroName(list[0]), u"first");
    EXPECT_EQ(list[0].eventCount, 3);
    EXPECT_EQ(MacroName(list[1]), u"second");
}

TEST(MacroList, LoadMakesDamagedRecordsSafeForTheEditor) {
    auto table = ZeroTable();
    table->count = 1000;
    std::memset(table->macros[0].name, 0x42, sizeof table->macros[0].name);
    table->macros[0].eventCount = 999;

    const MacroList list = LoadMacroList(*table);
    EXPECT_EQ(list.size(), 100u);
    EXPECT_EQ(MacroName(list[0]).size(), 259u);
    EXPECT_EQ(list[0].eventCount, 200);
}

TEST(MacroList, BuildWritesRecordsInListOrderZeroesTheRestAndStoresTheCount) {
    auto table = ZeroTable();
    std::memset(table.get(), 0xEE, sizeof *table);  // stale contents must all go
    const MacroList list = {NamedMacro(u"a", 1), NamedMacro(u"b", 2), NamedMacro(u"c", 3)};
    BuildMacroBlock(list, *table);

    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(std::memcmp(&table->macros[i], &list[i], sizeof list[i]), 0) << i;
    }
    const auto bytes = BytesOf(*table);
    for (std::size_t b = 3 * 2136; b < 213600; ++b) {
        ASSERT_EQ(bytes[b], 0) << "byte " << b;
    }
    EXPECT_EQ(table->count, 3);

    // The list never exceeds the table's 100 records.
    BuildMacroBlock(MacroList(120, NamedMacro(u"z")), *table);
    EXPECT_EQ(table->count, 100);
}

class MacroDeletion : public ::testing::Test {
protected:
    void SetUp() override {
        SetButtonDefaults(buttons);
        list = {NamedMacro(u"m0"), NamedMacro(u"m1"), NamedMacro(u"m2")};
    }
    void UseMacro(int record, int index) {
        buttons.records[record].function = kFnMacro;
        buttons.records[record].macroIndex = static_cast<std::uint8_t>(index);
    }
    ButtonSetting buttons;
    MacroList list;
};

TEST_F(MacroDeletion, LaterMacrosAndTheButtonsPointingAtThemMoveDown) {
    UseMacro(kFirstSideButton, 2);
    UseMacro(kSecondSideButton, 0);
    EXPECT_EQ(DeleteMacro(list, buttons, kWheelButton, 1), DeleteMacroResult::Deleted);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(MacroName(list[1]), u"m2");
    EXPECT_EQ(buttons.records[kFirstSideButton].macroIndex, 1);
    EXPECT_EQ(buttons.records[kSecondSideButton].macroIndex, 0);
}

TEST_F(MacroDeletion, AMacroAnotherControlUsesIsRefused) {
    UseMacro(kWheelForward, 1);
    EXPECT_EQ(DeleteMacro(list, buttons, kWheelButton, 1), DeleteMacroResult::RefusedInUse);
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(buttons.records[kWheelForward].macroIndex, 1);
}

TEST_F(MacroDeletion, TheEditedControlMayDeleteItsOwnMacroAndKeepsItsIndex) {
    UseMacro(kWheelButton, 1);
    EXPECT_EQ(DeleteMacro(list, buttons, kWheelButton, 1), DeleteMacroResult::Deleted);
    EXPECT_EQ(buttons.records[kWheelButton].macroIndex, 1);
    EXPECT_EQ(list.size(), 2u);
}

TEST_F(MacroDeletion, IndicesOfOtherFunctionsAreLeftAlone) {
    buttons.records[kFirstSideButton].macroIndex = 2;  // function stays 9
    EXPECT_EQ(DeleteMacro(list, buttons, kWheelButton, 0), DeleteMacroResult::Deleted);
    EXPECT_EQ(buttons.records[kFirstSideButton].macroIndex, 2);
    EXPECT_EQ(DeleteMacro(list, buttons, kWheelButton, 5), DeleteMacroResult::NoSuchMacro);
    EXPECT_EQ(DeleteMacro(list, buttons, kWheelButton, -1), DeleteMacroResult::NoSuchMacro);
}

}  // namespace
}  // namespace k2q
