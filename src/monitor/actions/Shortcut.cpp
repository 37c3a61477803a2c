#include "monitor/actions/Shortcut.h"

#include <iterator>

namespace k2q::monitor {

void SendShortcut(InputSink& input, std::initializer_list<std::uint8_t> keys) {
    for (std::uint8_t vk : keys) {
        input.Keyboard({vk, 0, kKeyExtended, ExtraInfo::Zero});
    }
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
        input.Keyboard({*it, 0, kKeyExtended | kKeyUp, ExtraInfo::Zero});
    }
}

}  // namespace k2q::monitor
