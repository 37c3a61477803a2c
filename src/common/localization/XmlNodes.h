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

// Character classes of the ASCII range; every other unit is a name character.
enum : std::uint8_t {
    kEndsName = 1,  // white space < > = \ / ? ! " ' ;
    kStopsTag = 2,  // > < " ': what a start-tag scan has to look at
};

inline constexpr auto kCharClasses = [] {
    struct Table {
        std::uint8_t of[128] = {};
    } table;
    for (const char* c = " \t\n\r<>=\\/?!\"';"; *c != 0; ++c) {
        table.of[static_cast<unsigned char>(*c)] |= kEndsName;
    }
    for (const char* c = "><\"'"; *c != 0; ++c) {
        table.of[static_cast<unsigned char>(*c)] |= kStopsTag;
    }
    return table;
}();

inline bool HasClass(char16_t c, std::uint8_t classes) {
    return c < 128 && (kCharClasses.of[c] & classes) != 0;
}

inline bool IsNameTerminator(char16_t c) {
    return HasClass(c, kEndsName);
}

class NodeReader {
public:
    NodeReader(const char16_t* text, std::uint32_t end) : t_(text), end_(end) {}

    // The first "<" at or after pos, or end.
    std::uint32_t NextMarkup(std::uint32_t pos) const;

    // The node at pos (< end), which is "<". Malformed markup comes back as a text node from
    // pos to the next "<", carrying its problem: the "<" is read as a character.
    [[gnu::always_inline]] Node ReadMarkup(std::uint32_t pos) {
        if (pos + 1 < end_) {
            const char16_t next = t_[pos + 1];
            if (next == u'/') {
                return EndTag(pos);
            }
            if (next != u'!' && next != u'?') {
                return StartTag(pos);
            }
        }
        return Declaration(pos);
    }

    // The end of the tag name that starts at pos.
    std::uint32_t NameEnd(std::uint32_t pos) const {
        for (; pos < end_; ++pos) {
            // Every terminator but the backslash lies at or below "?": letters cost one test.
            const char16_t c = t_[pos];
            if (c <= u'?' ? (kCharClasses.of[c] & kEndsName) != 0 : c == u'\\') {
                break;
            }
        }
        return pos;
    }

    // A whole node, text or markup, at pos (< end); text is classified as white space or not.
    Node ReadNode(std::uint32_t pos);

    [[gnu::always_inline]] Node StartTag(std::uint32_t pos) const {
        const std::uint32_t nameEnd = NameEnd(pos + 1);
        if (nameEnd == pos + 1) {
            return Malformed(pos, Problem::ElementTagNameIncorrect);
        }
        std::uint32_t q = nameEnd;
        for (;;) {
            while (q < end_ && !HasClass(t_[q], kStopsTag)) {
                ++q;
            }
            if (q >= end_ || t_[q] == u'<') {
                return Malformed(pos, Problem::ElementTagUnterminated);
            }
            const char16_t c = t_[q];
            if (c == u'>') {
                Node node;
                node.type = t_[q - 1] == u'/' ? NodeType::EmptyTag : NodeType::StartTag;
                node.begin = pos;
                node.end = q + 1;
                node.nameEnd = nameEnd;
                return node;
            }
            // A quoted attribute value may hold ">", but never "<".
            ++q;
            while (q < end_ && t_[q] != c && t_[q] != u'<') {
                ++q;
            }
            if (q >= end_ || t_[q] == u'<') {
                return Malformed(pos, Problem::ElementTagUnterminated);
            }
            ++q;
        }
    }

    Node EndTag(std::uint32_t pos) const {
        const std::uint32_t nameEnd = NameEnd(pos + 2);
        if (nameEnd == pos + 2) {
            return Malformed(pos, Problem::EndTagNameIncorrect);
        }
        std::uint32_t q = nameEnd;
        while (q < end_ && t_[q] != u'>' && t_[q] != u'<') {
            ++q;
        }
        if (q >= end_ || t_[q] == u'<') {
            return Malformed(pos, Problem::EndTagUnterminated);
        }
        Node node;
        node.type = NodeType::EndTag;
        node.begin = pos;
        node.end = q + 1;
        node.nameEnd = nameEnd;
        return node;
    }

private:
    Node Declaration(std::uint32_t pos);  // "<!", "<?", or a "<" at the very end
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
