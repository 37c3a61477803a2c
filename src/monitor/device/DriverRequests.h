// The mouse driver's device-control requests, and the window message that carries a button
// event from the channel's reader thread to the monitor. The codes belong to the driver, which
// is not ours, so they never change.
#pragma once

#include <cstdint>

namespace k2q {

// Device type 0x22, buffered, any access; the function number sits in bits 2 to 13.
constexpr std::uint32_t DeviceControlCode(std::uint32_t function) {
    return 0x22u << 16 | function << 2;
}

enum DriverRequest : std::uint32_t {
    // in: the event semaphore's handle (4 bytes); the driver releases it once per event
    kRequestRegisterSemaphore = DeviceControlCode(0x900),
    // no buffers; the last request of a close
    kRequestRelease = DeviceControlCode(0x901),
    // in and out in one buffer: the previous event code in, the oldest held event out (4 bytes)
    kRequestFetchEvent = DeviceControlCode(0x902),
    // in: 0 (4 bytes); the first request of a close
    kRequestStopEvents = DeviceControlCode(0x903),
    // in: the wheel-report flag (4 bytes; 1 byte at close)
    kRequestWheelReport = DeviceControlCode(0x904),
    // in: a 4-byte report for the mouse
    kRequestSendReport = DeviceControlCode(0x907),
    // out: the mouse's 2-byte answer to the last read report
    kRequestReadAnswer = DeviceControlCode(0x908),
};

static_assert(kRequestRegisterSemaphore == 0x222400);
static_assert(kRequestRelease == 0x222404);
static_assert(kRequestFetchEvent == 0x222408);
static_assert(kRequestStopEvents == 0x22240C);
static_assert(kRequestWheelReport == 0x222410);
static_assert(kRequestSendReport == 0x22241C);
static_assert(kRequestReadAnswer == 0x222420);

}  // namespace k2q
