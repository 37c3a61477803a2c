// Files in memory for the document reader: each path holds bytes or an error, and every read
// is recorded with the size limit it was given.
#pragma once

#include <map>
#include <string>

#include "common/localization/FileReader.h"

namespace k2q::testing {

class FakeFileReader final : public FileReader {
public:
    FileBytes ReadFile(std::u16string_view path, std::size_t maxBytes) const override {
        lastMaxBytes = maxBytes;
        ++reads;
        FileBytes result;
        const auto failure = errors.find(std::u16string(path));
        if (failure != errors.end()) {
            result.error = failure->second;
            return result;
        }
        const auto file = files.find(std::u16string(path));
        if (file == files.end()) {
            result.error = u"The system cannot find the file specified.\r\n";
        } else if (file->second.size() > maxBytes) {
            result.error = u"The file is too large.";
        } else {
            result.ok = true;
            result.bytes = file->second;
        }
        return result;
    }

    std::map<std::u16string, std::string> files;
    std::map<std::u16string, std::u16string> errors;  // paths that fail with this message
    mutable std::size_t lastMaxBytes = 0;
    mutable int reads = 0;
};

}  // namespace k2q::testing
