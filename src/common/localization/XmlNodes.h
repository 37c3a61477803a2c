// The lenient node reader shared by parsing, element text and the encoding sniffer. It never
// reads outside [0, end) and costs linear time on any input: a tag scan stops at the next
// "<", and a search for a closing marker that failed once is not repeated further on.
#pragma once

#include <cstdint>

namespace k2q::xml {

enum class NodeType : std::uint8_t {
    None,
    StartTag,
    EmptyTag,
    EndTag,
    Text,
    WhiteSpace,
    CData,
    Comment,
    ProcessingInstruction,
    DocumentType,
};

// What made a document ill-formed; the first one found names it in the result text.
enum class Problem : std::uint8_t {
    None,
    ElementTagUnterminated,
    ElementTagNameIncorrect,
    EndTagUnterminated,
    EndTagNameIncorrect,
    CommentUnterminated,
    CDataUnterminated,
    ProcessingInstructionUnterminated,
    DocumentTypeUnterminated,
    DeclarationIncorrect,
    EndTagUnmatched,
    ElementNotEnded,
    NoRootElement,
    RootElementHasSibling,
};

const char16_t* ProblemText(Problem problem);

struct Node {
    NodeType type = NodeType::None;
    Problem problem = Problem::None;
    std::uint32_t begin = 0;  // [begin, end) in the text
    std::uint32_t end = 0;
    std::uint32_t nameEnd = 0;  // tags: the name runs from after "<" or "</" to here
};

inline bool IsXmlSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Characters that end a tag name.
inline bool IsNameTerminator(char16_t c) {
    if (c >= 0x80) {
        return false;
    }
    switch (c) {
        case u' ':
        case u'\t':
        case u'\n':
        case u'\r':
        case u'<':
        case u'>':
        case u'=':
        case u'\\':
        case u'/':
        case u'?':
        case u'!':
        case u'"':
        case u'\'':
        case u';':
            return true;
        default:
            return false;
    }
}

class NodeReader {
  public:
    NodeReader(const char16_t* text, std::uint32_t end) : t_(text), end_(end) {}

    // The first "<" at or after pos, or end.
    std::uint32_t NextMarkup(std::uint32_t pos) const;

    // The node at pos (< end), which is "<". Malformed markup comes back as a text node from
    // pos to the next "<", carrying its problem: the "<" is read as a character.
    Node ReadMarkup(std::uint32_t pos);

    // The end of the tag name that starts at pos.
    std::uint32_t NameEnd(std::uint32_t pos) const {
        while (pos < end_ && !IsNameTerminator(t_[pos])) {
            ++pos;
        }
        return pos;
    }

    // A whole node, text or markup, at pos (< end); text is classified as white space or not.
    Node ReadNode(std::uint32_t pos);

  private:
    Node StartTag(std::uint32_t pos) const;
    Node EndTag(std::uint32_t pos) const;
    Node Bang(std::uint32_t pos);
    Node Malformed(std::uint32_t pos, Problem problem) const;
    bool StartsWith(std::uint32_t pos, const char16_t* literal, bool foldCase) const;
    std::uint32_t Find(const char16_t* marker, std::uint32_t length, std::uint32_t from,
                       std::uint32_t& noneFrom) const;
    std::uint32_t FindSubsetEnd(std::uint32_t from);

    const char16_t* t_;
    std::uint32_t end_;
    // A search for a closing marker that failed from some position fails from every later
    // one: remember where, so that a run of unclosed openers costs linear time.
    std::uint32_t noCommentEndFrom_ = UINT32_MAX;
    std::uint32_t noCDataEndFrom_ = UINT32_MAX;
    std::uint32_t noPiEndFrom_ = UINT32_MAX;
    std::uint32_t noDeclEndFrom_ = UINT32_MAX;
    std::uint32_t noSubsetEndFrom_ = UINT32_MAX;
};

}  // namespace k2q::xml
