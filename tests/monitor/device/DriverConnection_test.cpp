#include "monitor/device/DriverConnection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "monitor/device/ButtonProgramming.h"
#include "monitor/device/DriverRequests.h"
#include "support/FakeClock.h"
#include "support/device/SimulatedDriver.h"

namespace k2q {
namespace {

using ::testing::ElementsAre;
using testing::SimulatedDriver;

TEST(DriverConnection, SessionSendsTheRequestsInTheirOrderAndSizes) {
    SimulatedDriver driver;
    DriverConnection device(driver);
    ASSERT_TRUE(device.Open(0x1A2B3C4D));
    EXPECT_TRUE(device.Open(0x1A2B3C4D));  // one handle at most
    EXPECT_TRUE(device.SetWheelReport(1));
    EXPECT_EQ(driver.WheelReport(), 1u);
    driver.QueueEvents(std::vector<std::uint32_t>{1003, 511});
    EXPECT_EQ(device.FetchEvent(), 1003u);
    EXPECT_EQ(device.FetchEvent(), 511u);
    EXPECT_EQ(device.FetchEvent(), std::nullopt);  // nothing held
    device.Close();
    EXPECT_FALSE(device.IsOpen());
    device.Close();  // nothing to close

    EXPECT_THAT(
        driver.CallLog(),
        ElementsAre("open", "222400 4D 3C 2B 1A", "222410 01 00 00 00", "222408 00 00 00 00 out 4",
                    "222408 EB 03 00 00 out 4", "222408 FF 01 00 00 out 4 failed",
                    "22240C 00 00 00 00", "222410 00", "222404", "close"));
    EXPECT_EQ(driver.OpenHandles(), 0);
}

TEST(DriverConnection, EachFailingRequestFollowsTheFailureRules) {
    for (const std::uint32_t failing :
         {kRequestRegisterSemaphore, kRequestRelease, kRequestFetchEvent, kRequestStopEvents,
          kRequestWheelReport, kRequestSendReport, kRequestReadAnswer}) {
        SCOPED_TRACE(failing);
        SimulatedDriver driver;
        driver.FailRequest(failing);
        DriverConnection device(driver);

        const bool opened = device.Open(8);
        // Only a refused semaphore keeps the device closed, and its handle is not kept.
        EXPECT_EQ(opened, failing != kRequestRegisterSemaphore);
        EXPECT_EQ(driver.OpenHandles(), opened ? 1 : 0);
        EXPECT_EQ(device.IsOpen(), opened);
        if (!opened) {
            EXPECT_THAT(driver.CallLog(),
                        ElementsAre("open", "222400 08 00 00 00 failed", "close"));
            continue;
        }
        EXPECT_EQ(device.SetWheelReport(1), failing != kRequestWheelReport);
        driver.QueueEvent(1000);
        EXPECT_EQ(device.FetchEvent().has_value(), failing != kRequestFetchEvent);
        // Programming goes on, but cannot be confirmed without reports or answers.
        testing::FakeClock clock;
        EXPECT_EQ(WriteSlotPair(device, clock, 0x20, 0x0100, 0x0100),
                  failing != kRequestSendReport && failing != kRequestReadAnswer);

        // A close sends all three requests whatever their results, and always closes.
        driver.ClearCalls();
        device.Close();
        EXPECT_FALSE(device.IsOpen());
        EXPECT_EQ(driver.OpenHandles(), 0);
        const auto calls = driver.Calls();
        ASSERT_EQ(calls.size(), 4u);
        EXPECT_EQ(calls[0].code, kRequestStopEvents);
        EXPECT_EQ(calls[1].code, kRequestWheelReport);
        EXPECT_EQ(calls[2].code, kRequestRelease);
        EXPECT_EQ(calls[3].kind, testing::DriverCall::Kind::Close);
    }
}

// A driver that answers fetches with whatever a test scripts, as a broken one might.
class ScriptedPort : public DriverPort {
  public:
    std::optional<std::size_t> written;
    std::uint8_t answer[8] = {0xE8, 0x03, 0, 0, 0xEE, 0xEE, 0xEE, 0xEE};

    DeviceHandle Open() override { return 1; }
    void Close(DeviceHandle) override {}
    std::optional<std::size_t> Control(DeviceHandle, std::uint32_t code,
                                       std::span<const std::uint8_t>,
                                       std::span<std::uint8_t> output) override {
        if (code == kRequestFetchEvent) {
            std::copy_n(answer, std::min(output.size(), sizeof answer), output.begin());
            return written;
        }
        return 0;
    }
};

TEST(DriverConnection, FetchTakesOnlyAWholeEventCode) {
    const struct {
        std::optional<std::size_t> written;
        std::optional<std::uint32_t> event;
    } cases[] = {
        {4, 1000u},        {1u << 20, 1000u},  // a count beyond the buffer is not believed, nor
                                               // read
        {3, std::nullopt}, {0, std::nullopt}, {std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        ScriptedPort port;
        port.written = c.written;
        DriverConnection device(port);
        ASSERT_TRUE(device.Open(1));
        EXPECT_EQ(device.FetchEvent(), c.event);
        std::uint8_t small[2];
        const auto written = device.Request(kRequestFetchEvent, {}, small);
        if (written) {
            EXPECT_LE(*written, sizeof small);
        }
    }
}

}  // namespace
}  // namespace k2q
