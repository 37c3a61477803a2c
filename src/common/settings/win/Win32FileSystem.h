// Profile files on the real file system. Replacement is MoveFileExW with write-through, so the
// new file is on disk before the name points at it.
#pragma once

#include "common/settings/FileSystem.h"

namespace k2q::win {

class Win32FileSystem final : public FileSystem {
  public:
    std::unique_ptr<FileInput> OpenForReading(std::u16string_view path) override;
    std::unique_ptr<FileWriter> CreateTemporaryBeside(std::u16string_view target,
                                                      std::u16string& temporaryPath) override;
    bool Replace(std::u16string_view temporaryPath, std::u16string_view target) override;
    void Remove(std::u16string_view path) override;
};

}  // namespace k2q::win
