// Profiles on the real file system, in a folder of their own under the temporary folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/settings/ProfileFile.h"
#include "common/settings/win/Win32FileSystem.h"
#include "common/win/Text.h"
#include "support/Bytes.h"
#include "support/win/TempFolder.h"

namespace k2q {
namespace {

using testing::ReadWholeFile;
using win::ToU16;

void WriteWholeFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    EXPECT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr));
    ::CloseHandle(file);
}

// Passes everything to the real file system, but the chosen write hands only half its bytes
// on and fails, as a disk that fills up during the export would.
class DiskFullAt : public FileSystem {
  public:
    explicit DiskFullAt(int failingWrite) : failingWrite_(failingWrite) {}

    std::unique_ptr<FileInput> OpenForReading(std::u16string_view path) override {
        return real_.OpenForReading(path);
    }
    std::unique_ptr<FileWriter> CreateTemporaryBeside(std::u16string_view target,
                                                      std::u16string& temporaryPath) override {
        auto writer = real_.CreateTemporaryBeside(target, temporaryPath);
        return writer ? std::make_unique<Writer>(std::move(writer), failingWrite_) : nullptr;
    }
    bool Replace(std::u16string_view from, std::u16string_view to) override {
        return real_.Replace(from, to);
    }
    void Remove(std::u16string_view path) override { real_.Remove(path); }

  private:
    class Writer : public FileWriter {
      public:
        Writer(std::unique_ptr<FileWriter> real, int failing)
            : real_(std::move(real)), failing_(failing) {}
        bool Write(const void* data, std::size_t size) override {
            if (calls_++ == failing_) {
                real_->Write(data, size / 2);
                return false;
            }
            return real_->Write(data, size);
        }
        bool Flush() override { return real_->Flush(); }
        bool Close() override { return real_->Close(); }

      private:
        std::unique_ptr<FileWriter> real_;
        int failing_;
        int calls_ = 0;
    };

    win::Win32FileSystem real_;
    int failingWrite_;
};

class Win32ProfileFile : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ASSERT_GT(::GetTempPathW(MAX_PATH, temp), 0u);
        folder = std::wstring(temp) + L"K2qProfileTests" + std::to_wstring(::GetCurrentProcessId());
        Clean();
        ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
        path = folder + L"\\game.K2q";
        const auto b = testing::Pattern(sizeof *buttons, 10);
        const auto m = testing::Pattern(sizeof *macros, 11);
        std::memcpy(buttons.get(), b.data(), b.size());
        std::memcpy(macros.get(), m.data(), m.size());
    }
    void TearDown() override { Clean(); }

    void Clean() {
        for (const auto& name : FilesInFolder()) {
            const std::wstring file = folder + L"\\" + name;
            ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(file.c_str());
        }
        ::RemoveDirectoryW(folder.c_str());
    }

    std::vector<std::wstring> FilesInFolder() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data;
        HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            return names;
        }
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                names.push_back(data.cFileName);
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
        return names;
    }

    std::vector<std::uint8_t> Profile() const {
        auto bytes = testing::BytesOf(*buttons);
        const auto m = testing::BytesOf(*macros);
        bytes.insert(bytes.end(), m.begin(), m.end());
        return bytes;
    }

    std::wstring folder, path;
    win::Win32FileSystem files;
    std::unique_ptr<ButtonSetting> buttons = std::make_unique<ButtonSetting>();
    std::unique_ptr<MacroSetting> macros = std::make_unique<MacroSetting>();
};

TEST_F(Win32ProfileFile, ExportThenImportRestoresBothBlocksByteForByte) {
    WriteWholeFile(path, testing::Pattern(500, 1));  // an older, shorter profile of that name
    ASSERT_EQ(WriteProfile(files, ToU16(path), *buttons, *macros), ProfileWrite::Written);
    const auto saved = Profile();
    EXPECT_EQ(ReadWholeFile(path), saved);
    EXPECT_EQ(FilesInFolder(), std::vector<std::wstring>{L"game.K2q"});

    std::memset(buttons.get(), 0, sizeof *buttons);
    std::memset(macros.get(), 0, sizeof *macros);
    const ProfileRead read = ReadProfile(files, ToU16(path), *buttons, *macros);
    EXPECT_TRUE(read.opened);
    EXPECT_EQ(read.bytes, 213708u);
    EXPECT_EQ(Profile(), saved);
}

TEST_F(Win32ProfileFile, ImportTakesOnlyWhatAProfileHolds) {
    const struct {
        const char* name;
        std::size_t length;
    } cases[] = {{"buttons only", 104}, {"longer than a profile", 213708 + 4096}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = testing::Pattern(c.length, 99);
        WriteWholeFile(path, file);
        auto expected = Profile();
        std::copy_n(file.begin(), std::min(c.length, expected.size()), expected.begin());
        const ProfileRead read = ReadProfile(files, ToU16(path), *buttons, *macros);
        EXPECT_EQ(read.bytes, std::min(c.length, expected.size()));
        EXPECT_EQ(Profile(), expected);
    }
}

TEST_F(Win32ProfileFile, AFailedExportLeavesThePreviousFileIntactAndNoTemporaryBehind) {
    const auto previous = testing::Pattern(213708, 42);
    WriteWholeFile(path, previous);

    DiskFullAt diskFull(1);  // the macro block does not fit any more
    EXPECT_EQ(WriteProfile(diskFull, ToU16(path), *buttons, *macros), ProfileWrite::WriteFailed);
    EXPECT_EQ(ReadWholeFile(path), previous);
    EXPECT_EQ(FilesInFolder(), std::vector<std::wstring>{L"game.K2q"});

    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(WriteProfile(files, ToU16(path), *buttons, *macros), ProfileWrite::NotReplaced);
    EXPECT_EQ(ReadWholeFile(path), previous);
    EXPECT_EQ(FilesInFolder(), std::vector<std::wstring>{L"game.K2q"});

    const std::wstring missingFolder = folder + L"\\missing\\game.K2q";
    EXPECT_EQ(WriteProfile(files, ToU16(missingFolder), *buttons, *macros),
              ProfileWrite::NotCreated);
    EXPECT_FALSE(ReadProfile(files, ToU16(missingFolder), *buttons, *macros).opened);
}

}  // namespace
}  // namespace k2q
