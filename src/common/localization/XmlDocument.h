// CXmlDocument: reads a text file of unknown encoding into one UTF-16 string, parses it into
// element records that point back into that string, and answers the position-based queries
// of the language loader. Lenient: it never refuses a document; damaged markup is repaired
// and the document marked ill-formed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/localization/CodePages.h"
#include "common/localization/FileReader.h"
#include "common/localization/XmlNodes.h"

namespace k2q {

// Document flags: the encoding found by LoadTextFile, and the parser's verdict.
enum XmlDocumentFlag : std::uint32_t {
    kXmlUtf16Le = 0x1,   // byte-order mark FF FE
    kXmlUtf16Be = 0x2,   // byte-order mark FE FF
    kXmlUtf8Mark = 0x4,  // byte-order mark EF BB BF
    kXmlEncodingFlags = 0x7,
    kXmlIllFormed = 0x100,
};

// Element flags.
enum XmlElementFlag : std::uint8_t {
    kXmlNotEnded = 0x1,      // closed by a repair, not by its own end tag
    kXmlEmptyElement = 0x2,  // an empty-element tag
    kXmlLongStartTag = 0x4,  // start tag too long for its packed length: found again by a scan
    kXmlLongEndTag = 0x8,    // end tag too long for its packed length: found again by a scan
};

// A file longer than this is not read: a language file is a few kilobytes, and the limit
// keeps a wrong or damaged file from exhausting memory.
inline constexpr std::size_t kXmlMaxFileBytes = 16u << 20;
// A text set directly is held to the same size (in UTF-16 units); offsets stay 32-bit.
inline constexpr std::size_t kXmlMaxTextUnits = kXmlMaxFileBytes;

// One element record, unpacked. Element numbers are 32-bit; 0 is the document itself.
struct XmlElement {
    std::uint32_t start = 0;           // offset of the start tag
    std::uint32_t length = 0;          // of the whole element
    std::uint32_t startTagLength = 0;  // saturated at 2^22 - 1 (kXmlLongStartTag)
    std::uint32_t endTagLength = 0;    // saturated at 2^10 - 1 (kXmlLongEndTag)
    std::uint8_t flags = 0;
    std::uint32_t level = 0;  // open elements around the start tag when it was read
    std::uint32_t parent = 0;
    std::uint32_t firstChild = 0;
    std::uint32_t nextSibling = 0;
    std::uint32_t previousSibling = 0;
};

class CXmlDocument {
public:
    // Empty: no text, and the parse of the empty text (element 0 alone).
    CXmlDocument();
    CXmlDocument(CXmlDocument&&) noexcept = default;
    CXmlDocument& operator=(CXmlDocument&&) noexcept = default;

    // Reads the file at path as text: byte-order mark, declared encoding or the UTF-8 test,
    // zero units removed, converted to UTF-16. Returns whether the file was read; when not,
    // result holds the reason and the text and elements are unchanged. The encoding flags are
    // replaced by those found; other bits of flags are kept.
    bool LoadTextFile(std::u16string_view path, std::uint32_t& flags, std::u16string& result,
                      const FileReader& files, const CodePageConverter& codePages);
    // The decoding half of LoadTextFile, for bytes already in memory.
    void LoadTextBytes(std::string_view bytes, std::uint32_t& flags, std::u16string& result,
                       const CodePageConverter& codePages);
    // Replaces the document text directly (already UTF-16; longer texts are cut to
    // kXmlMaxTextUnits).
    void SetText(std::u16string text);

    // Parses the text into element records and resets the position. Returns whether the
    // document is well-formed.
    bool Parse();

    void ResetPosition();
    // Among the parent's children, after the current element (or from the first child),
    // the first element named name (any element for an empty name) becomes current.
    bool FindElement(std::u16string_view name);
    // Among the current element's children (selecting the root first when there is no
    // current element), after the current child, the first named name becomes the child.
    bool FindChildElement(std::u16string_view name);
    // The current element becomes the parent and the child the current element.
    void EnterChild();
    // The text content of the current child; empty when there is none.
    std::u16string GetChildText() const;

    const std::u16string& Text() const { return text_; }
    std::uint32_t Flags() const { return flags_; }
    const std::u16string& ResultText() const { return result_; }
    std::uint32_t ElementCount() const { return count_; }  // element 0 included
    XmlElement Element(std::uint32_t number) const;        // number < ElementCount()
    std::u16string_view ElementName(std::uint32_t number) const;
    // The text content of any element, as GetChildText gives it for the current child.
    std::u16string ElementText(std::uint32_t number) const;
    std::uint32_t ParentElement() const { return parent_; }
    std::uint32_t CurrentElement() const { return current_; }
    std::uint32_t ChildElement() const { return child_; }
    xml::NodeType NodeType() const { return nodeType_; }

private:
    // 32 bytes: the start tag's length in the low 22 bits of tagLengths and the end tag's in
    // the high 10; flags in the low 8 bits of flagsLevel and the level in the high 24.
    struct Record {
        std::uint32_t start;
        std::uint32_t length;
        std::uint32_t tagLengths;
        std::uint32_t flagsLevel;
        std::uint32_t parent;
        std::uint32_t firstChild;
        std::uint32_t nextSibling;
        std::uint32_t previousSibling;
    };
    class NameIndex;
    struct ParseState;

    Record& At(std::uint32_t number);
    const Record& At(std::uint32_t number) const;
    std::uint32_t NewRecord();
    void ClearRecords(std::uint32_t expected = 0);  // expected: records the text may need
    void CloseElement(const xml::Node& endTag, ParseState& state);
    void CloseInnermost(std::uint32_t endTagBegin, std::uint32_t endTagEnd, ParseState& state);
    std::uint32_t StartTagEnd(const Record& record) const;
    std::uint32_t ContentBegin(const Record& record) const;
    std::uint32_t ContentEnd(const Record& record) const;
    bool NameIs(std::uint32_t number, std::u16string_view name) const;
    std::uint32_t FindAmongChildren(std::uint32_t parent, std::uint32_t after,
                                    std::u16string_view name) const;
    void SelectNode(std::uint32_t number);
    void NoteProblem(xml::Problem problem);

    std::u16string text_;
    // Element number = page * 65536 + index; the table of pages grows by half its size when
    // full. Only the first page moves, while it grows (no reference to a record is held across
    // NewRecord).
    std::vector<std::unique_ptr<Record[]>> pages_;
    std::uint32_t firstPageCapacity_ = 0;
    std::uint32_t count_ = 0;
    std::uint32_t flags_ = 0;
    xml::Problem problem_ = xml::Problem::None;
    std::u16string result_;
    std::uint32_t parent_ = 0;
    std::uint32_t current_ = 0;
    std::uint32_t child_ = 0;
    xml::NodeType nodeType_ = xml::NodeType::None;
    std::uint32_t nodeOffset_ = 0;
    std::uint32_t nodeLength_ = 0;
};

}  // namespace k2q
