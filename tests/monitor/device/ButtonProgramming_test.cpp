#include "monitor/device/ButtonProgramming.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>

#include "monitor/device/DriverConnection.h"
#include "monitor/device/DriverRequests.h"
#include "support/FakeClock.h"
#include "support/device/SimulatedDriver.h"

namespace k2q {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::FakeClock;
using testing::MouseBehaviour;
using testing::SimulatedDriver;

constexpr std::uint8_t kJunk = 0x5A;  // argument bytes that the function must ignore

ButtonRecord Record(std::uint8_t function) {
    return {kJunk, function, kJunk, kJunk, kJunk, kJunk, kJunk, kJunk, kJunk};
}
ButtonRecord Edit(std::uint8_t command) {
    ButtonRecord r = Record(kFnEditCommand);
    r.editCommand = command;
    return r;
}
ButtonRecord WindowCmd(std::uint8_t command) {
    ButtonRecord r = Record(kFnWindowCommand);
    r.windowCommand = command;
    return r;
}
ButtonRecord Media(std::uint8_t command) {
    ButtonRecord r = Record(kFnMediaCommand);
    r.mediaCommand = command;
    return r;
}
ButtonRecord Combination(std::uint8_t modifiers, std::uint8_t key1, std::uint8_t key2) {
    ButtonRecord r = Record(kFnCombination);
    r.comboModifiers = modifiers;
    r.comboKey1 = key1;
    r.comboKey2 = key2;
    return r;
}

TEST(WordPairs, EveryFunctionAndCommandCode) {
    const struct {
        const char* what;
        ButtonRecord record;
        int osClass;
        std::optional<WordPair> words;
    } cases[] = {
        {"left click", Record(1), 6, WordPair{0x0100, 0x0100}},
        {"right click", Record(2), 6, WordPair{0x0100, 0x0200}},
        {"middle click", Record(3), 6, WordPair{0x0100, 0x0400}},
        {"double click", Record(4), 6, WordPair{0x0100, 0x0101}},
        {"extra button 2", Record(9), 6, WordPair{0x0100, 0x1000}},
        {"extra button 1", Record(10), 6, WordPair{0x0100, 0x0800}},
        {"button off", Record(7), 6, WordPair{0x0400, 0xE004}},
        {"macro", Record(6), 6, WordPair{0x0400, 0xEB03}},
        {"Ctrl+Shift+A", Combination(0x03, 'A', 0), 6, WordPair{0x0203, 0x0400}},
        {"all modifiers, Enter, F4", Combination(0xFF, 0x0D, 0x73), 6, WordPair{0x02FF, 0x283D}},
        {"keys not in the table", Combination(0x01, 0x10, 0xC1), 6, WordPair{0x0201, 0x0000}},
        {"cut", Edit(0x40), 6, WordPair{0x0201, 0x1B00}},
        {"copy", Edit(0x41), 6, WordPair{0x0201, 0x0600}},
        {"paste", Edit(0x42), 6, WordPair{0x0201, 0x1900}},
        {"select all", Edit(0x44), 6, WordPair{0x0201, 0x0400}},
        {"find", Edit(0x45), 6, WordPair{0x0201, 0x0900}},
        {"new", Edit(0x46), 6, WordPair{0x0201, 0x1100}},
        {"print", Edit(0x47), 6, WordPair{0x0201, 0x1300}},
        {"save", Edit(0x48), 6, WordPair{0x0201, 0x1600}},
        {"switch window, Windows 7", WindowCmd(0x50), 6, WordPair{0x0209, 0x2B00}},
        {"switch window, Vista", WindowCmd(0x50), 5, WordPair{0x0209, 0x2B00}},
        {"switch window, XP", WindowCmd(0x50), 4, WordPair{0x0204, 0x2B00}},
        {"switch window, unknown system", WindowCmd(0x50), 0, WordPair{0x0204, 0x2B00}},
        {"close window", WindowCmd(0x51), 6, WordPair{0x0204, 0x3D00}},
        {"lock", WindowCmd(0x52), 6, WordPair{0x0208, 0x0F00}},
        {"explorer", WindowCmd(0x53), 6, WordPair{0x0208, 0x0800}},
        {"run", WindowCmd(0x54), 6, WordPair{0x0208, 0x1500}},
        {"show desktop", WindowCmd(0x55), 6, WordPair{0x0208, 0x0700}},
        {"play or pause", Media(0x20), 6, WordPair{0x0400, 0xCD00}},
        {"stop", Media(0x21), 6, WordPair{0x0400, 0xB700}},
        {"previous track", Media(0x22), 6, WordPair{0x0400, 0xB600}},
        {"next track", Media(0x23), 6, WordPair{0x0400, 0xB500}},
        {"volume up", Media(0x25), 6, WordPair{0x0400, 0xE900}},
        {"volume down", Media(0x26), 6, WordPair{0x0400, 0xEA00}},
        {"mute", Media(0x27), 6, WordPair{0x0400, 0xE200}},
        // codes that write nothing
        {"function 0", Record(0), 6, std::nullopt},
        {"flip 3D label", Record(11), 6, std::nullopt},
        {"scroll up", Record(12), 6, std::nullopt},
        {"scroll down", Record(13), 6, std::nullopt},
        {"scroll left", Record(16), 6, std::nullopt},
        {"scroll right", Record(17), 6, std::nullopt},
        {"function 18", Record(18), 6, std::nullopt},
        {"function 255", Record(255), 6, std::nullopt},
        {"edit 0x43", Edit(0x43), 6, std::nullopt},
        {"Delete key", Edit(0x49), 6, std::nullopt},
        {"edit 0x00", Edit(0x00), 6, std::nullopt},
        {"maximize", WindowCmd(0x58), 6, std::nullopt},
        {"minimize", WindowCmd(0x59), 6, std::nullopt},
        {"window 0x56", WindowCmd(0x56), 6, std::nullopt},
        {"second play or pause", Media(0x24), 6, std::nullopt},
        {"media 0x1F", Media(0x1F), 6, std::nullopt},
        {"media 0x28", Media(0x28), 6, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto words = WordPairFor(c.record, 0xEB, c.osClass);
        ASSERT_EQ(words.has_value(), c.words.has_value()) << c.what;
        if (words) {
            EXPECT_EQ(words->first, c.words->first) << c.what;
            EXPECT_EQ(words->second, c.words->second) << c.what;
        }
    }
}

TEST(CpiLevels, WordIsTheMaskAndItsComplementOrNothing) {
    const struct {
        std::int32_t cpi800, cpi1600, cpi2400;
        std::optional<std::uint16_t> word;
    } cases[] = {
        {1, 0, 0, 0x01FE},       {0, 1, 0, 0x02FD},        {1, 0, 1, 0x05FA},
        {1, 1, 1, 0x07F8},       {0, 0, 0, std::nullopt},  // no level
        {2, 1, 1, std::nullopt}, {1, -1, 1, std::nullopt}, {1, 1, 256, std::nullopt},
    };
    for (const auto& c : cases) {
        MouseParams params{};
        params.cpi800 = c.cpi800;
        params.cpi1600 = c.cpi1600;
        params.cpi2400 = c.cpi2400;
        EXPECT_EQ(CpiLevelWord(params), c.word) << c.cpi800 << c.cpi1600 << c.cpi2400;
    }
}

// An open device on the simulated driver and mouse.
class Programming : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(device.Open(0x1234));
        driver.ClearCalls();
        SetButtonDefaults(setting);
        setting.mouse.cpi800 = setting.mouse.cpi1600 = setting.mouse.cpi2400 = 1;
    }

    std::uint32_t SleptMs() const {
        return std::accumulate(clock.sleeps.begin(), clock.sleeps.end(), 0u);
    }
    // Write reports to one slot: one per attempt.
    long WritesTo(std::uint8_t slot) const {
        const auto reports = driver.Reports();
        return std::count_if(reports.begin(), reports.end(),
                             [slot](const Report& r) { return r[0] == 4 && r[1] == slot; });
    }

    SimulatedDriver driver;
    DriverConnection device{driver};
    FakeClock clock;
    ButtonSetting setting;
};

TEST_F(Programming, DefaultLeftButtonWritesBothSlotsAndReadsThemBack) {
    EXPECT_TRUE(WriteSlotPair(device, clock, 0x20, 0x0100, 0x0100));
    EXPECT_THAT(driver.CallLog(),
                ElementsAre("22241C 04 20 01 00", "22241C 04 21 01 00", "22241C 03 20 00 00",
                            "222420 out 2", "22241C 03 21 00 00", "222420 out 2"));
    EXPECT_THAT(clock.sleeps, ElementsAre(20, 20, 20, 20));
}

TEST_F(Programming, AttemptsDependOnWhenTheMouseConfirms) {
    const struct {
        MouseBehaviour behaviour;
        bool confirmed;
        long attempts;
    } cases[] = {
        {MouseBehaviour::Echo, true, 1},
        {MouseBehaviour::TakesSecondWrite, true, 2},
        {MouseBehaviour::AnswersZero, false, 3},
    };
    for (const auto& c : cases) {
        driver.SetMouseBehaviour(c.behaviour);
        driver.ClearCalls();
        clock.sleeps.clear();
        const std::uint8_t slot = 0x2C;
        EXPECT_EQ(WriteSlotPair(device, clock, slot, 0x0400, 0xEB03), c.confirmed);
        EXPECT_EQ(WritesTo(slot), c.attempts);
        EXPECT_EQ(WritesTo(slot + 1), c.attempts);
        EXPECT_EQ(SleptMs(), 80u * c.attempts);
        EXPECT_EQ(driver.SlotWord(slot), 0x0400);
        EXPECT_EQ(driver.SlotWord(slot + 1), 0xEB03);
        driver.SetSlotWord(slot, 0);  // a changed word for the next behaviour
        driver.SetSlotWord(slot + 1, 0);
    }
}

TEST_F(Programming, ButtonsGoInRecordOrderIntoTheirSlots) {
    ProgramButtons(device, clock, setting, 6);
    std::vector<std::uint8_t> writtenSlots;
    for (const Report& r : driver.Reports()) {
        if (r[0] == 4) {
            writtenSlots.push_back(r[1]);
        }
    }
    EXPECT_THAT(writtenSlots,
                ElementsAre(0x20, 0x21, 0x24, 0x25, 0x22, 0x23, 0x2C, 0x2D, 0x2A, 0x2B));
    EXPECT_EQ(SleptMs(), 5u * 80);
    EXPECT_EQ(driver.SlotWord(0x2D), 0x1000);  // extra button 2 on the first side button
}

TEST_F(Programming, EachRecordLandsInItsOwnSlots) {
    const struct {
        const char* what;
        int record;
        ButtonRecord assignment;
        std::uint8_t slot;
        WordPair words;
    } cases[] = {
        {"right click on the wheel button", 1, Record(kFnRightClick), 0x24, {0x0100, 0x0200}},
        {"macro on the first side button", 3, Record(kFnMacro), 0x2C, {0x0400, 0xEB03}},
        {"macro on the left button", 0, Record(kFnMacro), 0x20, {0x0400, 0xE803}},
        {"macro on the second side button", 4, Record(kFnMacro), 0x2A, {0x0400, 0xEC03}},
        {"Ctrl+Shift+A on the right button", 2, Combination(0x03, 'A', 0), 0x22, {0x0203, 0x0400}},
        {"play or pause on the second side button", 4, Media(0x20), 0x2A, {0x0400, 0xCD00}},
        {"copy on the first side button", 3, Edit(0x41), 0x2C, {0x0201, 0x0600}},
    };
    for (const auto& c : cases) {
        SetButtonDefaults(setting);
        setting.records[c.record] = c.assignment;
        ProgramButtons(device, clock, setting, 6);
        EXPECT_EQ(driver.SlotWord(c.slot), c.words.first) << c.what;
        EXPECT_EQ(driver.SlotWord(c.slot + 1), c.words.second) << c.what;
    }
}

TEST_F(Programming, ARecordWithoutWordsLeavesItsSlotsAlone) {
    driver.SetSlotWord(0x22, 0xAAAA);
    driver.SetSlotWord(0x23, 0xBBBB);
    setting.records[kRightButton] = Edit(kEditDelete);
    ProgramButtons(device, clock, setting, 6);
    EXPECT_EQ(WritesTo(0x22) + WritesTo(0x23), 0);
    EXPECT_EQ(driver.SlotWord(0x22), 0xAAAA);
    EXPECT_EQ(driver.SlotWord(0x23), 0xBBBB);
    EXPECT_EQ(SleptMs(), 4u * 80);  // the other four buttons
}

TEST_F(Programming, CpiLevelsAndClosingReport) {
    setting.mouse.cpi1600 = 0;
    ProgramCpiLevels(device, clock, setting.mouse);
    SendClosingReport(device);
    EXPECT_THAT(driver.CallLog(), ElementsAre("22241C 04 03 05 FA", "22241C 05 5A 88 66"));
    EXPECT_THAT(clock.sleeps, ElementsAre(100));  // the caller waits after the closing report
    EXPECT_EQ(driver.SlotWord(kCpiSlot), 0x05FA);
    EXPECT_EQ(driver.ClosingReports(), 1);

    driver.ClearCalls();
    clock.sleeps.clear();
    setting.mouse.cpi800 = setting.mouse.cpi2400 = 0;
    ProgramCpiLevels(device, clock, setting.mouse);
    EXPECT_TRUE(driver.Calls().empty());
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(Programming, ClosedDeviceSendsNothingButStillWaitsEveryAttempt) {
    device.Close();
    driver.ClearCalls();
    ProgramButtons(device, clock, setting, 6);
    ProgramCpiLevels(device, clock, setting.mouse);
    SendClosingReport(device);
    EXPECT_TRUE(driver.Calls().empty());
    EXPECT_EQ(clock.sleeps.size(), 5u * 3 * 4 + 1);
    EXPECT_EQ(SleptMs(), 1200u + 100);
    EXPECT_EQ(ReadSlot(device, 0x20), 0);
}

// Answers that a broken driver might give to the read request.
class ScriptedAnswer : public DeviceRequests {
  public:
    std::optional<std::size_t> written;
    std::uint8_t bytes[2] = {0xAB, 0xCD};

    std::optional<std::size_t> Request(std::uint32_t code, std::span<const std::uint8_t>,
                                       std::span<std::uint8_t> output) override {
        if (code != kRequestReadAnswer) {
            return 0;
        }
        std::copy_n(bytes, std::min(output.size(), sizeof bytes), output.begin());
        return written;
    }
};

TEST(ReadSlot, CountsOnlyTheAnswerBytesTheDriverWrote) {
    const struct {
        std::optional<std::size_t> written;
        std::uint16_t word;
    } cases[] = {{2, 0xABCD}, {1, 0xAB00}, {0, 0}, {std::nullopt, 0}};
    for (const auto& c : cases) {
        ScriptedAnswer device;
        device.written = c.written;
        EXPECT_EQ(ReadSlot(device, 0x20), c.word);
    }
}

}  // namespace
}  // namespace k2q
