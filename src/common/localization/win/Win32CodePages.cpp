#include "common/localization/win/Win32CodePages.h"

#include <windows.h>

#include <climits>

namespace k2q::win {

bool Win32CodePages::AppendUtf16(std::uint32_t codePage, std::string_view bytes,
                                 std::u16string& out) const {
    if (bytes.empty()) {
        return ::IsValidCodePage(codePage == 0 ? ::GetACP() : codePage) != 0;
    }
    if (bytes.size() > INT_MAX) {
        return false;
    }
    const int length = static_cast<int>(bytes.size());
    const int units = ::MultiByteToWideChar(codePage, 0, bytes.data(), length, nullptr, 0);
    if (units <= 0) {
        return false;
    }
    const std::size_t base = out.size();
    out.resize(base + static_cast<std::size_t>(units));
    const int written = ::MultiByteToWideChar(codePage, 0, bytes.data(), length,
                                              reinterpret_cast<wchar_t*>(out.data() + base), units);
    if (written <= 0) {
        out.resize(base);
        return false;
    }
    out.resize(base + static_cast<std::size_t>(written));
    return true;
}

}  // namespace k2q::win
