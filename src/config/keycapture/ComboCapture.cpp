#include "config/keycapture/ComboCapture.h"

#include "common/Messages.h"
#include "config/keycapture/KeyNames.h"

namespace k2q {

bool ComboCapture::OnHookKey(std::uintptr_t vk, std::uintptr_t flags) {
    // A code that is not a byte names no key and could not be stored.
    if (vk > 0xFF || (vk == lastVk_ && flags == lastFlags_)) {
        return false;
    }
    lastVk_ = vk;
    lastFlags_ = flags;
    const auto key = static_cast<std::uint8_t>(vk);
    const bool release = (flags & kHookKeyReleased) != 0;
    if (release) {
        if (capturing_ && key == anchor_) {
            capturing_ = false;
        }
        return false;
    }
    if (!capturing_) {
        capturing_ = true;
        anchor_ = key;
        combination_ = {};
    }
    Add(key);
    return true;
}

void ComboCapture::Add(std::uint8_t vk) {
    switch (vk) {
        case 0x11:
        case 0xA2:
        case 0xA3:
            combination_.modifiers |= kModifierCtrl;
            return;
        case 0x5B:
        case 0x5C:
            combination_.modifiers |= kModifierWin;
            return;
        case 0x12:
        case 0xA4:
        case 0xA5:
            combination_.modifiers |= kModifierAlt;
            return;
        case 0x10:
        case 0xA0:
        case 0xA1:
            combination_.modifiers |= kModifierShift;
            return;
        default:
            break;
    }
    if (combination_.key1 == 0 || combination_.key1 == vk) {
        combination_.key1 = vk;
    } else if (combination_.key2 == 0) {
        combination_.key2 = vk;
    }
}

bool DialogDiscardsKey(std::uint32_t msg, std::uintptr_t vk, std::intptr_t lParam) {
    constexpr std::uint32_t kKeyDown = 0x0100, kKeyUp = 0x0101;
    constexpr std::uint32_t kSysKeyDown = 0x0104, kSysKeyUp = 0x0105;
    constexpr std::intptr_t kAltContext = 0x20000000;
    if (msg == kKeyDown || msg == kKeyUp) {
        return vk == 0x0D || vk == 0x1B || vk == 0x20;
    }
    if (msg == kSysKeyDown || msg == kSysKeyUp) {
        return vk == 0x73 && (lParam & kAltContext) != 0;
    }
    return false;
}

}  // namespace k2q
