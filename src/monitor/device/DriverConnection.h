// The device half of the driver channel: the one handle to the driver and the requests sent
// around it when it is opened, closed and read. The Win32 channel adds the semaphore, the
// reader thread and the windows; keeping this part portable lets the request orders and the
// failure rules be checked natively.
#pragma once

#include <atomic>
#include <cstdint>

#include "monitor/device/DriverPort.h"

namespace k2q {

class DriverConnection : public DeviceRequests {
  public:
    explicit DriverConnection(DriverPort& port) : port_(port) {}
    DriverConnection(const DriverConnection&) = delete;
    DriverConnection& operator=(const DriverConnection&) = delete;

    bool IsOpen() const { return device_.load() != 0; }

    // The monitor holds at most one handle: true at once while open. Otherwise opens the
    // device and hands it the semaphore (as the 32-bit handle value the driver takes); when
    // the driver refuses it, the device is closed again and counts as not open.
    bool Open(std::uint32_t semaphore);

    // Stops the events, clears the wheel-report flag, releases the driver and closes the
    // handle. Results of the three requests are not looked at. Nothing happens while closed.
    void Close();

    // Sends the wheel-report flag; false when closed or refused.
    bool SetWheelReport(std::uint32_t flag);

    // Reader thread only: fetches the oldest held event, passing the code fetched before it
    // (0 before the first). Nothing when closed, refused, or answered with less than a code.
    std::optional<std::uint32_t> FetchEvent();

    std::optional<std::size_t> Request(std::uint32_t code, std::span<const std::uint8_t> input,
                                       std::span<std::uint8_t> output) override;

  private:
    std::optional<std::size_t> Send(DeviceHandle device, std::uint32_t code,
                                    std::span<const std::uint8_t> input,
                                    std::span<std::uint8_t> output);

    DriverPort& port_;
    // Written only by the user-interface thread; the reader thread reads it once per fetch.
    std::atomic<DeviceHandle> device_{0};
    // Reader thread only.
    std::uint32_t lastEvent_ = 0;
};

}  // namespace k2q
