#include "config/shell/win/ProfileDialogs.h"

#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <vector>

#include "common/win/ModulePath.h"
#include "common/win/Text.h"
#include "config/shell/ProfileCommands.h"

namespace k2q::config::win {

std::optional<std::wstring> ProfileFolder() {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr,
                                  SHGFP_TYPE_CURRENT, path))) {
        return std::nullopt;
    }
    if (!::PathAppendW(path, k2q::win::AsWide(kProfileFolder))) {
        return std::nullopt;
    }
    if (!::PathIsDirectoryW(path)) {
        // A folder that cannot be made still leaves the dialog usable in its own default.
        ::SHCreateDirectoryExW(nullptr, path, nullptr);
    }
    return std::wstring(path);
}

std::optional<std::wstring> AskProfilePath(HWND owner, ProfileDialog kind,
                                           const std::wstring& folder,
                                           const std::wstring& settingText) {
    const std::u16string filter = ProfileFilter(k2q::win::AsU16(settingText.c_str()));
    // Long enough for any path the dialog may return; starts as the initial name.
    std::vector<wchar_t> file(32768, L'\0');
    const std::u16string_view initial = kProfileInitialName;
    std::copy(initial.begin(), initial.end(), file.begin());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = k2q::win::AsWide(filter.c_str());
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrDefExt = k2q::win::AsWide(kProfileDefaultExtension);
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_EXPLORER | OFN_HIDEREADONLY;
    const BOOL chosen =
        kind == ProfileDialog::Open ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
    if (!chosen) {
        return std::nullopt;
    }
    return std::wstring(file.data());
}

void OpenHelpFile() {
    const std::wstring help = k2q::win::ModuleFolder() + L"help.chm";
    ::ShellExecuteW(nullptr, L"open", help.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenAddress(const wchar_t* address) {
    ::ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace k2q::config::win
