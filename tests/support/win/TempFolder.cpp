#include "support/win/TempFolder.h"

#include "common/win/UniqueHandle.h"
#include "support/win/Processes.h"

namespace k2q::testing {

TempFolder::TempFolder(std::wstring_view name) {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    path_ =
        std::wstring(temp) + std::wstring(name) + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    Empty();  // what an earlier run of a crashed test left
    ::CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    Empty();
    ::RemoveDirectoryW(path_.c_str());
}

bool TempFolder::CopyFromDist(const wchar_t* file) const {
    return ::CopyFileW(DistPath(file).c_str(), (path_ + file).c_str(), FALSE) != 0;
}

bool TempFolder::Write(const wchar_t* file, std::string_view bytes) const {
    win::UniqueFileHandle out(::CreateFileW((path_ + file).c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return out &&
           ::WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) &&
           written == bytes.size();
}

void TempFolder::Empty() const {
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((path_ + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            const std::wstring file = path_ + found.cFileName;
            ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(file.c_str());
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path) {
    std::vector<std::uint8_t> bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    std::uint8_t chunk[65536];
    DWORD got = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    ::CloseHandle(file);
    return bytes;
}

}  // namespace k2q::testing
