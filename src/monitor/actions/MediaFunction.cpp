#include "monitor/actions/MediaFunction.h"

#include "common/settings/ButtonSetting.h"
#include "monitor/actions/Shortcut.h"

namespace k2q::monitor {
namespace {

// The media virtual key of a command, 0 for none.
std::uint8_t MediaKey(std::uint8_t code) {
    switch (code) {
        case kMediaPlayPause:
        case kMediaPlayPause2:
            return 0xB3;
        case kMediaStop:
            return 0xB2;
        case kMediaPrevious:
            return 0xB1;
        case kMediaNext:
            return 0xB0;
        case kMediaVolumeUp:
            return 0xAF;
        case kMediaVolumeDown:
            return 0xAE;
        case kMediaMute:
            return 0xAD;
        default:
            return 0;
    }
}

}  // namespace

void CMediaFunction::RunMediaCommand(std::uint8_t code) {
    if (const std::uint8_t vk = MediaKey(code)) {
        SendShortcut(input_, {vk});
    }
}

}  // namespace k2q::monitor
