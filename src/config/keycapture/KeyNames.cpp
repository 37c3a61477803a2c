#include "config/keycapture/KeyNames.h"

#include <optional>
#include <string_view>

namespace k2q {
namespace {

constexpr std::u16string_view kKeypadDigits[] = {u"(0)", u"(1)", u"(2)", u"(3)", u"(4)",
                                                 u"(5)", u"(6)", u"(7)", u"(8)", u"(9)"};
constexpr std::u16string_view kFunctionKeys[] = {u"F1", u"F2", u"F3", u"F4",  u"F5",  u"F6",
                                                 u"F7", u"F8", u"F9", u"F10", u"F11", u"F12"};

// The keys with a name of their own; every other key is named by what it types.
std::optional<std::u16string_view> FixedName(std::uint8_t vk) {
    if (vk >= 0x60 && vk <= 0x69) {
        return kKeypadDigits[vk - 0x60];
    }
    if (vk >= 0x70 && vk <= 0x7B) {
        return kFunctionKeys[vk - 0x70];
    }
    // clang-format off: one key a line reads as the table it is
    switch (vk) {
        case 0x08:
            return u"Backspace";
        case 0x09:
            return u"Tab";
        case 0x0C:
            return u"Clr";
        case 0x0D:
            return u"Enter";
        case 0x10:
            return u"Shift";
        case 0x11:
            return u"Ctrl";
        case 0x12:
            return u"Alt";
        case 0x13:
            return u"Pause";
        case 0x14:
            return u"CapsLock";
        case 0x1B:
            return u"Esc";
        case 0x20:
            return u"Space";
        case 0x21:
            return u"PageUp";
        case 0x22:
            return u"PageDown";
        case 0x23:
            return u"End";
        case 0x24:
            return u"Home";
        case 0x25:
            return u"Left";
        case 0x26:
            return u"Up";
        case 0x27:
            return u"Right";
        case 0x28:
            return u"Down";
        case 0x29:
            return u"Select";
        case 0x2A:
            return u"Print";
        case 0x2B:
            return u"Enter";
        case 0x2C:
            return u"Snapshot";
        case 0x2D:
            return u"Insert";
        case 0x2E:
            return u"Delete";
        case 0x2F:
            return u"Help";
        case 0x5B:
            return u"LWin";
        case 0x5C:
            return u"RWin";
        case 0x5D:
            return u"App";
        case 0x6A:
            return u"(*)";
        case 0x6B:
            return u"(+)";
        case 0x6C:
            return u"\\";
        case 0x6D:
            return u"(-)";
        case 0x6E:
            return u"(.)";
        case 0x6F:
            return u"(/)";
        case 0x90:
            return u"Numlock";
        case 0x91:
            return u"Scroll Lock";
        case 0xA0:
            return u"LShift";
        case 0xA1:
            return u"RShift";
        case 0xA2:
            return u"LCtrl";
        case 0xA3:
            return u"RCtrl";
        case 0xA4:
            return u"LAlt";
        case 0xA5:
            return u"RAlt";
        case 0xFF:
            return u"";
        default:
            return std::nullopt;
    }
    // clang-format on
}

// What the macro editor names differently: the mouse buttons of a recording, and no key.
std::optional<std::u16string_view> MacroName(std::uint8_t code) {
    // clang-format off
    switch (code) {
        case 0x00: return u"";
        case 0xC1: return u"LButton";
        case 0xC2: return u"RButton";
        case 0xC3: return u"MButton";
        default: return FixedName(code);
    }
    // clang-format on
}

}  // namespace

std::u16string KeyName(std::uint8_t vk, KeyboardLayout& layout, KeyNameSet set) {
    const auto fixed = set == KeyNameSet::Macro ? MacroName(vk) : FixedName(vk);
    if (fixed) {
        return std::u16string(*fixed);
    }
    // The character as the layout's code page gives it: its low byte read as Latin-1.
    char16_t typed = layout.TypedCharacter(vk, layout.ScanCode(vk));
    if (typed == 0) {
        return {};
    }
    if (typed >= u'a' && typed <= u'z') {
        typed = static_cast<char16_t>(typed - u'a' + u'A');
    }
    return std::u16string(1, typed);
}

std::u16string CombinationText(std::uint8_t modifiers, std::uint8_t key1, std::uint8_t key2,
                               KeyboardLayout& layout) {
    std::u16string text;
    const auto append = [&text](std::u16string_view part) {
        if (!text.empty()) {
            text += u'+';
        }
        text += part;
    };
    if (modifiers & kModifierCtrl) {
        append(u"Ctrl");
    }
    if (modifiers & kModifierAlt) {
        append(u"Alt");
    }
    if (modifiers & kModifierShift) {
        append(u"Shift");
    }
    if (modifiers & kModifierWin) {
        append(u"Win");
    }
    for (const std::uint8_t key : {key1, key2}) {
        if (key != 0) {
            append(KeyName(key, layout));
        }
    }
    return text;
}

}  // namespace k2q
