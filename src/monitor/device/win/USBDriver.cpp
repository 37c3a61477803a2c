#include "monitor/device/win/USBDriver.h"

#include <atomic>

#include "monitor/device/DriverConnection.h"
#include "common/Messages.h"
#include "monitor/device/DriverRequests.h"

namespace k2q::monitor {

// What the reader thread may touch. The thread keeps its own share, so the block outlives the
// CUSBDriver if the thread is still inside a driver request when the channel stops.
struct CUSBDriver::Shared {
    explicit Shared(DriverPort& port) : device(port) {}

    DriverConnection device;             // its handle is the channel's device handle
    win::UniqueKernelHandle semaphore;   // set before the thread starts, never changed
    std::atomic<std::uint32_t> stop{0};  // 1 when the reader is to leave
    std::atomic<HWND> eventWindow{nullptr};
};

CUSBDriver::CUSBDriver(DriverPort& port, DWORD readerExitWaitMs)
    : shared_(std::make_shared<Shared>(port)), readerExitWaitMs_(readerExitWaitMs) {}

CUSBDriver::~CUSBDriver() {
    StopChannel();
}

bool CUSBDriver::StartChannel(HWND eventWindow) {
    if (started_ || !shared_) {
        return false;
    }
    started_ = true;
    shared_->eventWindow.store(eventWindow);
    shared_->semaphore.reset(::CreateSemaphoreW(nullptr, 0, kEventSemaphoreMaximum, nullptr));

    bool complete = static_cast<bool>(shared_->semaphore);
    if (shared_->semaphore) {
        auto* share = new std::shared_ptr<Shared>(shared_);
        reader_.reset(
            ::CreateThread(nullptr, kReaderStackBytes, &ReaderMain, share, 0, &readerId_));
        if (!reader_) {
            delete share;
            readerId_ = 0;
            complete = false;
        }
    }

    CreateParams p;
    p.className = L"TavikK2qMouseDriverWindow";
    p.title = kDriverWindowTitle;
    p.style = WS_POPUP;  // never shown
    p.width = 1;
    p.height = 1;
    return Create(p) && complete;
}

DWORD WINAPI CUSBDriver::ReaderMain(void* arg) {
    const std::shared_ptr<Shared> shared = std::move(*static_cast<std::shared_ptr<Shared>*>(arg));
    delete static_cast<std::shared_ptr<Shared>*>(arg);

    while (!shared->stop.load()) {
        if (::WaitForSingleObject(shared->semaphore.get(), INFINITE) != WAIT_OBJECT_0) {
            break;
        }
        // The release that StopChannel gives only wakes the thread; it fetches nothing.
        if (shared->stop.load()) {
            break;
        }
        if (const auto event = shared->device.FetchEvent()) {
            if (HWND target = shared->eventWindow.load()) {
                ::PostMessageW(target, kButtonEventMessage, *event, 0);
            }
        }
    }
    return 0;
}

bool CUSBDriver::OpenDevice() {
    if (!shared_ || !shared_->semaphore) {
        return false;
    }
    // The driver takes the handle as a 32-bit value; handles are 32-bit significant.
    return shared_->device.Open(::HandleToULong(shared_->semaphore.get()));
}

bool CUSBDriver::CloseDevice() {
    if (shared_) {
        shared_->device.Close();
    }
    return true;
}

bool CUSBDriver::SetWheelReport(std::uint32_t flag) {
    return shared_ && shared_->device.SetWheelReport(flag);
}

bool CUSBDriver::IsDeviceOpen() const {
    return shared_ && shared_->device.IsOpen();
}

std::optional<std::size_t> CUSBDriver::Request(std::uint32_t code,
                                               std::span<const std::uint8_t> input,
                                               std::span<std::uint8_t> output) {
    if (!shared_) {
        return std::nullopt;
    }
    return shared_->device.Request(code, input, output);
}

void CUSBDriver::StopChannel() {
    if (!shared_) {
        return;
    }
    shared_->device.Close();
    if (reader_) {
        shared_->stop.store(1);
        // A full semaphore refuses the release, but then the thread has signals to wake on.
        ::ReleaseSemaphore(shared_->semaphore.get(), 1, nullptr);
        ::WaitForSingleObject(reader_.get(), readerExitWaitMs_);
        reader_.reset();
        readerId_ = 0;
    }
    // The semaphore goes with the last share: here, or when a late reader leaves.
    shared_.reset();
    Destroy();
}

}  // namespace k2q::monitor
