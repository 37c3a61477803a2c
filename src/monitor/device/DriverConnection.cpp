#include "monitor/device/DriverConnection.h"

#include <algorithm>
#include <array>

#include "monitor/device/DriverRequests.h"

namespace k2q {
namespace {

using Word32 = std::array<std::uint8_t, 4>;

Word32 LittleEndian(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::uint32_t FromLittleEndian(const Word32& b) {
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

}  // namespace

std::optional<std::size_t> DriverConnection::Send(DeviceHandle device, std::uint32_t code,
                                                  std::span<const std::uint8_t> input,
                                                  std::span<std::uint8_t> output) {
    const auto written = port_.Control(device, code, input, output);
    if (!written) {
        return std::nullopt;
    }
    // A driver that claims more than the buffer holds is not believed.
    return std::min(*written, output.size());
}

bool DriverConnection::Open(std::uint32_t semaphore) {
    if (IsOpen()) {
        return true;
    }
    const DeviceHandle device = port_.Open();
    if (!device) {
        return false;
    }
    const Word32 handle = LittleEndian(semaphore);
    if (!Send(device, kRequestRegisterSemaphore, handle, {})) {
        port_.Close(device);
        return false;
    }
    device_.store(device);
    return true;
}

void DriverConnection::Close() {
    const DeviceHandle device = device_.load();
    if (!device) {
        return;
    }
    const Word32 zero{};
    const std::uint8_t flagOff[1] = {0};
    Send(device, kRequestStopEvents, zero, {});
    Send(device, kRequestWheelReport, flagOff, {});
    Send(device, kRequestRelease, {}, {});
    // Cleared before the handle goes, so a fetch that starts now finds no device rather than a
    // handle value the system may already have given to something else.
    device_.store(0);
    port_.Close(device);
}

bool DriverConnection::SetWheelReport(std::uint32_t flag) {
    const Word32 input = LittleEndian(flag);
    return Request(kRequestWheelReport, input, {}).has_value();
}

std::optional<std::uint32_t> DriverConnection::FetchEvent() {
    const DeviceHandle device = device_.load();
    if (!device) {
        return std::nullopt;
    }
    Word32 buffer = LittleEndian(lastEvent_);
    const auto written = Send(device, kRequestFetchEvent, buffer, buffer);
    if (!written || *written < buffer.size()) {
        return std::nullopt;
    }
    lastEvent_ = FromLittleEndian(buffer);
    return lastEvent_;
}

std::optional<std::size_t> DriverConnection::Request(std::uint32_t code,
                                                     std::span<const std::uint8_t> input,
                                                     std::span<std::uint8_t> output) {
    const DeviceHandle device = device_.load();
    if (!device) {
        return std::nullopt;
    }
    return Send(device, code, input, output);
}

}  // namespace k2q
