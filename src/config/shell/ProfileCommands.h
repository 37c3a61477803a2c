// Profile import and export from the main menu: where the file dialogs start, what they offer,
// and what the user is told when a profile cannot be written or read. A profile the user
// believes saved but that never reached the disk loses their work silently, so a failure is
// always shown.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/localization/UiStrings.h"
#include "common/settings/ProfileFile.h"

namespace k2q::config {

// Below the user's documents folder; created with its parents when missing.
inline constexpr char16_t kProfileFolder[] = u"Tavik\\K2q";
inline constexpr char16_t kProfileDefaultExtension[] = u"K2q";
inline constexpr char16_t kProfileInitialName[] = u"*.K2q";

// The file-type filter of both dialogs: one entry "K2q <setting text>(*.K2q)" matching
// "*.K2q", in the system's format (zero-separated, two zeros at the end).
std::u16string ProfileFilter(std::u16string_view settingText);

// The message for an export that did not put a complete file in place; none when written.
std::optional<UiKey> ExportFailureMessage(ProfileWrite result);

// The message for an import that took nothing from the file (it could not be opened, or
// reading it failed and the blocks were left as they were); none when it was read. A file
// shorter than a profile is read as far as it goes, as profiles always have been.
std::optional<UiKey> ImportFailureMessage(const ProfileRead& result);

}  // namespace k2q::config
