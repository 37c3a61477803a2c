// The system's file dialogs for profiles, opened in the profile folder below the user's
// documents, and the shell's opening of the help file and web pages.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace k2q::config::win {

// "<documents>\Tavik\K2q", created with its parents when missing; nothing when the user has
// no documents folder.
std::optional<std::wstring> ProfileFolder();

enum class ProfileDialog { Open, Save };

// Runs the open or save dialog owned by `owner` and returns the chosen file's full path, or
// nothing when the user cancelled it. `settingText` names the file type ("tc_setting").
std::optional<std::wstring> AskProfilePath(HWND owner, ProfileDialog kind,
                                           const std::wstring& folder,
                                           const std::wstring& settingText);

// The help file beside the program, opened by whatever the system opens it with.
void OpenHelpFile();

// Opens a web address in the user's browser.
void OpenAddress(const wchar_t* address);

}  // namespace k2q::config::win
