#include "common/settings/win/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "common/win/Text.h"
#include "common/win/UniqueHandle.h"

namespace k2q::win {
namespace {

// ReadFile and WriteFile take a DWORD count; stay well below it.
constexpr std::size_t kChunk = 1 << 20;

class Win32FileInput final : public FileInput {
  public:
    explicit Win32FileInput(UniqueFileHandle file) : file_(std::move(file)) {}

    std::optional<std::size_t> Read(void* buffer, std::size_t capacity) override {
        auto* bytes = static_cast<std::uint8_t*>(buffer);
        std::size_t total = 0;
        while (total < capacity) {
            const auto want = static_cast<DWORD>(std::min(capacity - total, kChunk));
            DWORD got = 0;
            if (!::ReadFile(file_.get(), bytes + total, want, &got, nullptr)) {
                return std::nullopt;
            }
            if (got == 0) {
                break;  // end of file
            }
            total += got;
        }
        return total;
    }

  private:
    UniqueFileHandle file_;
};

class Win32FileWriter final : public FileWriter {
  public:
    explicit Win32FileWriter(UniqueFileHandle file) : file_(std::move(file)) {}

    bool Write(const void* data, std::size_t size) override {
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        while (size > 0) {
            const auto want = static_cast<DWORD>(std::min(size, kChunk));
            DWORD done = 0;
            if (!file_ || !::WriteFile(file_.get(), bytes, want, &done, nullptr) || done == 0) {
                return false;
            }
            bytes += done;
            size -= done;
        }
        return true;
    }

    bool Flush() override { return file_ && ::FlushFileBuffers(file_.get()); }

    bool Close() override {
        HANDLE file = file_.release();
        return file != INVALID_HANDLE_VALUE && ::CloseHandle(file);
    }

  private:
    UniqueFileHandle file_;
};

}  // namespace

std::unique_ptr<FileInput> Win32FileSystem::OpenForReading(std::u16string_view path) {
    const std::wstring p = ToWide(path);
    UniqueFileHandle file(::CreateFileW(p.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return nullptr;
    }
    return std::make_unique<Win32FileInput>(std::move(file));
}

std::unique_ptr<FileWriter> Win32FileSystem::CreateTemporaryBeside(std::u16string_view target,
                                                                   std::u16string& temporaryPath) {
    // target + ".<pid><n>.tmp": the same folder, and recognisably the target's. CREATE_NEW
    // never takes over a file that is already there.
    const std::wstring base = ToWide(target);
    const DWORD pid = ::GetCurrentProcessId();
    const DWORD start = ::GetTickCount();
    for (DWORD attempt = 0; attempt < 64; ++attempt) {
        wchar_t suffix[40];
        std::swprintf(suffix, 40, L".%lx%lx.tmp", static_cast<unsigned long>(pid),
                      static_cast<unsigned long>(start + attempt));
        const std::wstring name = base + suffix;
        UniqueFileHandle file(::CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                            CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file) {
            temporaryPath = ToU16(name);
            return std::make_unique<Win32FileWriter>(std::move(file));
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            return nullptr;
        }
    }
    return nullptr;
}

bool Win32FileSystem::Replace(std::u16string_view temporaryPath, std::u16string_view target) {
    const std::wstring from = ToWide(temporaryPath);
    const std::wstring to = ToWide(target);
    // A read-only profile is one the user protected. Windows refuses to move over it; Wine
    // does not, so the rule is made explicit here.
    const DWORD attributes = ::GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return ::MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

void Win32FileSystem::Remove(std::u16string_view path) {
    const std::wstring p = ToWide(path);
    ::DeleteFileW(p.c_str());
}

}  // namespace k2q::win
