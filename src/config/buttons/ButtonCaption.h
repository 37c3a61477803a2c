// The text a label of the button page shows for its record. It is rebuilt from the record's
// bytes every time, so the page never keeps a caption that has gone stale after a choice, a
// reset or a profile import.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "common/localization/UiStrings.h"
#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroSetting.h"

namespace k2q::config {

// The display text of a key combination (modifier mask, first key, second key).
using CombinationNamer =
    std::function<std::u16string(std::uint8_t modifiers, std::uint8_t key1, std::uint8_t key2)>;

// The language text of a key as the function catalogue spells it ("tc_copy"); empty for an
// empty or unknown key.
std::u16string LanguageText(const UiStrings& texts, std::string_view key);

// A macro record shows the name stored at its macro index, whether or not that index lies
// below the number of macros in use; an index beyond the table's 100 records names nothing
// and shows the empty text, as any other byte that names nothing does.
std::u16string ButtonCaption(const ButtonRecord& record, const UiStrings& texts,
                             const MacroSetting& macros, const CombinationNamer& combination);

}  // namespace k2q::config
