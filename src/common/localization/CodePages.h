// Code-page conversion as a seam. The programs convert with the system's own tables
// (MultiByteToWideChar); the portable build carries the few pages that the language file's
// encoding detection needs, so the core tests walk every detection path natively.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace k2q {

inline constexpr std::uint32_t kCodePageAnsi = 0;  // the system's default ANSI code page
inline constexpr std::uint32_t kCodePageWindows1252 = 1252;
inline constexpr std::uint32_t kCodePageUtf16Le = 1200;
inline constexpr std::uint32_t kCodePageUtf16Be = 1201;
inline constexpr std::uint32_t kCodePageUtf32Le = 12000;
inline constexpr std::uint32_t kCodePageUtf32Be = 12001;
inline constexpr std::uint32_t kCodePageUsAscii = 20127;
inline constexpr std::uint32_t kCodePageLatin1 = 28591;
inline constexpr std::uint32_t kCodePageUtf8 = 65001;

class CodePageConverter {
public:
    virtual ~CodePageConverter() = default;
    // Appends bytes, read in the code page, to out as UTF-16; bytes the page cannot decode
    // become its default character. False (out unchanged) when the page is not available.
    virtual bool AppendUtf16(std::uint32_t codePage, std::string_view bytes,
                             std::u16string& out) const = 0;
};

// The pages every build has: UTF-8, UTF-16 of either byte order, US-ASCII, ISO-8859-1 and
// windows-1252, which also stands in for the ANSI code page unless told otherwise.
class PortableCodePages final : public CodePageConverter {
public:
    explicit PortableCodePages(std::uint32_t ansiCodePage = kCodePageWindows1252)
        : ansiCodePage_(ansiCodePage) {}
    bool AppendUtf16(std::uint32_t codePage, std::string_view bytes,
                     std::u16string& out) const override;

private:
    std::uint32_t ansiCodePage_;
};

}  // namespace k2q
