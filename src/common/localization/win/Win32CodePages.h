// Code-page conversion with the system's own tables.
#pragma once

#include "common/localization/CodePages.h"

namespace k2q::win {

class Win32CodePages final : public CodePageConverter {
public:
    // MultiByteToWideChar with the page (0 is the system's ANSI page); false when the system
    // does not have the page, or for the UTF-16 and UTF-32 pages, which it cannot convert.
    bool AppendUtf16(std::uint32_t codePage, std::string_view bytes,
                     std::u16string& out) const override;
};

}  // namespace k2q::win
