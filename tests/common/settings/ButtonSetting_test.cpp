#include "common/settings/ButtonSetting.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/Bytes.h"

namespace k2q {
namespace {

using testing::BytesOf;
using testing::Int32At;

TEST(ButtonSettingLayout, EveryFieldLandsAtItsStoredOffset) {
    ButtonSetting block;
    std::memset(&block, 0, sizeof block);
    for (int i = 0; i < kRecordCount; ++i) {
        ButtonRecord& r = block.records[i];
        const auto base = static_cast<std::uint8_t>(i * 16);
        r = {base, std::uint8_t(base + 1), std::uint8_t(base + 2), std::uint8_t(base + 3),
             std::uint8_t(base + 4), std::uint8_t(base + 5), std::uint8_t(base + 6),
             std::uint8_t(base + 7), std::uint8_t(base + 8)};
    }
    block.mouse = {101, 102, 103, 104, 105, 106, 107, 108, {109, 110}};

    const auto bytes = BytesOf(block);
    ASSERT_EQ(bytes.size(), 104u);
    for (int i = 0; i < kRecordCount; ++i) {
        for (int b = 0; b < 9; ++b) {
            EXPECT_EQ(bytes[i * 9 + b], i * 16 + b) << "record " << i << " byte " << b;
        }
    }
    EXPECT_EQ(bytes[63], 0);
    const struct {
        std::size_t offset;
        std::int32_t value;
    } fields[] = {{64, 101}, {68, 102}, {72, 103}, {76, 104}, {80, 105},
                  {84, 106}, {88, 107}, {92, 108}, {96, 109}, {100, 110}};
    for (const auto& f : fields) {
        EXPECT_EQ(Int32At(bytes, f.offset), f.value) << "offset " << f.offset;
    }
}

TEST(ButtonSettingDefaults, FillRecordsWithNumbersAndDefaultFunctionsAndZeroEverythingElse) {
    ButtonSetting block;
    std::memset(&block, 0xAB, sizeof block);
    SetButtonDefaults(block);

    const auto bytes = BytesOf(block);
    const std::uint8_t functions[] = {1, 3, 2, 9, 10, 12, 13};
    for (int i = 0; i < kRecordCount; ++i) {
        EXPECT_EQ(bytes[i * 9], i);
        EXPECT_EQ(bytes[i * 9 + 1], functions[i]);
        for (int b = 2; b < 9; ++b) {
            EXPECT_EQ(bytes[i * 9 + b], 0) << "record " << i << " byte " << b;
        }
    }
    for (std::size_t b = 63; b < bytes.size(); ++b) {
        EXPECT_EQ(bytes[b], 0) << "byte " << b;  // mouse parameters are the caller's to fill
    }
    EXPECT_TRUE(IsWheelAtDefault(block));
    EXPECT_EQ(WheelReportFlag(block), 0u);
}

TEST(ButtonSettingDefaults, ResetRecordKeepsItsArgumentBytes) {
    ButtonSetting block;
    SetButtonDefaults(block);
    block.records[3] = {9, kFnCombination, 1, 2, 3, 4, 5, 6, 7};
    ResetButtonRecord(block, 3);
    const ButtonRecord expected{3, kFnExtraButton2, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(std::memcmp(&block.records[3], &expected, sizeof expected), 0);

    const ButtonSetting before = block;
    ResetButtonRecord(block, 7);
    ResetButtonRecord(block, -1);
    EXPECT_EQ(std::memcmp(&block, &before, sizeof block), 0);
}

TEST(ButtonSettingDefaults, WheelDefaultLooksOnlyAtTheWheelFunctions) {
    struct Case {
        std::uint8_t forward, backward;
        bool atDefault;
    } cases[] = {
        {kFnScrollUp, kFnScrollDown, true},   {kFnScrollDown, kFnScrollUp, false},
        {kFnScrollLeft, kFnScrollDown, false}, {kFnScrollUp, kFnMacro, false},
    };
    for (const Case& c : cases) {
        ButtonSetting block;
        SetButtonDefaults(block);
        block.records[kWheelForward].function = c.forward;
        block.records[kWheelBackward].function = c.backward;
        // Other bytes of the wheel records, and every other record, do not matter.
        block.records[kWheelForward].macroIndex = 77;
        block.records[kWheelBackward].comboKey1 = 0x41;
        block.records[kLeftButton].function = kFnScrollLeft;
        EXPECT_EQ(IsWheelAtDefault(block), c.atDefault) << int(c.forward) << "/" << int(c.backward);
        EXPECT_EQ(WheelReportFlag(block), c.atDefault ? 0u : 1u);
    }
}

TEST(ButtonSettingDefaults, FactoryParametersOverrideSpeedLinesAccelerationAndDoubleClick) {
    MouseParams p{7, 3, 300, 9, 1, 1, 1, 1, {0, 0}};
    ApplyFactoryMouseParams(p);
    EXPECT_EQ(p.wheelLines, 3);
    EXPECT_EQ(p.pointerSpeed, 5);
    EXPECT_EQ(p.acceleration, 0);
    EXPECT_EQ(p.doubleClickTime, 550);
    EXPECT_EQ(p.hScrollAmount, 3);
    EXPECT_EQ(p.cpi800 + p.cpi1600 + p.cpi2400, 3);
}

}  // namespace
}  // namespace k2q
