// Character and entity references in the text of the language file: decimal and hexadecimal
// character references, the HTML 4.01 entity names and "apos".
#pragma once

#include <string>
#include <string_view>

namespace k2q {

// Appends [begin, end) to out with every reference it can decode replaced by its character.
// An "&" that starts no decodable reference stays as written.
void AppendDecodedText(const char16_t* begin, const char16_t* end, std::u16string& out);

// The code point of an entity name (case-sensitive, as HTML writes it), or 0.
char32_t EntityCodePoint(std::string_view name);

}  // namespace k2q
