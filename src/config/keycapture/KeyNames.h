// How keys and key combinations are written out for the user: the caption of a button that
// sends a combination, the combination-key dialog's text and the macro editor's event list.
#pragma once

#include <cstdint>
#include <string>

#include "common/platform/KeyboardLayout.h"

namespace k2q {

// Bits of a combination's modifier mask that the combination-key dialog sets and the texts show.
enum : std::uint8_t {
    kModifierCtrl = 0x01,
    kModifierShift = 0x02,
    kModifierAlt = 0x04,
    kModifierWin = 0x08,
};

// Which names a caller wants: the macro editor's list also names the three mouse buttons of a
// recorded macro and shows nothing for code 0.
enum class KeyNameSet { Combination, Macro };

// The display name of a virtual-key code (or, in the macro set, a mouse-button input code). A
// key without a name of its own is named by the character it types on the current layout, an
// upper-case letter for a letter key; a key that types nothing has the empty name.
std::u16string KeyName(std::uint8_t vk, KeyboardLayout& layout,
                       KeyNameSet set = KeyNameSet::Combination);

// "Ctrl", "Alt", "Shift", "Win" as the mask has them, then the names of key1 and key2 where they
// are not 0, joined by "+". The right-side bits 0x10 to 0x80 are not shown.
std::u16string CombinationText(std::uint8_t modifiers, std::uint8_t key1, std::uint8_t key2,
                               KeyboardLayout& layout);

}  // namespace k2q
