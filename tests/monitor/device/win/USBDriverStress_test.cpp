// The channel under load and under failing requests: bounded in work, not in time.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "monitor/device/ButtonProgramming.h"
#include "monitor/device/win/USBDriver.h"
#include "support/FakeClock.h"
#include "support/win/Win32SimulatedDriver.h"
#include "ChannelFixture.h"

namespace k2q::testing {
namespace {

using monitor::CUSBDriver;

// True when every element of part appears in whole, in the same order, at most once each.
bool IsOrderedSubsequence(const std::vector<std::uint32_t>& part,
                          const std::vector<std::uint32_t>& whole) {
    auto it = whole.begin();
    for (std::uint32_t code : part) {
        it = std::find(it, whole.end(), code);
        if (it == whole.end()) {
            return false;
        }
        ++it;
    }
    return true;
}

TEST(USBDriverStress, OpenCloseCyclesAndAnOverfullBurstLeakNothingAndLoseNoSignalledEvent) {
    // The measure must see a handle come and go, or the comparison below proves nothing.
    const DWORD probe = ProcessHandleCount();
    {
        win::UniqueKernelHandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        ASSERT_EQ(ProcessHandleCount(), probe + 1);
    }
    // One whole channel first, so that what the system creates once per process is there.
    {
        Win32SimulatedDriver driver;
        EventWindow window;
        CUSBDriver usb(driver);
        usb.StartChannel(window.hwnd());
        usb.OpenDevice();
    }
    const DWORD handlesBefore = ProcessHandleCount();
    {
        Win32SimulatedDriver driver;
        EventWindow window;
        CUSBDriver usb(driver);
        ASSERT_TRUE(usb.StartChannel(window.hwnd()));

        // Each cycle's event races the close: it arrives, or the close discards it.
        std::vector<std::uint32_t> cycleSignalled;
        for (std::uint32_t i = 0; i < 1000; ++i) {
            ASSERT_TRUE(usb.OpenDevice()) << "cycle " << i;
            if (driver.QueueEvent(100000 + i)) {
                cycleSignalled.push_back(100000 + i);
            }
            PumpQueued();
            ASSERT_TRUE(usb.CloseDevice());
            ASSERT_EQ(driver.OpenHandles(), 0);
        }
        PumpPending();
        EXPECT_TRUE(IsOrderedSubsequence(window.events, cycleSignalled));
        const std::size_t cycleEvents = window.events.size();

        // More events than the semaphore holds, queued before the reader can fetch any.
        ASSERT_TRUE(usb.OpenDevice());
        std::vector<std::uint32_t> burst(250);
        std::iota(burst.begin(), burst.end(), 200000u);
        const std::vector<std::uint32_t> signalled = driver.QueueEvents(burst);
        EXPECT_LT(signalled.size(), burst.size());
        EXPECT_GT(signalled.size(), 0u);
        ASSERT_TRUE(
            PumpUntil([&] { return window.events.size() >= cycleEvents + signalled.size(); }));
        // Whatever was fetched before this last event came before it: nothing arrives twice.
        ASSERT_TRUE(driver.QueueEvent(999999));
        ASSERT_TRUE(
            PumpUntil([&] { return !window.events.empty() && window.events.back() == 999999; }));

        std::vector<std::uint32_t> expected = signalled;
        expected.push_back(999999);
        EXPECT_EQ(
            std::vector<std::uint32_t>(window.events.begin() + cycleEvents, window.events.end()),
            expected);
        usb.StopChannel();
        EXPECT_EQ(driver.OpenHandles(), 0);
        EXPECT_FALSE(driver.HasSemaphore());
    }
    EXPECT_EQ(ProcessHandleCount(), handlesBefore);
}

TEST(USBDriverStress, EachFailingRequestLeavesTheChannelWorking) {
    const struct {
        std::uint32_t code;
        bool opens;  // only a refused semaphore keeps the device closed
        bool wheelTaken;
        bool confirmed;  // the mouse can confirm a button only with reports and answers
    } cases[] = {
        {kRequestRegisterSemaphore, false, false, false}, {kRequestRelease, true, true, true},
        {kRequestFetchEvent, true, true, true},           {kRequestStopEvents, true, true, true},
        {kRequestWheelReport, true, false, true},         {kRequestSendReport, true, true, false},
        {kRequestReadAnswer, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        Win32SimulatedDriver driver;
        driver.FailRequest(c.code);
        EventWindow window;
        CUSBDriver usb(driver);
        ASSERT_TRUE(usb.StartChannel(window.hwnd()));

        EXPECT_EQ(usb.OpenDevice(), c.opens);
        EXPECT_EQ(usb.IsDeviceOpen(), c.opens);
        EXPECT_EQ(driver.OpenHandles(), c.opens ? 1 : 0);
        EXPECT_EQ(usb.SetWheelReport(1), c.wheelTaken);
        FakeClock clock;
        EXPECT_EQ(WriteSlotPair(usb, clock, 0x20, 0x0100, 0x0100), c.confirmed);
        EXPECT_EQ(clock.sleeps.size(), c.confirmed ? 4u : 12u);

        if (!c.opens) {
            EXPECT_FALSE(driver.QueueEvent(1000));  // the driver has no semaphore
        } else if (c.code == kRequestFetchEvent) {
            // Nothing is posted for a failed fetch, and the reader waits for the next signal,
            // whose fetch returns the event the driver still holds.
            ASSERT_TRUE(driver.QueueEvent(1000));
            ASSERT_TRUE(PumpUntil([&] {
                const auto calls = driver.Calls();
                return std::any_of(calls.begin(), calls.end(), [](const DriverCall& call) {
                    return call.code == kRequestFetchEvent && !call.ok;
                });
            }));
            driver.FailRequest(c.code, false);
            ASSERT_TRUE(driver.QueueEvent(1001));
            ASSERT_TRUE(PumpUntil([&] { return !window.events.empty(); }));
            EXPECT_EQ(window.events, std::vector<std::uint32_t>{1000});
        } else {
            ASSERT_TRUE(driver.QueueEvent(1000));
            ASSERT_TRUE(PumpUntil([&] { return !window.events.empty(); }));
            EXPECT_EQ(window.events, std::vector<std::uint32_t>{1000});
        }

        // A close sends its three requests whatever they answer, and always closes.
        driver.ClearCalls();
        EXPECT_TRUE(usb.CloseDevice());
        EXPECT_FALSE(usb.IsDeviceOpen());
        EXPECT_EQ(driver.OpenHandles(), 0);
        if (c.opens) {
            std::vector<std::uint32_t> codes;
            for (const DriverCall& call : driver.Calls()) {
                codes.push_back(call.kind == DriverCall::Kind::Close ? 0 : call.code);
            }
            EXPECT_EQ(codes, (std::vector<std::uint32_t>{kRequestStopEvents, kRequestWheelReport,
                                                         kRequestRelease, 0}));
        }
        const auto reader = OpenThreadById(usb.readerThreadId());
        usb.StopChannel();
        EXPECT_FALSE(ThreadRunning(reader.get()));
    }
}

}  // namespace
}  // namespace k2q::testing
