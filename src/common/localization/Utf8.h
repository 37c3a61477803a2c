// UTF-8 as the document reader needs it: a strict validity test (the choice between UTF-8 and
// the ANSI code page) and a decoder that replaces every ill-formed sequence with U+FFFD, as
// the system's converter does.
#pragma once

#include <string>
#include <string_view>

namespace k2q {

// True when bytes are well-formed UTF-8: no stray continuation bytes, no truncated, overlong
// or surrogate sequences, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

void AppendUtf8AsUtf16(std::string_view bytes, std::u16string& out);

}  // namespace k2q
