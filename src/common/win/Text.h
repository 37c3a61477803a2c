// The core keeps texts as UTF-16 char16_t; on Windows wchar_t is the same 16-bit unit, so the
// boundary is a reinterpretation, not a conversion.
#pragma once

#include <string>
#include <string_view>

namespace k2q::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline const wchar_t* AsWide(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }
inline const char16_t* AsU16(const wchar_t* s) { return reinterpret_cast<const char16_t*>(s); }

inline std::wstring ToWide(std::u16string_view s) {
    return std::wstring(AsWide(s.data()), s.size());
}
inline std::u16string ToU16(std::wstring_view s) {
    return std::u16string(AsU16(s.data()), s.size());
}

}  // namespace k2q::win
