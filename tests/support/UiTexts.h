// The program-wide texts for tests of windows and menus: loaded through the real language
// loader from a document made on the spot, as the shipped file would be.
#pragma once

#include <initializer_list>
#include <string_view>
#include <utility>

#include "common/localization/UiStrings.h"

namespace k2q::testing {

// These texts; every other entry empty.
void LoadProgramUiTexts(std::initializer_list<std::pair<UiKey, std::u16string_view>> texts);

// Every entry holds its own key's name ("tc_ok"), so a test sees which key a window used.
void LoadKeyNamesAsProgramUiTexts();

}  // namespace k2q::testing
