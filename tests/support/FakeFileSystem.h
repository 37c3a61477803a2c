// An in-memory file system for profile tests: files are byte vectors, and any step of an
// export can be told to fail (creating, the n-th write, flush, close, the final replace), so
// the tests can show what is left behind in each case.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/settings/FileSystem.h"

namespace k2q::testing {

class FakeFileSystem : public FileSystem {
  public:
    std::unique_ptr<FileInput> OpenForReading(std::u16string_view path) override;
    std::unique_ptr<FileWriter> CreateTemporaryBeside(std::u16string_view target,
                                                      std::u16string& temporaryPath) override;
    bool Replace(std::u16string_view temporaryPath, std::u16string_view target) override;
    void Remove(std::u16string_view path) override;

    // Test side.
    std::map<std::u16string, std::vector<std::uint8_t>> files;
    std::set<std::u16string> readOnly;  // replacing these fails
    bool failCreate = false;
    int failWriteAt = -1;  // this Write call (0-based, over all writers) stores half and fails
    bool failFlush = false;
    bool failClose = false;
    bool failRead = false;
    int writeCalls = 0;
};

}  // namespace k2q::testing
