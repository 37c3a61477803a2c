#include "kbsnare/KeyGate.h"

namespace k2q::kbsnare {

KeyDecision KeyGate::OnKey(std::uint32_t vk, bool release, bool receiverInFront) {
    if (vk >= kept_.size()) {
        return {};
    }
    if (release) {
        if (kept_[vk]) {
            kept_[vk] = false;
            return {delivering_, true};
        }
        return {delivering_ && receiverInFront, false};
    }
    if (delivering_ && receiverInFront) {
        kept_[vk] = true;
        return {true, true};
    }
    // A held key whose earlier press was kept now reaches the system (an auto-repeat after the
    // user switched away); its release must reach it too.
    kept_[vk] = false;
    return {};
}

}  // namespace k2q::kbsnare
