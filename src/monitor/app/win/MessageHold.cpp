#include "monitor/app/win/MessageHold.h"

#include <dbt.h>

#include <algorithm>
#include <cstring>

namespace k2q::monitor {
namespace {

// Far beyond any device broadcast; a size claimed beyond it is not believed.
constexpr std::size_t kMaxBroadcastBytes = 64 * 1024;

// The device-change events that carry a broadcast (the system marks them with this bit).
bool CarriesBroadcast(const MSG& msg) {
    return msg.message == WM_DEVICECHANGE && (msg.wParam & 0x8000) != 0 && msg.lParam != 0;
}

// A copy of the broadcast whose size field says how much was copied, so whoever reads the copy
// stays inside it.
std::vector<std::uint8_t> CopyBroadcast(LPARAM lParam) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    const std::size_t size =
        std::clamp<std::size_t>(header->dbch_size, sizeof(DEV_BROADCAST_HDR), kMaxBroadcastBytes);
    std::vector<std::uint8_t> copy(size);
    std::memcpy(copy.data(), header, header->dbch_size < size ? header->dbch_size : size);
    reinterpret_cast<DEV_BROADCAST_HDR*>(copy.data())->dbch_size = static_cast<DWORD>(size);
    return copy;
}

}  // namespace

void MessageHold::Keep(const MSG& msg) {
    Kept kept{msg, {}};
    if (CarriesBroadcast(msg)) {
        kept.payload = CopyBroadcast(msg.lParam);
    }
    kept_.push_back(std::move(kept));
}

void MessageHold::RunKept() {
    if (busy() || running_) {
        return;
    }
    running_ = true;
    // A message run here may make the thread busy again (a kept reload request); what arrives
    // meanwhile is kept behind the rest, and the loop goes on once it is free.
    while (!busy() && !kept_.empty()) {
        Kept next = std::move(kept_.front());
        kept_.pop_front();
        if (!next.payload.empty()) {
            next.msg.lParam = reinterpret_cast<LPARAM>(next.payload.data());
        }
        if (next.msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(next.msg.wParam));
            continue;
        }
        // A message for a window destroyed meanwhile goes nowhere.
        ::DispatchMessageW(&next.msg);
    }
    running_ = false;
}

}  // namespace k2q::monitor
