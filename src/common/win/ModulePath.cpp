#include "common/win/ModulePath.h"

namespace k2q::win {

std::wstring ModuleFilePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            return {};
        }
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);  // long-path prefixes can exceed MAX_PATH
    }
}

std::wstring ModuleFolder(HMODULE module) {
    std::wstring path = ModuleFilePath(module);
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace k2q::win
