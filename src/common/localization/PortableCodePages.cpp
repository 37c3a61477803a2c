#include "common/localization/CodePages.h"

#include "common/localization/Utf8.h"

namespace k2q {
namespace {

// windows-1252 bytes 0x80..0x9F. The five bytes the page leaves undefined map to the C1
// control of the same value, as the system's table does.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendSingleByte(std::string_view bytes, std::uint32_t codePage, std::u16string& out) {
    const std::size_t base = out.size();
    out.resize(base + bytes.size());
    char16_t* o = out.data() + base;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80 || codePage == kCodePageLatin1) {
            *o++ = b;
        } else if (codePage == kCodePageUsAscii) {
            *o++ = 0xFFFD;
        } else {  // windows-1252
            *o++ = b < 0xA0 ? kWindows1252High[b - 0x80] : char16_t(b);
        }
    }
}

void AppendUtf16Bytes(std::string_view bytes, bool bigEndian, std::u16string& out) {
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        out.push_back(static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a)));
    }
}

}  // namespace

bool PortableCodePages::AppendUtf16(std::uint32_t codePage, std::string_view bytes,
                                    std::u16string& out) const {
    if (codePage == kCodePageAnsi) {
        codePage = ansiCodePage_;
    }
    switch (codePage) {
        case kCodePageUtf8:
            AppendUtf8AsUtf16(bytes, out);
            return true;
        case kCodePageUtf16Le:
        case kCodePageUtf16Be:
            AppendUtf16Bytes(bytes, codePage == kCodePageUtf16Be, out);
            return true;
        case kCodePageUsAscii:
        case kCodePageLatin1:
        case kCodePageWindows1252:
            AppendSingleByte(bytes, codePage, out);
            return true;
        default:
            return false;
    }
}

}  // namespace k2q
