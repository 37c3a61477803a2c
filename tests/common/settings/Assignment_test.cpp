#include "common/settings/Assignment.h"

#include <gtest/gtest.h>

#include <cstring>

namespace k2q {
namespace {

ButtonSetting Defaults() {
    ButtonSetting block;
    SetButtonDefaults(block);
    return block;
}

TEST(Assignment, TheLastLeftClickCannotBeGivenAwayButCanBeChosenAgain) {
    ButtonSetting block = Defaults();
    EXPECT_TRUE(IsLastLeftClickRefusal(block, kLeftButton, kFnRightClick));
    EXPECT_EQ(ApplyFunctionChoice(block, kLeftButton, {kFnRightClick}), AssignResult::Refused);
    EXPECT_EQ(block.records[kLeftButton].function, kFnLeftClick);

    EXPECT_EQ(ApplyFunctionChoice(block, kLeftButton, {kFnLeftClick}), AssignResult::Changed);
    EXPECT_FALSE(IsLastLeftClickRefusal(block, kRightButton, kFnMiddleClick));

    // With a second left click elsewhere, the first one may change.
    block.records[kFirstSideButton].function = kFnLeftClick;
    EXPECT_EQ(ApplyFunctionChoice(block, kLeftButton, {kFnRightClick}), AssignResult::Changed);
    EXPECT_TRUE(IsLastLeftClickRefusal(block, kFirstSideButton, kFnMacro));
}

TEST(Assignment, CombinationIsWrittenOnlyWhenTheDialogCapturedSomething) {
    struct Case {
        const char* name;
        std::optional<CombinationOutcome> outcome;
        AssignResult result;
    } cases[] = {
        {"ok with keys", CombinationOutcome{true, 0x03, 0x41, 0}, AssignResult::Changed},
        {"ok, only a modifier", CombinationOutcome{true, 0x01, 0, 0}, AssignResult::Changed},
        {"ok, nothing captured", CombinationOutcome{true, 0, 0, 0}, AssignResult::Unchanged},
        {"cancelled", CombinationOutcome{false, 0x03, 0x41, 0}, AssignResult::Unchanged},
        {"no dialog result", std::nullopt, AssignResult::Unchanged},
    };
    for (const Case& c : cases) {
        ButtonSetting block = Defaults();
        const ButtonSetting before = block;
        FunctionChoice choice{kFnCombination};
        choice.combination = c.outcome;
        EXPECT_EQ(ApplyFunctionChoice(block, kFirstSideButton, choice), c.result) << c.name;
        const ButtonRecord& r = block.records[kFirstSideButton];
        if (c.result == AssignResult::Changed) {
            EXPECT_EQ(r.function, kFnCombination) << c.name;
            EXPECT_EQ(r.comboModifiers, c.outcome->modifiers) << c.name;
            EXPECT_EQ(r.comboKey1, c.outcome->key1) << c.name;
            EXPECT_EQ(r.comboKey2, c.outcome->key2) << c.name;
        } else {
            EXPECT_EQ(std::memcmp(&block, &before, sizeof block), 0) << c.name;
        }
    }
}

TEST(Assignment, MacroEditorOutcomes) {
    ButtonSetting block = Defaults();
    EXPECT_EQ(MacroEditorStartIndex(block, kWheelButton), -1);

    FunctionChoice choose{kFnMacro};
    choose.macro = MacroEditorOutcome{true, 4};
    EXPECT_EQ(ApplyFunctionChoice(block, kWheelButton, choose), AssignResult::Changed);
    EXPECT_EQ(block.records[kWheelButton].function, kFnMacro);
    EXPECT_EQ(block.records[kWheelButton].macroIndex, 4);
    EXPECT_EQ(MacroEditorStartIndex(block, kWheelButton), 4);

    FunctionChoice cancel{kFnMacro};
    cancel.macro = MacroEditorOutcome{false, 2};
    EXPECT_EQ(ApplyFunctionChoice(block, kWheelButton, cancel), AssignResult::Unchanged);
    EXPECT_EQ(block.records[kWheelButton].macroIndex, 4);

    // OK without a chosen macro puts the control back to its default function.
    FunctionChoice none{kFnMacro};
    none.macro = MacroEditorOutcome{true, -1};
    EXPECT_EQ(ApplyFunctionChoice(block, kWheelButton, none), AssignResult::Changed);
    EXPECT_EQ(block.records[kWheelButton].function, kFnMiddleClick);
    EXPECT_EQ(block.records[kWheelButton].macroIndex, 4);  // ignored from now on
}

TEST(Assignment, CommandFunctionsWriteTheirOwnByteAndLeaveTheOthers) {
    struct Case {
        std::uint8_t function;
        std::uint8_t command;
        std::size_t byte;  // offset in the record of the command
    } cases[] = {
        {kFnEditCommand, kEditCopy, 2},
        {kFnWindowCommand, kWinRun, 3},
        {kFnMediaCommand, kMediaMute, 4},
    };
    for (const Case& c : cases) {
        ButtonSetting block = Defaults();
        block.records[kWheelForward] = {5, kFnCombination, 0, 0, 0, 0, 0x0F, 0x41, 0x42};
        FunctionChoice choice{c.function, c.command};
        EXPECT_EQ(ApplyFunctionChoice(block, kWheelForward, choice), AssignResult::Changed);
        const auto* r = reinterpret_cast<const std::uint8_t*>(&block.records[kWheelForward]);
        EXPECT_EQ(r[1], c.function);
        for (std::size_t b = 2; b <= 4; ++b) {
            EXPECT_EQ(r[b], b == c.byte ? c.command : 0) << int(c.function) << " byte " << b;
        }
        // A former combination's bytes stay, ignored while the function is another.
        EXPECT_EQ(r[6], 0x0F);
        EXPECT_EQ(r[7], 0x41);
        EXPECT_EQ(r[8], 0x42);
    }
}

TEST(Assignment, PlainFunctionsSetOnlyTheFunctionByte) {
    ButtonSetting block = Defaults();
    block.records[kSecondSideButton].macroIndex = 9;
    EXPECT_EQ(ApplyFunctionChoice(block, kSecondSideButton, {kFnButtonOff}),
              AssignResult::Changed);
    EXPECT_EQ(block.records[kSecondSideButton].function, kFnButtonOff);
    EXPECT_EQ(block.records[kSecondSideButton].macroIndex, 9);

    const ButtonSetting before = block;
    EXPECT_EQ(ApplyFunctionChoice(block, 7, {kFnButtonOff}), AssignResult::Unchanged);
    EXPECT_EQ(std::memcmp(&block, &before, sizeof block), 0);
}

}  // namespace
}  // namespace k2q
