// Encoding names as documents declare them (IANA character-set names and their common
// aliases), mapped to the Windows code pages that convert them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace k2q {

struct EncodingName {
    std::u16string_view name;  // lower case
    std::uint32_t codePage;
};

// The whole table, 254 names.
std::span<const EncodingName> EncodingNames();

// The code page of a declared encoding name, compared without regard to ASCII letter case;
// 0 for an empty or unknown name and for any name of 100 characters or more.
std::uint32_t CodePageForEncodingName(std::u16string_view name);

}  // namespace k2q
