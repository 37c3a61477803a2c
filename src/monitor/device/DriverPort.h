// How the monitor reaches the mouse's driver, as two seams. DriverPort is the driver itself:
// the Win32 port opens the device by name, tests and demos put a simulated driver in its place.
// DeviceRequests is all that on-device programming needs: requests that go out only while the
// device is open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace k2q {

// An open device as the port names it; 0 is none. A whole machine word, so the channel can
// share it between its two threads without a lock.
using DeviceHandle = std::uintptr_t;

class DriverPort {
  public:
    virtual ~DriverPort() = default;

    // Opens the driver's device; 0 when the driver or the mouse is not there.
    virtual DeviceHandle Open() = 0;

    // One synchronous device-control request. input and output may be the same bytes: like a
    // buffered request, an implementation takes the whole input before it writes the output.
    // Returns the number of bytes written to output, or nothing when the request failed.
    // The user-interface thread and the reader thread call this at the same time.
    virtual std::optional<std::size_t> Control(DeviceHandle device, std::uint32_t code,
                                               std::span<const std::uint8_t> input,
                                               std::span<std::uint8_t> output) = 0;

    virtual void Close(DeviceHandle device) = 0;
};

class DeviceRequests {
  public:
    virtual ~DeviceRequests() = default;

    // Sends one request if the device is open. Nothing when it is closed or the request
    // failed; otherwise the number of bytes written to output, never more than output.size().
    virtual std::optional<std::size_t> Request(std::uint32_t code,
                                               std::span<const std::uint8_t> input,
                                               std::span<std::uint8_t> output) = 0;
};

}  // namespace k2q
