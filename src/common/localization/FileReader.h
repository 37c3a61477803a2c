// Reading a whole file as a seam, so that the document reader's file handling (missing files,
// the system's error text, oversized files) is tested without touching the disk.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace k2q {

struct FileBytes {
    bool ok = false;
    std::string bytes;     // the whole file when ok
    std::u16string error;  // the system's message when not ok, on one line
};

class FileReader {
public:
    virtual ~FileReader() = default;
    // Reads the file at path as bytes. A file longer than maxBytes is not read (not ok).
    virtual FileBytes ReadFile(std::u16string_view path, std::size_t maxBytes) const = 0;
};

}  // namespace k2q
