// The monitor's channel to the mouse's driver: the device handle (through a DriverPort), the
// semaphore the driver releases once per event, the reader thread that fetches each event and
// posts it to the event window as message 0x7EB, and a hidden driver window.
//
// Threads: everything here runs on the user-interface thread except the reader. The reader
// shares with it only a small block (the device handle, the stop flag, the event window, each
// a whole machine word, and the semaphore) that both own, so it never touches a destroyed
// object, even if it has not left when StopChannel gives up waiting for it.
#pragma once

#include <windows.h>

#include <memory>

#include "common/win/UniqueHandle.h"
#include "common/win/Window.h"
#include "monitor/device/DriverPort.h"

namespace k2q::monitor {

inline constexpr wchar_t kDriverWindowTitle[] = L"TavikK2qMouseDriver";
inline constexpr LONG kEventSemaphoreMaximum = 100;
inline constexpr SIZE_T kReaderStackBytes = 4096;
// How long StopChannel waits for the reader to leave its loop; it normally takes microseconds.
inline constexpr DWORD kReaderExitWaitMs = 5000;

class CUSBDriver : public win::Window, public DeviceRequests {
  public:
    // The port must outlive the channel's reader thread (the Win32 port is stateless).
    explicit CUSBDriver(DriverPort& port, DWORD readerExitWaitMs = kReaderExitWaitMs);
    ~CUSBDriver() override;  // stops a running channel

    // Once, before the first OpenDevice: remembers the event window, creates the semaphore,
    // starts the reader thread and creates the driver window. False when one of them could
    // not be made (the channel then runs with what it has) or when called again.
    bool StartChannel(HWND eventWindow);

    // True when the device is open and has the semaphore; an open device is not opened again.
    // False before StartChannel and after StopChannel.
    bool OpenDevice();
    // Closes an open device; always true.
    bool CloseDevice();
    // The wheel-report flag (0 or 1); true when the driver took it.
    bool SetWheelReport(std::uint32_t flag);
    // Once, at shut-down: closes the device, ends the reader thread (bounded wait), releases
    // the handles and destroys the driver window. Nothing on the channel works afterwards.
    void StopChannel();

    bool IsDeviceOpen() const;

    // On-device programming's requests; sent only while the device is open.
    std::optional<std::size_t> Request(std::uint32_t code, std::span<const std::uint8_t> input,
                                       std::span<std::uint8_t> output) override;

    // For tests and diagnostics: the reader thread's id, 0 when it is not running.
    DWORD readerThreadId() const { return readerId_; }

  private:
    struct Shared;
    static DWORD WINAPI ReaderMain(void* shared);

    std::shared_ptr<Shared> shared_;
    win::UniqueKernelHandle reader_;
    DWORD readerId_ = 0;
    DWORD readerExitWaitMs_;
    bool started_ = false;
};

}  // namespace k2q::monitor
