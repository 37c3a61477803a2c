// The real way to the mouse's driver: its device opened by name and synchronous
// device-control requests. Nothing else in the monitor knows how the driver is reached.
#pragma once

#include "monitor/device/DriverPort.h"

namespace k2q::monitor {

inline constexpr wchar_t kDriverDeviceName[] = L"\\\\.\\tvk2ms";

class Win32DriverPort : public DriverPort {
  public:
    // Read and write access, shared for reading, synchronous I/O.
    DeviceHandle Open() override;
    std::optional<std::size_t> Control(DeviceHandle device, std::uint32_t code,
                                       std::span<const std::uint8_t> input,
                                       std::span<std::uint8_t> output) override;
    void Close(DeviceHandle device) override;
};

}  // namespace k2q::monitor
