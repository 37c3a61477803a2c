// The simulated driver and mouse with real kernel objects, for Win32 tests and demos: every
// open hands out a real handle (so a handle the channel forgets shows in the process's handle
// count), and the semaphore from 0x222400 is duplicated, kept, and released once per event it
// holds, as the real driver does. See support/device/SimulatedDriver.h for the rest.
#pragma once

#include <windows.h>

#include <set>

#include "common/win/UniqueHandle.h"
#include "support/device/SimulatedDriver.h"

namespace k2q::testing {

class Win32SimulatedDriver : public SimulatedDriver {
  public:
    Win32SimulatedDriver() = default;
    ~Win32SimulatedDriver() override;  // closes the handles still open and the semaphore

  protected:
    DeviceHandle NewDeviceHandle() override;
    void DeleteDeviceHandle(DeviceHandle device) override;
    bool KeepSemaphore(std::uint32_t semaphore) override;
    void DropSemaphore() override;
    bool SignalSemaphore() override;

  private:
    std::set<HANDLE> devices_;
    win::UniqueKernelHandle semaphore_;
};

}  // namespace k2q::testing
