// Reading the language file as text: byte-order marks, the declared encoding of an XML
// declaration or an HTML meta element, the UTF-8 test and the ANSI fallback.
#include <algorithm>
#include <cstring>

#include "common/localization/EncodingNames.h"
#include "common/localization/Utf8.h"
#include "common/localization/XmlDocument.h"

namespace k2q {
namespace {

using xml::IsXmlSpace;
using xml::Node;
using xml::NodeReader;
using xml::NodeType;

// The declared encoding is looked for in this many bytes at the start of the file.
constexpr std::size_t kSniffBytes = 1024;

char16_t FoldAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

bool EqualsFolded(std::u16string_view a, std::u16string_view lowerB) {
    if (a.size() != lowerB.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != lowerB[i]) {
            return false;
        }
    }
    return true;
}

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && IsXmlSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsXmlSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// The value of the attribute called name (compared without letter case) among the attributes
// in s, the inside of a tag after its name. HTML's unquoted values are accepted.
std::u16string_view AttributeValue(std::u16string_view s, std::u16string_view lowerName) {
    std::size_t i = 0;
    const auto at = [&](std::size_t k) { return k < s.size() ? s[k] : char16_t(0); };
    while (i < s.size()) {
        while (i < s.size() && (IsXmlSpace(s[i]) || s[i] == u'/')) {
            ++i;
        }
        const std::size_t nameBegin = i;
        while (i < s.size() && !IsXmlSpace(s[i]) && s[i] != u'=' && s[i] != u'/') {
            ++i;
        }
        const std::u16string_view name = s.substr(nameBegin, i - nameBegin);
        while (IsXmlSpace(at(i))) {
            ++i;
        }
        std::u16string_view value;
        if (at(i) == u'=') {
            ++i;
            while (IsXmlSpace(at(i))) {
                ++i;
            }
            const char16_t quote = at(i);
            if (quote == u'"' || quote == u'\'') {
                const std::size_t close = std::min(s.find(quote, i + 1), s.size());
                value = s.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                const std::size_t valueBegin = i;
                while (i < s.size() && !IsXmlSpace(s[i])) {
                    ++i;
                }
                value = s.substr(valueBegin, i - valueBegin);
            }
        }
        if (!name.empty() && EqualsFolded(name, lowerName)) {
            return value;
        }
        if (i == nameBegin) {
            ++i;  // a lone "=" or the like: step over it
        }
    }
    return {};
}

// "text/html; charset=windows-1252" gives "windows-1252".
std::u16string_view CharsetOfContent(std::u16string_view content) {
    for (std::size_t i = 0; i + 7 <= content.size(); ++i) {
        if (!EqualsFolded(content.substr(i, 7), u"charset")) {
            continue;
        }
        std::size_t k = i + 7;
        while (k < content.size() && IsXmlSpace(content[k])) {
            ++k;
        }
        if (k >= content.size() || content[k] != u'=') {
            continue;
        }
        ++k;
        while (k < content.size() &&
               (IsXmlSpace(content[k]) || content[k] == u'"' || content[k] == u'\'')) {
            ++k;
        }
        std::size_t end = k;
        while (end < content.size() && content[end] != u';' && !IsXmlSpace(content[end]) &&
               content[end] != u'"' && content[end] != u'\'') {
            ++end;
        }
        return content.substr(k, end - k);
    }
    return {};
}

// The encoding a document names for itself in its first bytes, or empty.
std::u16string DeclaredEncoding(std::string_view head) {
    std::u16string text;
    AppendUtf8AsUtf16(head, text);
    const auto n = static_cast<std::uint32_t>(text.size());
    const std::u16string_view view(text);
    std::uint32_t pos = 0;
    while (pos < n && IsXmlSpace(text[pos])) {
        ++pos;
    }
    NodeReader reader(text.data(), n);
    const auto tagInside = [&](const Node& node) {
        const std::uint32_t end = node.end - (node.type == NodeType::EmptyTag ? 2 : 1);
        return view.substr(node.nameEnd, end > node.nameEnd ? end - node.nameEnd : 0);
    };
    if (view.substr(pos, 5) == u"<?xml" && pos + 5 < n &&
        (IsXmlSpace(text[pos + 5]) || text[pos + 5] == u'?')) {
        const Node node = reader.ReadMarkup(pos);
        const std::uint32_t end = node.type == NodeType::ProcessingInstruction ? node.end - 2 : n;
        return std::u16string(
            Trim(AttributeValue(view.substr(pos + 5, end - pos - 5), u"encoding")));
    }
    bool inHtml = false;
    bool inHead = false;
    while (pos < n) {
        const Node node = reader.ReadNode(pos);
        pos = node.end;
        const bool start = node.type == NodeType::StartTag || node.type == NodeType::EmptyTag;
        if (!start && node.type != NodeType::EndTag) {
            continue;
        }
        const std::uint32_t nameBegin = node.begin + (start ? 1 : 2);
        const std::u16string_view name = view.substr(nameBegin, node.nameEnd - nameBegin);
        if (!start) {
            if (EqualsFolded(name, u"head")) {
                break;
            }
        } else if (EqualsFolded(name, u"html")) {
            inHtml = true;
        } else if (inHtml && EqualsFolded(name, u"head")) {
            inHead = true;
        } else if (EqualsFolded(name, u"body")) {
            break;
        } else if (inHead && EqualsFolded(name, u"meta")) {
            const std::u16string_view inside = tagInside(node);
            if (EqualsFolded(Trim(AttributeValue(inside, u"http-equiv")), u"content-type")) {
                return std::u16string(CharsetOfContent(AttributeValue(inside, u"content")));
            }
        }
    }
    return {};
}

bool IsUnicodeCodePage(std::uint32_t codePage) {
    return codePage == kCodePageUtf16Le || codePage == kCodePageUtf16Be ||
           codePage == kCodePageUtf32Le || codePage == kCodePageUtf32Be;
}

std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        const auto unit = static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
        if (unit != 0) {
            text.push_back(unit);
        }
    }
    return text;
}

// The bytes without their zero bytes; storage holds them when there were any.
std::string_view WithoutZeroBytes(std::string_view bytes, std::string& storage) {
    if (bytes.empty() || std::memchr(bytes.data(), 0, bytes.size()) == nullptr) {
        return bytes;
    }
    storage.reserve(bytes.size());
    for (const char c : bytes) {
        if (c != 0) {
            storage.push_back(c);
        }
    }
    return storage;
}

}  // namespace

void CXmlDocument::LoadTextBytes(std::string_view bytes, std::uint32_t& flags,
                                 std::u16string& result, const CodePageConverter& codePages) {
    const auto startsWith = [&](const char* mark, std::size_t length) {
        return bytes.size() >= length && std::memcmp(bytes.data(), mark, length) == 0;
    };
    std::uint32_t found = 0;
    std::u16string text;
    if (startsWith("\xFF\xFE", 2) || startsWith("\xFE\xFF", 2)) {
        const bool bigEndian = bytes[0] == '\xFE';
        found = bigEndian ? kXmlUtf16Be : kXmlUtf16Le;
        text = Utf16FromBytes(bytes.substr(2), bigEndian);
        result = bigEndian ? u"UTF-16BE (byte-order mark)" : u"UTF-16LE (byte-order mark)";
    } else {
        std::uint32_t codePage = 0;
        std::u16string declared;
        if (startsWith("\xEF\xBB\xBF", 3)) {
            found = kXmlUtf8Mark;
            bytes.remove_prefix(3);
            codePage = kCodePageUtf8;
        } else {
            declared = DeclaredEncoding(bytes.substr(0, kSniffBytes));
            codePage = CodePageForEncodingName(declared);
            // Without a mark the units are bytes, so a UTF-16 or UTF-32 name cannot be right
            // (typically a program declared "utf-16" and saved UTF-8).
            if (IsUnicodeCodePage(codePage)) {
                codePage = 0;
            }
        }
        std::string storage;
        const std::string_view clean = WithoutZeroBytes(bytes, storage);
        const bool valid = IsValidUtf8(clean);
        if (found == kXmlUtf8Mark) {
            codePages.AppendUtf16(kCodePageUtf8, clean, text);
            result = u"UTF-8 (byte-order mark)";
        } else if (codePage != 0 && !(codePage == kCodePageUtf8 && !valid) &&
                   codePages.AppendUtf16(codePage, clean, text)) {
            // A UTF-8 declaration over bytes that are not UTF-8 is what an editor saving in
            // the ANSI code page leaves behind: that falls through to the ANSI page.
            result = declared + u" (declared)";
        } else if (valid) {
            codePages.AppendUtf16(kCodePageUtf8, clean, text);
            result = u"UTF-8";
        } else {
            if (!codePages.AppendUtf16(kCodePageAnsi, clean, text)) {
                for (const char c : clean) {  // as ISO-8859-1: no byte is lost
                    text.push_back(static_cast<unsigned char>(c));
                }
            }
            result = u"ANSI code page";
        }
    }
    flags = (flags & ~kXmlEncodingFlags) | found;
    flags_ = (flags_ & ~kXmlEncodingFlags) | found;
    SetText(std::move(text));
    result_ = result;
}

bool CXmlDocument::LoadTextFile(std::u16string_view path, std::uint32_t& flags,
                                std::u16string& result, const FileReader& files,
                                const CodePageConverter& codePages) {
    FileBytes file = files.ReadFile(path, kXmlMaxFileBytes);
    if (!file.ok) {
        result = file.error.substr(0, file.error.find_first_of(u"\r\n"));
        if (result.empty()) {
            result = u"File not read";
        }
        result_ = result;
        return false;
    }
    LoadTextBytes(file.bytes, flags, result, codePages);
    return true;
}

}  // namespace k2q
