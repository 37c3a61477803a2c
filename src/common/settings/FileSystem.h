// The few file operations a profile needs, as a seam: the core decides the order (write
// everything to a temporary file, then replace the target in one step), the shell performs it,
// and tests can make any step fail.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace k2q {

class FileInput {
  public:
    virtual ~FileInput() = default;
    // Reads up to capacity bytes; fewer only at the end of the file. nullopt on a read error.
    virtual std::optional<std::size_t> Read(void* buffer, std::size_t capacity) = 0;
};

class FileWriter {
  public:
    virtual ~FileWriter() = default;
    // Each returns false when the bytes may not have reached the file (a full disk, a removed
    // drive). Destroying a writer closes it without further checks.
    virtual bool Write(const void* data, std::size_t size) = 0;
    virtual bool Flush() = 0;
    virtual bool Close() = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // An existing file opened for reading (others may read too); nullptr when it cannot be.
    virtual std::unique_ptr<FileInput> OpenForReading(std::u16string_view path) = 0;
    // A new empty file with a name of its own in the folder of `target`, so that replacing the
    // target later stays on one volume; its path goes to temporaryPath. nullptr on failure.
    virtual std::unique_ptr<FileWriter> CreateTemporaryBeside(std::u16string_view target,
                                                              std::u16string& temporaryPath) = 0;
    // Puts the closed temporary file in place of the target (which may not exist yet) in one
    // step: afterwards the target is either the old file or the new one, never a mix.
    virtual bool Replace(std::u16string_view temporaryPath, std::u16string_view target) = 0;
    virtual void Remove(std::u16string_view path) = 0;
};

}  // namespace k2q
