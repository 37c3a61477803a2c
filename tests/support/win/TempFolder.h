// A folder of one test's own under the system's temporary folder, for files a test lays out
// beside a window it hosts (a copy of a shipped library, a damaged file), so nothing is written
// into dist/ or the build tree. Emptied and removed when the object goes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace k2q::testing {

class TempFolder {
  public:
    // %TEMP%\<name><process id>\, created empty.
    explicit TempFolder(std::wstring_view name);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The full path, ending in a backslash.
    const std::wstring& path() const { return path_; }

    // Copies a file of the laid-out dist/ folder in; false when it is missing.
    bool CopyFromDist(const wchar_t* file) const;
    // Writes a file of these bytes.
    bool Write(const wchar_t* file, std::string_view bytes) const;

  private:
    void Empty() const;
    std::wstring path_;
};

// The whole content of a file, read with the plain API; empty when it cannot be opened.
std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path);

}  // namespace k2q::testing
