#include "support/device/SimulatedDriver.h"

#include <algorithm>
#include <cstdio>

#include "monitor/device/ButtonProgramming.h"
#include "monitor/device/DriverRequests.h"

namespace k2q::testing {
namespace {

std::uint32_t LittleEndian(std::span<const std::uint8_t> bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes.size() && i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return value;
}

}  // namespace

std::string Describe(const DriverCall& call) {
    std::string text;
    char buffer[16];
    switch (call.kind) {
        case DriverCall::Kind::Open:
            text = "open";
            break;
        case DriverCall::Kind::Close:
            text = "close";
            break;
        case DriverCall::Kind::Control:
            std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(call.code));
            text = buffer;
            for (std::uint8_t b : call.input) {
                std::snprintf(buffer, sizeof buffer, " %02X", b);
                text += buffer;
            }
            if (call.outputSize) {
                text += " out " + std::to_string(call.outputSize);
            }
            break;
    }
    return call.ok ? text : text + " failed";
}

DeviceHandle SimulatedDriver::Open() {
    std::lock_guard lock(mutex_);
    DriverCall call{DriverCall::Kind::Open};
    if (present_) {
        call.device = NewDeviceHandle();
    }
    call.ok = call.device != 0;
    if (call.ok) {
        open_.insert(call.device);
    }
    calls_.push_back(call);
    return call.device;
}

void SimulatedDriver::Close(DeviceHandle device) {
    std::lock_guard lock(mutex_);
    const bool known = open_.erase(device) == 1;
    calls_.push_back({DriverCall::Kind::Close, device, 0, {}, 0, known});
    if (!known) {
        return;
    }
    DeleteDeviceHandle(device);
    if (open_.empty()) {
        // The last handle went without a proper close: clean up as a driver would.
        ForgetMonitorLocked();
        wheelReport_ = 0;
    }
}

std::optional<std::size_t> SimulatedDriver::Control(DeviceHandle device, std::uint32_t code,
                                                    std::span<const std::uint8_t> input,
                                                    std::span<std::uint8_t> output) {
    {
        std::unique_lock hold(holdMutex_);
        if (holdCode_ == code) {
            ++heldNow_;
            holdChanged_.notify_all();
            holdChanged_.wait(hold, [&] { return holdCode_ != code; });
            --heldNow_;
        }
    }
    std::lock_guard lock(mutex_);
    // Taken before anything is written: input and output may be the same bytes.
    DriverCall call{DriverCall::Kind::Control, device, code,
                    std::vector<std::uint8_t>(input.begin(), input.end()), output.size()};
    std::size_t written = 0;
    call.ok = open_.contains(device) && !failing_.contains(code) &&
              ControlLocked(code, call.input, output, written);
    calls_.push_back(std::move(call));
    if (!calls_.back().ok) {
        return std::nullopt;
    }
    return written;
}

bool SimulatedDriver::ControlLocked(std::uint32_t code, std::span<const std::uint8_t> input,
                                    std::span<std::uint8_t> output, std::size_t& written) {
    switch (code) {
        case kRequestRegisterSemaphore:
            if (input.size() != 4) {
                return false;
            }
            ForgetMonitorLocked();
            if (!KeepSemaphore(LittleEndian(input))) {
                return false;
            }
            hasSemaphore_ = true;
            eventsStopped_ = false;
            return true;
        case kRequestRelease:
            ForgetMonitorLocked();
            return true;
        case kRequestFetchEvent: {
            if (input.size() != 4 || output.size() < 4 || held_.empty()) {
                return false;
            }
            const std::uint32_t event = held_.front();
            held_.pop_front();
            for (int i = 0; i < 4; ++i) {
                output[i] = static_cast<std::uint8_t>(event >> (8 * i));
            }
            written = 4;
            return true;
        }
        case kRequestStopEvents:
            eventsStopped_ = true;
            held_.clear();
            return true;
        case kRequestWheelReport:
            if (input.empty() || input.size() > 4) {
                return false;
            }
            wheelReport_ = LittleEndian(input);
            return true;
        case kRequestSendReport:
            if (input.size() != 4) {
                return false;
            }
            reports_.push_back({input[0], input[1], input[2], input[3]});
            MouseReportLocked(input);
            return true;
        case kRequestReadAnswer: {
            const std::uint8_t answer[2] = {static_cast<std::uint8_t>(answer_ >> 8),
                                            static_cast<std::uint8_t>(answer_)};
            written = std::min(output.size(), sizeof answer);
            std::copy_n(answer, written, output.begin());
            return true;
        }
        default:
            return false;
    }
}

void SimulatedDriver::MouseReportLocked(std::span<const std::uint8_t> report) {
    const std::uint8_t slot = report[1];
    const auto word = static_cast<std::uint16_t>(report[2] << 8 | report[3]);
    switch (report[0]) {
        case 4:  // write
            if (behaviour_ != MouseBehaviour::TakesSecondWrite || slots_[slot] == word) {
                slots_[slot] = word;
            } else if (auto pending = pendingWrites_.find(slot);
                       pending != pendingWrites_.end() && pending->second == word) {
                slots_[slot] = word;
                pendingWrites_.erase(pending);
            } else {
                pendingWrites_[slot] = word;
            }
            break;
        case 3:  // read
            answer_ = behaviour_ == MouseBehaviour::AnswersZero ? 0 : slots_[slot];
            break;
        case 5:
            if (std::equal(report.begin(), report.end(), kClosingReport.begin())) {
                ++closingReports_;
            }
            break;
        default:
            break;
    }
}

void SimulatedDriver::ForgetMonitorLocked() {
    if (hasSemaphore_) {
        DropSemaphore();
        hasSemaphore_ = false;
    }
    held_.clear();
}

std::vector<std::uint32_t> SimulatedDriver::QueueEvents(std::span<const std::uint32_t> codes) {
    std::lock_guard lock(mutex_);
    std::vector<std::uint32_t> signalled;
    for (std::uint32_t code : codes) {
        if (hasSemaphore_ && !eventsStopped_ && SignalSemaphore()) {
            held_.push_back(code);
            signalled.push_back(code);
        }
    }
    return signalled;
}

bool SimulatedDriver::QueueEvent(std::uint32_t code) {
    return !QueueEvents(std::span(&code, 1)).empty();
}

void SimulatedDriver::SetPresent(bool present) {
    std::lock_guard lock(mutex_);
    present_ = present;
}

void SimulatedDriver::FailRequest(std::uint32_t code, bool fail) {
    std::lock_guard lock(mutex_);
    if (fail) {
        failing_.insert(code);
    } else {
        failing_.erase(code);
    }
}

void SimulatedDriver::SetMouseBehaviour(MouseBehaviour behaviour) {
    std::lock_guard lock(mutex_);
    behaviour_ = behaviour;
    pendingWrites_.clear();
}

void SimulatedDriver::SetSlotWord(std::uint8_t slot, std::uint16_t word) {
    std::lock_guard lock(mutex_);
    slots_[slot] = word;
}

void SimulatedDriver::HoldRequests(std::uint32_t code) {
    std::lock_guard hold(holdMutex_);
    holdCode_ = code;
}

bool SimulatedDriver::WaitForHeldRequest(std::chrono::milliseconds bound) {
    std::unique_lock hold(holdMutex_);
    return holdChanged_.wait_for(hold, bound, [&] { return heldNow_ > 0; });
}

void SimulatedDriver::ReleaseHeldRequests() {
    std::lock_guard hold(holdMutex_);
    holdCode_.reset();
    holdChanged_.notify_all();
}

std::vector<DriverCall> SimulatedDriver::Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<std::string> SimulatedDriver::CallLog() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> log;
    log.reserve(calls_.size());
    for (const DriverCall& call : calls_) {
        log.push_back(Describe(call));
    }
    return log;
}

void SimulatedDriver::ClearCalls() {
    std::lock_guard lock(mutex_);
    calls_.clear();
    reports_.clear();
}

std::vector<std::array<std::uint8_t, 4>> SimulatedDriver::Reports() const {
    std::lock_guard lock(mutex_);
    return reports_;
}

int SimulatedDriver::OpenHandles() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(open_.size());
}

bool SimulatedDriver::HasSemaphore() const {
    std::lock_guard lock(mutex_);
    return hasSemaphore_;
}

std::size_t SimulatedDriver::HeldEvents() const {
    std::lock_guard lock(mutex_);
    return held_.size();
}

std::uint32_t SimulatedDriver::WheelReport() const {
    std::lock_guard lock(mutex_);
    return wheelReport_;
}

std::uint16_t SimulatedDriver::SlotWord(std::uint8_t slot) const {
    std::lock_guard lock(mutex_);
    return slots_[slot];
}

int SimulatedDriver::ClosingReports() const {
    std::lock_guard lock(mutex_);
    return closingReports_;
}

DeviceHandle SimulatedDriver::NewDeviceHandle() {
    return nextHandle_ += 4;
}
void SimulatedDriver::DeleteDeviceHandle(DeviceHandle) {}
bool SimulatedDriver::KeepSemaphore(std::uint32_t) {
    return true;
}
void SimulatedDriver::DropSemaphore() {}
bool SimulatedDriver::SignalSemaphore() {
    return true;
}

}  // namespace k2q::testing
