// What the button page shows as the caption of a record. The texts themselves come from the
// language table, the macro table and the key names, which the caller owns; this decides which
// of them a record names.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/settings/ButtonSetting.h"

namespace k2q {

struct RecordLabel {
    enum class Kind {
        Text,         // the language text under `key` (empty key: empty label)
        MacroName,    // the name of the macro at `macroIndex`
        Combination,  // CombinationText of modifiers, key1, key2
    };
    Kind kind = Kind::Text;
    std::string_view key;
    int macroIndex = 0;
    std::uint8_t modifiers = 0;
    std::uint8_t key1 = 0;
    std::uint8_t key2 = 0;
};

RecordLabel LabelOfRecord(const ButtonRecord& record);

}  // namespace k2q
