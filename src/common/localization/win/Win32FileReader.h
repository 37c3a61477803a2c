// Reading a whole file with the system's file functions; failures carry the system's message.
#pragma once

#include "common/localization/FileReader.h"

namespace k2q::win {

class Win32FileReader final : public FileReader {
public:
    FileBytes ReadFile(std::u16string_view path, std::size_t maxBytes) const override;
};

// The system's message for an error code, on one line (up to its first line break).
std::u16string SystemErrorText(unsigned long error);

}  // namespace k2q::win
