#include "common/localization/win/ProgramLanguage.h"

#include "common/localization/UiStrings.h"
#include "common/localization/win/Win32CodePages.h"
#include "common/localization/win/Win32FileReader.h"
#include "common/win/ModulePath.h"
#include "common/win/Text.h"

namespace k2q::win {

std::wstring LanguageFilePath() {
    return ModuleFolder() + L"language.xml";
}

void LoadLanguageBesideProgram() {
    const Win32FileReader files;
    const Win32CodePages codePages;
    LoadProgramLanguage(ToU16(LanguageFilePath()), files, codePages);
}

}  // namespace k2q::win
