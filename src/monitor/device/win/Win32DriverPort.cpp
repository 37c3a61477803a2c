#include "monitor/device/win/Win32DriverPort.h"

#include <windows.h>

namespace k2q::monitor {
namespace {

HANDLE ToHandle(DeviceHandle device) {
    return reinterpret_cast<HANDLE>(device);
}

}  // namespace

DeviceHandle Win32DriverPort::Open() {
    HANDLE device = ::CreateFileW(kDriverDeviceName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE) {
        return 0;
    }
    return reinterpret_cast<DeviceHandle>(device);
}

std::optional<std::size_t> Win32DriverPort::Control(DeviceHandle device, std::uint32_t code,
                                                    std::span<const std::uint8_t> input,
                                                    std::span<std::uint8_t> output) {
    DWORD written = 0;
    // The system takes no pointer for an empty buffer.
    void* in = input.empty() ? nullptr : const_cast<std::uint8_t*>(input.data());
    void* out = output.empty() ? nullptr : output.data();
    if (!::DeviceIoControl(ToHandle(device), code, in, static_cast<DWORD>(input.size()), out,
                           static_cast<DWORD>(output.size()), &written, nullptr)) {
        return std::nullopt;
    }
    return written;
}

void Win32DriverPort::Close(DeviceHandle device) {
    ::CloseHandle(ToHandle(device));
}

}  // namespace k2q::monitor
