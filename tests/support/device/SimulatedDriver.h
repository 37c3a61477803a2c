// A driver and mouse that live in the test process, in place of the hardware: the port that the
// monitor's channel and on-device programming talk to in tests and demos. It is never part of
// the shipped monitor.
//
// The driver keeps the semaphore it is handed and, for every event the mouse reports, releases
// it once and holds the event until it is fetched, oldest first. The mouse keeps a table of
// 256 slot words and answers read reports with the behaviour a test chooses. Every call is
// logged with its input bytes, and any request can be made to fail.
//
// This class is portable; the semaphore and the device handles are hooks, which
// support/win/Win32SimulatedDriver fills with real kernel objects. All members may be called
// from any thread.
#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "monitor/device/DriverPort.h"

namespace k2q::testing {

enum class MouseBehaviour {
    Echo,              // a write takes effect at once; a read answers the slot's word
    AnswersZero,       // writes take effect, but every read answers 0
    TakesSecondWrite,  // a slot takes a new word only when it is written twice in a row, so
                       // a button is confirmed at its second attempt
};

struct DriverCall {
    enum class Kind { Open, Control, Close };
    Kind kind = Kind::Control;
    DeviceHandle device = 0;  // 0 for a failed open
    std::uint32_t code = 0;   // Control only
    std::vector<std::uint8_t> input;
    std::size_t outputSize = 0;
    bool ok = true;
};

// One line per call, for comparing logs in tests: "open", "close", "open failed",
// "22240C 00 00 00 00", "222420 out 2", with " failed" when the driver refused it.
std::string Describe(const DriverCall& call);

class SimulatedDriver : public DriverPort {
  public:
    SimulatedDriver() = default;
    ~SimulatedDriver() override = default;

    DeviceHandle Open() override;
    std::optional<std::size_t> Control(DeviceHandle device, std::uint32_t code,
                                       std::span<const std::uint8_t> input,
                                       std::span<std::uint8_t> output) override;
    void Close(DeviceHandle device) override;

    // --- What the test sets

    // Without the driver or the mouse every open fails (the default is present).
    void SetPresent(bool present);
    // Every request with this code fails, is logged as failed and changes nothing.
    void FailRequest(std::uint32_t code, bool fail = true);
    void SetMouseBehaviour(MouseBehaviour behaviour);
    void SetSlotWord(std::uint8_t slot, std::uint16_t word);

    // Holds every request with this code at its start, before the driver looks at it, until
    // ReleaseHeldRequests: lets a test catch a thread inside a driver request.
    void HoldRequests(std::uint32_t code);
    // Waits until a request is held, at most for the bound; true when one is.
    bool WaitForHeldRequest(std::chrono::milliseconds bound);
    void ReleaseHeldRequests();

    // The mouse reports these events. The driver holds each one that it could signal (the
    // semaphore is registered, the events are not stopped, and the release succeeded), so the
    // semaphore's count and the held events stay in step. Returns the codes it signalled, in
    // order. All of them are queued under one hold of the driver's lock, so a reader cannot
    // fetch in between: a long burst fills the semaphore up to its maximum.
    std::vector<std::uint32_t> QueueEvents(std::span<const std::uint32_t> codes);
    bool QueueEvent(std::uint32_t code);

    // --- What the test reads

    std::vector<DriverCall> Calls() const;
    std::vector<std::string> CallLog() const;  // Describe of every call, in order
    void ClearCalls();
    // The inputs of the report requests that the driver accepted, in order.
    std::vector<std::array<std::uint8_t, 4>> Reports() const;

    int OpenHandles() const;
    bool HasSemaphore() const;
    std::size_t HeldEvents() const;
    std::uint32_t WheelReport() const;
    std::uint16_t SlotWord(std::uint8_t slot) const;
    int ClosingReports() const;

  protected:
    // Hooks, called with the driver's lock held. The defaults are portable stand-ins: handles
    // are counted up, the semaphore is accepted and every release succeeds.
    virtual DeviceHandle NewDeviceHandle();
    virtual void DeleteDeviceHandle(DeviceHandle device);
    // The 32-bit handle value of 0x222400; false refuses it.
    virtual bool KeepSemaphore(std::uint32_t semaphore);
    virtual void DropSemaphore();
    // One release; false when the semaphore is full.
    virtual bool SignalSemaphore();

  private:
    void ForgetMonitorLocked();
    bool ControlLocked(std::uint32_t code, std::span<const std::uint8_t> input,
                       std::span<std::uint8_t> output, std::size_t& written);
    void MouseReportLocked(std::span<const std::uint8_t> report);

    std::mutex holdMutex_;  // apart from mutex_, which a held request must not keep
    std::condition_variable holdChanged_;
    std::optional<std::uint32_t> holdCode_;
    int heldNow_ = 0;

    mutable std::mutex mutex_;
    bool present_ = true;
    std::set<std::uint32_t> failing_;
    std::set<DeviceHandle> open_;
    DeviceHandle nextHandle_ = 0x100;
    std::vector<DriverCall> calls_;
    std::vector<std::array<std::uint8_t, 4>> reports_;

    bool hasSemaphore_ = false;
    bool eventsStopped_ = false;
    std::deque<std::uint32_t> held_;
    std::uint32_t wheelReport_ = 0;

    MouseBehaviour behaviour_ = MouseBehaviour::Echo;
    std::array<std::uint16_t, 256> slots_{};
    std::map<std::uint8_t, std::uint16_t> pendingWrites_;  // TakesSecondWrite only
    std::uint16_t answer_ = 0;
    int closingReports_ = 0;
};

}  // namespace k2q::testing
