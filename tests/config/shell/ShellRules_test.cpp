#include "config/shell/ShellRules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "common/Messages.h"
#include "common/settings/SettingsStore.h"
#include "support/FakeRegistry.h"

namespace k2q::config {
namespace {

using testing::FakeRegistry;

// Notes what the monitor was asked and how many store writes had happened by then.
class FakeMonitor : public MonitorLink {
  public:
    explicit FakeMonitor(const FakeRegistry& registry) : registry_(registry) {}
    bool present = true;
    bool reloadRunning = false;
    std::vector<std::uint32_t> requests;
    int writesBeforeRequest = -1;

    bool MonitorPresent() override { return present; }
    bool ReloadRunning() override { return reloadRunning; }
    void RequestReload(std::uint32_t flags) override {
        requests.push_back(flags);
        writesBeforeRequest = registry_.writes;
    }

  private:
    const FakeRegistry& registry_;
};

TEST(Apply, StoresBothBlocksAndAsksOnlyAPresentIdleMonitorToReloadEverything) {
    const struct {
        bool present, running;
        ApplyResult result;
    } cases[] = {
        {true, false, ApplyResult::ReloadRequested},
        {false, false, ApplyResult::NoMonitor},
        {true, true, ApplyResult::ReloadRunning},
    };
    for (const auto& c : cases) {
        FakeRegistry registry;
        FakeMonitor monitor(registry);
        monitor.present = c.present;
        monitor.reloadRunning = c.running;
        ButtonSetting buttons;
        SetButtonDefaults(buttons);
        buttons.records[kFirstSideButton].function = kFnEditCommand;
        buttons.records[kFirstSideButton].editCommand = kEditCopy;
        auto macros = std::make_unique<MacroSetting>();
        macros->count = 1;

        EXPECT_EQ(Apply(registry, buttons, *macros, monitor), c.result);

        const FakeRegistry::Value* stored = registry.Find(kStoreKey, kButtonSettingValue);
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(std::memcmp(stored->bytes.data(), &buttons, sizeof buttons), 0);
        ASSERT_NE(registry.Find(kStoreKey, kMacroSettingValue), nullptr);
        if (c.result == ApplyResult::ReloadRequested) {
            EXPECT_EQ(monitor.requests, std::vector<std::uint32_t>{kReloadEverything});
            EXPECT_EQ(kReloadEverything, 7u);
            // The monitor re-reads the store at once: both values must already be there.
            EXPECT_EQ(monitor.writesBeforeRequest, 2);
        } else {
            EXPECT_TRUE(monitor.requests.empty());
        }
    }
}

TEST(Reset, GivesTheFactoryBlockWhateverTheSystemAndTheBlockHeld) {
    FakeRegistry registry;
    registry.SeedFreshControlPanel();
    // A user who likes it fast: speed 20, ten wheel lines, slow double clicks, no acceleration.
    registry.SetString(u"Control Panel\\Mouse", u"MouseSensitivity", u"20");
    registry.SetString(u"Control Panel\\Mouse", u"DoubleClickSpeed", u"900");
    registry.SetString(u"Control Panel\\Mouse", u"MouseSpeed", u"0");
    registry.SetString(u"Control Panel\\Desktop", u"WheelScrollLines", u"10");
    ButtonSetting block;
    std::memset(&block, 0xAB, sizeof block);
    const int writesBefore = registry.writes;

    ResetToFactory(registry, block);

    ButtonSetting expected;
    std::memset(&expected, 0, sizeof expected);
    const std::uint8_t functions[] = {1, 3, 2, 9, 10, 12, 13};
    for (int i = 0; i < kRecordCount; ++i) {
        expected.records[i].index = static_cast<std::uint8_t>(i);
        expected.records[i].function = functions[i];
    }
    expected.mouse = {3, 3, 550, 5, 0, 1, 1, 1, {0, 0}};
    EXPECT_EQ(std::memcmp(&block, &expected, sizeof block), 0);
    EXPECT_EQ(registry.writes, writesBefore);  // a reset stores nothing
}

TEST(Reset, WorksWithoutAnyControlPanelValues) {
    FakeRegistry registry;
    registry.failOpen = true;
    ButtonSetting block;
    std::memset(&block, 0x5A, sizeof block);
    ResetToFactory(registry, block);
    EXPECT_EQ(block.mouse.pointerSpeed, 5);
    EXPECT_EQ(block.mouse.wheelLines, 3);
    EXPECT_EQ(block.mouse.doubleClickTime, 550);
    EXPECT_EQ(block.mouse.acceleration, 0);
    EXPECT_EQ(block.mouse.hScrollAmount, 3);
    EXPECT_EQ(block.mouse.cpi800 + block.mouse.cpi1600 + block.mouse.cpi2400, 3);
    EXPECT_EQ(block.reserved, 0);
}

TEST(MenuChoice, FunctionCodesGoToTheButtonPageOnlyWhileItIsShown) {
    using Target = MenuChoiceRoute::Target;
    const struct {
        int page;
        std::uint32_t choice;
        Target target;
        std::uint16_t command;
    } cases[] = {
        {kButtonPage, 14u << 16 | 0x41, Target::ButtonPage, 0},
        {kButtonPage, 0, Target::ButtonPage, 0},
        {kButtonPage, 39u << 16, Target::ButtonPage, 0},
        {kSensitivityPage, 14u << 16 | 0x41, Target::Nothing, 0},
        {kSensitivityPage, 1u << 16, Target::Nothing, 0},
        {kButtonPage, 40u << 16, Target::MainCommand, 40},
        {kSensitivityPage, 47u << 16, Target::MainCommand, 47},
        {kButtonPage, 43u << 16 | 7, Target::MainCommand, 43},
        {kButtonPage, 48u << 16, Target::Nothing, 0},
        {kSensitivityPage, 0xFFFFu << 16, Target::Nothing, 0},
    };
    for (const auto& c : cases) {
        const MenuChoiceRoute route = RouteMenuChoice(c.page, c.choice);
        EXPECT_EQ(route.target, c.target) << c.page << " " << std::hex << c.choice;
        EXPECT_EQ(route.command, c.command) << c.page << " " << std::hex << c.choice;
    }
}

TEST(MenuChoice, WheelTestMovesForwardOnlyForAPositiveDelta) {
    EXPECT_EQ(WheelTestDirection(120), 1);
    EXPECT_EQ(WheelTestDirection(1), 1);
    EXPECT_EQ(WheelTestDirection(0), -1);
    EXPECT_EQ(WheelTestDirection(-120), -1);
}

}  // namespace
}  // namespace k2q::config
