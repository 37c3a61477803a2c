#include "monitor/device/win/USBDriver.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "monitor/device/ButtonProgramming.h"
#include "monitor/device/win/Win32DriverPort.h"
#include "support/FakeClock.h"
#include "support/win/Win32SimulatedDriver.h"
#include "ChannelFixture.h"

namespace k2q::testing {
namespace {

using monitor::CUSBDriver;
using ::testing::ElementsAre;

std::vector<std::string> Fetches(const SimulatedDriver& driver) {
    std::vector<std::string> fetches;
    for (const DriverCall& call : driver.Calls()) {
        if (call.kind == DriverCall::Kind::Control && call.code == kRequestFetchEvent) {
            fetches.push_back(Describe(call));
        }
    }
    return fetches;
}

TEST(USBDriver, WithoutADeviceSendsNothingPostsNothingAndTheReaderSleeps) {
    Win32SimulatedDriver driver;
    driver.SetPresent(false);
    EventWindow window;
    CUSBDriver usb(driver);
    ASSERT_TRUE(usb.StartChannel(window.hwnd()));

    const HWND driverWindow = ::FindWindowW(nullptr, monitor::kDriverWindowTitle);
    EXPECT_EQ(driverWindow, usb.hwnd());
    EXPECT_FALSE(::IsWindowVisible(driverWindow));
    RECT rect{};
    ::GetWindowRect(driverWindow, &rect);
    EXPECT_EQ(rect.right - rect.left, 1);
    EXPECT_EQ(rect.bottom - rect.top, 1);

    EXPECT_FALSE(usb.OpenDevice());
    EXPECT_FALSE(usb.IsDeviceOpen());
    EXPECT_FALSE(usb.SetWheelReport(1));
    FakeClock clock;
    ButtonSetting setting;
    SetButtonDefaults(setting);
    ProgramButtons(usb, clock, setting, 6);
    SendClosingReport(usb);
    EXPECT_TRUE(usb.CloseDevice());
    EXPECT_FALSE(driver.QueueEvent(1000));

    PumpPending();
    EXPECT_THAT(driver.CallLog(), ElementsAre("open failed"));
    EXPECT_TRUE(window.events.empty());
    const auto reader = OpenThreadById(usb.readerThreadId());
    ASSERT_TRUE(reader);
    EXPECT_TRUE(ThreadRunning(reader.get()));

    // The real port finds no driver here either, and the channel goes on without it.
    monitor::Win32DriverPort port;
    CUSBDriver real(port);
    EXPECT_TRUE(real.StartChannel(window.hwnd()));
    EXPECT_FALSE(real.OpenDevice());
    EXPECT_FALSE(real.IsDeviceOpen());
}

TEST(USBDriver, OpensOneHandleAndClosesInOrder) {
    Win32SimulatedDriver driver;
    EventWindow window;
    CUSBDriver usb(driver);
    ASSERT_TRUE(usb.StartChannel(window.hwnd()));

    ASSERT_TRUE(usb.OpenDevice());
    EXPECT_TRUE(usb.OpenDevice());
    EXPECT_EQ(driver.OpenHandles(), 1);
    EXPECT_TRUE(driver.HasSemaphore());
    EXPECT_TRUE(usb.SetWheelReport(0));
    EXPECT_TRUE(usb.SetWheelReport(1));
    EXPECT_EQ(driver.WheelReport(), 1u);
    EXPECT_TRUE(usb.CloseDevice());
    EXPECT_FALSE(usb.IsDeviceOpen());

    const auto calls = driver.Calls();
    ASSERT_EQ(calls.size(), 8u);
    EXPECT_EQ(Describe(calls[0]), "open");
    EXPECT_EQ(calls[1].code, kRequestRegisterSemaphore);
    EXPECT_EQ(calls[1].input.size(), 4u);
    std::vector<std::string> rest;
    for (std::size_t i = 2; i < calls.size(); ++i) {
        rest.push_back(Describe(calls[i]));
    }
    EXPECT_THAT(rest, ElementsAre("222410 00 00 00 00", "222410 01 00 00 00", "22240C 00 00 00 00",
                                  "222410 00", "222404", "close"));
    EXPECT_EQ(calls.back().device, calls[0].device);
    EXPECT_EQ(driver.OpenHandles(), 0);
    EXPECT_FALSE(driver.HasSemaphore());

    // A new open hands the same semaphore to the driver again.
    ASSERT_TRUE(usb.OpenDevice());
    EXPECT_EQ(driver.Calls()[9].input, calls[1].input);
}

TEST(USBDriver, EventsArriveInOrderAndEachFetchPassesThePreviousCode) {
    Win32SimulatedDriver driver;
    EventWindow window;
    CUSBDriver usb(driver);
    ASSERT_TRUE(usb.StartChannel(window.hwnd()));
    ASSERT_TRUE(usb.OpenDevice());

    for (std::uint32_t code : {1003u, 257u, 511u, 1000u}) {
        ASSERT_TRUE(driver.QueueEvent(code));
    }
    ASSERT_TRUE(PumpUntil([&] { return window.events.size() >= 4; }));
    EXPECT_THAT(window.events, ElementsAre(1003, 257, 511, 1000));
    EXPECT_THAT(Fetches(driver),
                ElementsAre("222408 00 00 00 00 out 4", "222408 EB 03 00 00 out 4",
                            "222408 01 01 00 00 out 4", "222408 FF 01 00 00 out 4"));

    // The previous code survives a close and the next open.
    usb.CloseDevice();
    ASSERT_TRUE(usb.OpenDevice());
    ASSERT_TRUE(driver.QueueEvent(1004));
    ASSERT_TRUE(PumpUntil([&] { return window.events.size() >= 5; }));
    EXPECT_EQ(window.events.back(), 1004u);
    EXPECT_EQ(Fetches(driver).back(), "222408 E8 03 00 00 out 4");
}

TEST(USBDriver, StopChannelEndsTheReaderAndReleasesEverything) {
    Win32SimulatedDriver driver;
    EventWindow window;
    win::UniqueKernelHandle reader;
    {
        CUSBDriver usb(driver);
        ASSERT_TRUE(usb.StartChannel(window.hwnd()));
        ASSERT_TRUE(usb.OpenDevice());
        reader = OpenThreadById(usb.readerThreadId());
        ASSERT_TRUE(reader);
        EXPECT_TRUE(ThreadRunning(reader.get()));

        // Events keep coming while the channel stops.
        std::atomic<bool> mouseDone{false};
        std::thread mouse([&] {
            for (std::uint32_t code = 0; !mouseDone; code = (code + 1) % 1000) {
                driver.QueueEvent(2000 + code);
            }
        });
        ASSERT_TRUE(PumpUntil([&] { return window.events.size() >= 10; }));
        usb.StopChannel();
        const bool readerEnded = !ThreadRunning(reader.get());
        mouseDone = true;
        mouse.join();

        EXPECT_TRUE(readerEnded);
        EXPECT_EQ(::FindWindowW(nullptr, monitor::kDriverWindowTitle), nullptr);
        EXPECT_EQ(driver.OpenHandles(), 0);
        EXPECT_FALSE(driver.HasSemaphore());
        EXPECT_THAT(driver.CallLog(), ::testing::IsSupersetOf({"222404", "close"}));

        driver.ClearCalls();
        EXPECT_FALSE(usb.OpenDevice());
        usb.StopChannel();
        EXPECT_TRUE(driver.Calls().empty());
    }

    // Destroying a running channel stops it as well.
    {
        CUSBDriver usb(driver);
        ASSERT_TRUE(usb.StartChannel(window.hwnd()));
        ASSERT_TRUE(usb.OpenDevice());
        reader = OpenThreadById(usb.readerThreadId());
    }
    EXPECT_FALSE(ThreadRunning(reader.get()));
    EXPECT_EQ(driver.OpenHandles(), 0);
}

TEST(USBDriver, AReaderStuckInTheDriverOutlivesTheChannelSafely) {
    const DWORD handlesBefore = ProcessHandleCount();
    {
        Win32SimulatedDriver driver;
        EventWindow window;
        win::UniqueKernelHandle reader;
        {
            CUSBDriver usb(driver, /*readerExitWaitMs=*/50);
            ASSERT_TRUE(usb.StartChannel(window.hwnd()));
            ASSERT_TRUE(usb.OpenDevice());
            reader = OpenThreadById(usb.readerThreadId());
            driver.HoldRequests(kRequestFetchEvent);
            ASSERT_TRUE(driver.QueueEvent(1000));
            ASSERT_TRUE(driver.WaitForHeldRequest(std::chrono::seconds(20)));
            usb.StopChannel();  // gives up waiting: the reader is inside the fetch
            EXPECT_TRUE(ThreadRunning(reader.get()));
        }
        // The channel object is gone; the reader comes back from the driver, finds the stop
        // flag in the block it shares and leaves, and the semaphore goes with the block.
        driver.ReleaseHeldRequests();
        ASSERT_EQ(::WaitForSingleObject(reader.get(), 20000), WAIT_OBJECT_0);
        PumpPending();
        EXPECT_TRUE(window.events.empty());
        EXPECT_EQ(driver.OpenHandles(), 0);
    }
    EXPECT_EQ(ProcessHandleCount(), handlesBefore);
}

}  // namespace
}  // namespace k2q::testing
