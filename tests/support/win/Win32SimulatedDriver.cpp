#include "support/win/Win32SimulatedDriver.h"

namespace k2q::testing {

Win32SimulatedDriver::~Win32SimulatedDriver() {
    for (HANDLE device : devices_) {
        ::CloseHandle(device);
    }
}

DeviceHandle Win32SimulatedDriver::NewDeviceHandle() {
    // Any kernel object will do as long as it counts in the process's handles.
    HANDLE device = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!device) {
        return 0;
    }
    devices_.insert(device);
    return reinterpret_cast<DeviceHandle>(device);
}

void Win32SimulatedDriver::DeleteDeviceHandle(DeviceHandle device) {
    HANDLE handle = reinterpret_cast<HANDLE>(device);
    if (devices_.erase(handle)) {
        ::CloseHandle(handle);
    }
}

bool Win32SimulatedDriver::KeepSemaphore(std::uint32_t semaphore) {
    HANDLE kept = nullptr;
    // A kernel driver would reference the object; a duplicate is the user-mode equivalent,
    // and it fails for a value that is no handle.
    if (!::DuplicateHandle(::GetCurrentProcess(), ::ULongToHandle(semaphore), ::GetCurrentProcess(),
                           &kept, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
        return false;
    }
    semaphore_.reset(kept);
    return true;
}

void Win32SimulatedDriver::DropSemaphore() {
    semaphore_.reset();
}

bool Win32SimulatedDriver::SignalSemaphore() {
    return semaphore_ && ::ReleaseSemaphore(semaphore_.get(), 1, nullptr);
}

}  // namespace k2q::testing
