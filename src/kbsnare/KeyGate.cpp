#include "kbsnare/KeyGate.h"

namespace k2q::kbsnare {

KeyDecision KeyGate::OnKey(std::uint32_t vk, bool release, bool receiverInFront) {
    if (vk >= kept_.size()) {
        return {};
    }
    if (release) {
        const bool kept = kept_[vk];
        kept_[vk] = false;
        down_[vk] = false;
        return {delivering_ && (kept || receiverInFront), kept};
    }
    if (delivering_ && receiverInFront) {
        // Kept only when the system has not seen the key go down already (a key held since
        // before the capture began repeats into it): then the system must see its release.
        if (!down_[vk]) {
            kept_[vk] = true;
        }
        return {true, true};
    }
    // The press reaches the system, so its release must too, even when an earlier press of
    // the same held key was kept (it repeats after the user switched away).
    kept_[vk] = false;
    down_[vk] = true;
    return {};
}

}  // namespace k2q::kbsnare
