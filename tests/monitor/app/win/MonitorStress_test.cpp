// Ten thousand button events in bursts through the whole monitor, with reloads and session
// lock and unlock in between: every event the driver could signal is carried out once and in
// order, and nothing leaks.
#include <gtest/gtest.h>

#include <random>

#include "HostedMonitor.h"
#include "support/win/GdiObjects.h"
#include "support/win/HandleCount.h"
#include "support/win/LowLevelHooks.h"

namespace k2q::monitor {
namespace {

using namespace std::chrono_literals;

// Each button gives an edit shortcut with its own letter, injected back to back.
constexpr std::uint8_t kCommands[kButtonCount] = {kEditCut, kEditCopy, kEditPaste,
                                                  kEditSelectAll, kEditFind};
constexpr DWORD kLetters[kButtonCount] = {'X', 'C', 'V', 'A', 'F'};

std::vector<DWORD> LettersPressed(const std::vector<testing::HookedInput>& seen) {
    std::vector<DWORD> letters;
    for (const auto& input : seen) {
        if (input.keyboard && input.message == WM_KEYDOWN && input.vk != VK_CONTROL) {
            letters.push_back(input.vk);
        }
    }
    return letters;
}

std::size_t LetterCount(testing::LowLevelHooks& hooks) {
    // Every shortcut is four key events: Ctrl down, the letter down and up, Ctrl up.
    return hooks.Count() / 4;
}

TEST_F(HostedMonitor, StressEveryEventOnceAndInOrderThroughReloadsAndSessionChanges) {
    for (int i = 0; i < kButtonCount; ++i) {
        buttons.records[i].function = kFnEditCommand;
        buttons.records[i].editCommand = kCommands[i];
    }
    Start();
    testing::LowLevelHooks hooks;
    ASSERT_TRUE(hooks.installed());
    // The system keeps a few objects from the first reload, the first session change and the
    // first injected input, so the counts are taken after the first whole round of bursts, a
    // reload and a lock and unlock.
    DWORD handlesBefore = 0;
    DWORD gdiBefore = 0;
    std::mt19937 random(20261210);
    std::vector<DWORD> expected;
    int queued = 0;
    for (int burst = 0; queued < 10000; ++burst) {
        // Mostly bursts within the semaphore's room, now and then one beyond it.
        const int size = burst % 25 == 24 ? 150 : 20 + static_cast<int>(random() % 60);
        std::vector<std::uint32_t> codes(static_cast<std::size_t>(size));
        for (auto& code : codes) {
            code = 1000 + random() % kButtonCount;
        }
        queued += size;
        for (std::uint32_t code : driver.QueueEvents(codes)) {
            expected.push_back(kLetters[code - 1000]);
        }
        ASSERT_TRUE(testing::PumpUntil([&] { return LetterCount(hooks) >= expected.size(); }, 20s))
            << "burst " << burst << ": " << LetterCount(hooks) << " of " << expected.size();

        if (burst % 10 == 9) {
            ASSERT_EQ(Send(kReloadRequestMessage, 7), 1);
            Send(WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK);
            EXPECT_FALSE(monitor->deviceOpen());
            Send(WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK);
            ASSERT_TRUE(monitor->deviceOpen());
            if (burst == 9) {
                handlesBefore = testing::ProcessHandleCount();
                gdiBefore = testing::GdiObjectCount();
            }
        }
    }
    // The bursts beyond the semaphore's maximum lost what the driver could not signal.
    EXPECT_LT(expected.size(), static_cast<std::size_t>(queued));
    EXPECT_GT(expected.size(), 9000u);

    testing::PumpFor(200ms);  // nothing further may arrive
    EXPECT_EQ(LettersPressed(hooks.WaitFor(0)), expected);
    // A leak per event, burst, reload or session change would add hundreds, or at least one
    // per round (about 17 rounds); the system may still open one or two handles of its own late.
    EXPECT_LE(testing::ProcessHandleCount(), handlesBefore + 2);
    EXPECT_GT(gdiBefore, 0u);  // the count sees objects at all
    EXPECT_LE(testing::GdiObjectCount(), gdiBefore + 2);
}

}  // namespace
}  // namespace k2q::monitor
