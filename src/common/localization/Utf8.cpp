#include "common/localization/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace k2q {
namespace {

// Length of the well-formed sequence at s[i], or 0 when it is ill-formed. In that case
// *consumed is the length of its longest well-formed start (at least 1), which becomes one
// replacement character.
std::size_t SequenceAt(const unsigned char* s, std::size_t n, std::size_t i, char32_t* cp,
                       std::size_t* consumed) {
    const unsigned char b = s[i];
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    char32_t value;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
        value = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        value = b & 0x0F;
        if (b == 0xE0) {
            low = 0xA0;  // overlong below U+0800
        } else if (b == 0xED) {
            high = 0x9F;  // surrogates
        }
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        value = b & 0x07;
        if (b == 0xF0) {
            low = 0x90;  // overlong below U+10000
        } else if (b == 0xF4) {
            high = 0x8F;  // above U+10FFFF
        }
    } else {
        *consumed = 1;
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const std::size_t at = i + k;
        const unsigned char lo = k == 1 ? low : 0x80;
        const unsigned char hi = k == 1 ? high : 0xBF;
        if (at >= n || s[at] < lo || s[at] > hi) {
            *consumed = k;
            return 0;
        }
        value = value << 6 | (s[at] & 0x3F);
    }
    *cp = value;
    return length;
}

// The end of the ASCII run that starts at s[i].
std::size_t AsciiRun(const unsigned char* s, std::size_t i, std::size_t n) {
#if defined(__SSE2__)
    while (i + 16 <= n) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const int high = _mm_movemask_epi8(v);
        if (high != 0) {
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(high)));
        }
        i += 16;
    }
#endif
    while (i + 8 <= n) {
        std::uint64_t word;
        std::memcpy(&word, s + i, 8);
        if (word & 0x8080808080808080ull) {
            break;
        }
        i += 8;
    }
    while (i < n && s[i] < 0x80) {
        ++i;
    }
    return i;
}

// Widens the ASCII run that starts at s[i] into o; returns the end of the run. o has room
// for n - i units.
std::size_t WidenAscii(const unsigned char* s, std::size_t i, std::size_t n, char16_t*& o) {
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    while (i + 16 <= n) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        // Sixteen units are stored whatever the run's length: the room is there.
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o), _mm_unpacklo_epi8(v, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 8), _mm_unpackhi_epi8(v, zero));
        const int high = _mm_movemask_epi8(v);
        if (high != 0) {
            const int ascii = __builtin_ctz(static_cast<unsigned>(high));
            o += ascii;
            return i + static_cast<std::size_t>(ascii);
        }
        o += 16;
        i += 16;
    }
#endif
    while (i < n && s[i] < 0x80) {
        *o++ = s[i++];
    }
    return i;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    for (;;) {
        i = AsciiRun(s, i, n);
        if (i >= n) {
            return true;
        }
        char32_t cp;
        std::size_t consumed;
        const std::size_t length = SequenceAt(s, n, i, &cp, &consumed);
        if (length == 0) {
            return false;
        }
        i += length;
    }
}

void AppendUtf8AsUtf16(std::string_view bytes, std::u16string& out) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    out.reserve(out.size() + n);  // never more units than bytes
    // Converting block by block into a buffer that stays in the cache writes the large text
    // once, instead of clearing it first and then writing it.
    constexpr std::size_t kBlock = 4096;
    char16_t buffer[kBlock + 4];
    std::size_t i = 0;
    while (i < n) {
        const std::size_t blockEnd = std::min(n, i + kBlock);
        char16_t* o = buffer;
        while (i < blockEnd) {
            i = WidenAscii(s, i, blockEnd, o);
            if (i >= blockEnd) {
                break;
            }
            // A sequence may run up to three bytes past the block: the buffer has the room.
            char32_t cp;
            std::size_t consumed;
            const std::size_t length = SequenceAt(s, n, i, &cp, &consumed);
            if (length == 0) {
                *o++ = 0xFFFD;
                i += consumed;
            } else if (cp < 0x10000) {
                *o++ = static_cast<char16_t>(cp);
                i += length;
            } else {
                cp -= 0x10000;
                *o++ = static_cast<char16_t>(0xD800 + (cp >> 10));
                *o++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
                i += length;
            }
        }
        out.append(buffer, o);
    }
}

}  // namespace k2q
