// The start-up step both programs share: their texts come from language.xml beside the
// running executable, read once before the first window is created.
#pragma once

#include <string>

namespace k2q::win {

// The program's drive and folder with the name "language.xml".
std::wstring LanguageFilePath();

// Fills the program-wide UiStrings (k2q::ProgramUiStrings, k2q::UiText) from
// LanguageFilePath(). A missing or damaged file leaves entries empty; nothing is shown.
void LoadLanguageBesideProgram();

}  // namespace k2q::win
