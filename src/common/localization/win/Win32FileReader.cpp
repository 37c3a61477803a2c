#include "common/localization/win/Win32FileReader.h"

#include <windows.h>

#include <string>

#include "common/win/Text.h"
#include "common/win/UniqueHandle.h"

namespace k2q::win {

std::u16string SystemErrorText(unsigned long error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text;
    if (length != 0 && buffer != nullptr) {
        text = ToU16(std::wstring_view(buffer, length));
    }
    ::LocalFree(buffer);
    text = text.substr(0, text.find_first_of(u"\r\n"));
    if (text.empty()) {
        const std::string code = "Error " + std::to_string(error);
        text.assign(code.begin(), code.end());
    }
    return text;
}

FileBytes Win32FileReader::ReadFile(std::u16string_view path, std::size_t maxBytes) const {
    FileBytes result;
    const std::wstring widePath = ToWide(path);
    UniqueFileHandle file(::CreateFileW(widePath.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        result.error = SystemErrorText(::GetLastError());
        return result;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        result.error = SystemErrorText(::GetLastError());
        return result;
    }
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        result.error = SystemErrorText(ERROR_FILE_TOO_LARGE);
        return result;
    }
    result.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < result.bytes.size()) {
        DWORD read = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(result.bytes.size() - done, 1u << 20));
        if (!::ReadFile(file.get(), result.bytes.data() + done, chunk, &read, nullptr)) {
            result.bytes.clear();
            result.error = SystemErrorText(::GetLastError());
            return result;
        }
        if (read == 0) {
            break;  // the file shrank while it was read
        }
        done += read;
    }
    result.bytes.resize(done);
    result.ok = true;
    return result;
}

}  // namespace k2q::win
