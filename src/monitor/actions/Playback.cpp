#include "monitor/actions/Playback.h"

#include <algorithm>

#include "common/settings/ButtonSetting.h"

namespace k2q::monitor {
namespace {

enum : std::uint8_t {
    kVkShift = 0x10,
    kVkControl = 0x11,
    kVkAlt = 0x12,
    kVkLeftWin = 0x5B,
};

struct Modifier {
    std::uint8_t bits;
    std::uint8_t vk;
};
// In the order they are pressed, and released.
constexpr Modifier kModifiers[] = {
    {kModLeftCtrl | kModRightCtrl, kVkControl},
    {kModLeftShift | kModRightShift, kVkShift},
    {kModLeftAlt | kModRightAlt, kVkAlt},
    {kModLeftWin | kModRightWin, kVkLeftWin},
};

void PlayKey(const ActionPorts& ports, std::uint8_t vk, bool release) {
    ports.input.Keyboard({vk, ports.layout.ScanCode(vk), release ? kKeyUp : 0u, ExtraInfo::Zero});
    ports.clock.SleepMilliseconds(kKeyEventPauseMs);
}

void PressAndRelease(const ActionPorts& ports, std::uint8_t code) {
    PlayInputEvent(ports, code, 0);
    PlayInputEvent(ports, code, 1);
}

}  // namespace

std::uint8_t GenericInputCode(std::uint8_t code) {
    switch (code) {
        case 0xA0:
        case 0xA1:
            return kVkShift;
        case 0xA2:
        case 0xA3:
            return kVkControl;
        case 0xA4:
        case 0xA5:
            return kVkAlt;
        default:
            return code;
    }
}

void PlayInputEvent(const ActionPorts& ports, std::uint8_t code, std::uint8_t transition) {
    const bool release = transition != 0;
    std::uint32_t flags = 0;
    switch (code) {
        case kCodeLeftButton:
            flags = release ? kMouseLeftUp : kMouseLeftDown;
            break;
        case kCodeRightButton:
            flags = release ? kMouseRightUp : kMouseRightDown;
            break;
        case kCodeMiddleButton:
            flags = release ? kMouseMiddleUp : kMouseMiddleDown;
            break;
        default:
            PlayKey(ports, GenericInputCode(code), release);
            return;
    }
    ports.input.Mouse({flags, 0, 0, 0, ExtraInfo::CurrentMessage});
    ports.clock.SleepMilliseconds(kMouseButtonPauseMs);
}

void PlayMacro(const ActionPorts& ports, const MacroSetting& table, int index) {
    const tagMACROINFO* macro = MacroRecordAt(table, index);
    if (!macro) {
        return;
    }
    const int passes = std::min(MacroPasses(*macro), kMaxMacroPasses);
    const auto events = MacroEvents(*macro);
    for (int pass = 0; pass < passes; ++pass) {
        for (const MacroEvent& event : events) {
            PlayInputEvent(ports, event.code, event.transition);
            // A negative delay (damaged data) is no delay; 0 still yields the processor once.
            const std::int32_t delay = std::clamp(event.delay, 0, kMaxMacroDelayMs);
            ports.clock.SleepMilliseconds(static_cast<std::uint32_t>(delay));
        }
    }
}

void PlayCombination(const ActionPorts& ports, std::uint8_t modifiers, std::uint8_t key1,
                     std::uint8_t key2) {
    for (const Modifier& m : kModifiers) {
        if (modifiers & m.bits) {
            PlayKey(ports, m.vk, false);
        }
    }
    if (key1 != 0) {
        PressAndRelease(ports, key1);
    }
    if (key2 != 0) {
        PressAndRelease(ports, key2);
    }
    // Released in the order they were pressed, not the reverse.
    for (const Modifier& m : kModifiers) {
        if (modifiers & m.bits) {
            PlayKey(ports, m.vk, true);
        }
    }
}

}  // namespace k2q::monitor
