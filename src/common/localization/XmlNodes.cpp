#include "common/localization/XmlNodes.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace k2q::xml {
namespace {

// Four UTF-16 units at a time: does the word hold the unit c?
inline bool WordHas(std::uint64_t word, std::uint64_t pattern) {
    const std::uint64_t x = word ^ pattern;
    return ((x - 0x0001000100010001ull) & ~x & 0x8000800080008000ull) != 0;
}

}  // namespace

const char16_t* ProblemText(Problem problem) {
    switch (problem) {
        case Problem::None:
            return u"";
        case Problem::ElementTagUnterminated:
            return u"Element tag unterminated";
        case Problem::ElementTagNameIncorrect:
            return u"Element tag name incorrect";
        case Problem::EndTagUnterminated:
            return u"End tag unterminated";
        case Problem::EndTagNameIncorrect:
            return u"End tag name incorrect";
        case Problem::CommentUnterminated:
            return u"Comment unterminated";
        case Problem::CDataUnterminated:
            return u"CDATA section unterminated";
        case Problem::ProcessingInstructionUnterminated:
            return u"Processing instruction unterminated";
        case Problem::DocumentTypeUnterminated:
            return u"Document type declaration unterminated";
        case Problem::DeclarationIncorrect:
            return u"Markup declaration incorrect";
        case Problem::EndTagUnmatched:
            return u"End tag matches no open element";
        case Problem::ElementNotEnded:
            return u"Element not ended";
        case Problem::NoRootElement:
            return u"No root element";
        case Problem::RootElementHasSibling:
            return u"Root element has sibling";
    }
    return u"";
}

std::uint32_t NodeReader::NextMarkup(std::uint32_t pos) const {
#if defined(__SSE2__)
    const __m128i lt = _mm_set1_epi16(u'<');
    while (pos + 8 <= end_) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t_ + pos));
        const int hits = _mm_movemask_epi8(_mm_cmpeq_epi16(v, lt));
        if (hits != 0) {
            return pos + static_cast<std::uint32_t>(__builtin_ctz(static_cast<unsigned>(hits))) / 2;
        }
        pos += 8;
    }
#endif
    const std::uint64_t pattern = 0x003C003C003C003Cull;  // "<" in every unit
    while (pos + 4 <= end_) {
        std::uint64_t word;
        std::memcpy(&word, t_ + pos, sizeof word);
        if (WordHas(word, pattern)) {
            break;
        }
        pos += 4;
    }
    while (pos < end_ && t_[pos] != u'<') {
        ++pos;
    }
    return pos;
}

Node NodeReader::Malformed(std::uint32_t pos, Problem problem) const {
    Node node;
    node.type = NodeType::Text;
    node.problem = problem;
    node.begin = pos;
    node.end = NextMarkup(pos + 1);
    return node;
}

bool NodeReader::StartsWith(std::uint32_t pos, const char16_t* literal, bool foldCase) const {
    for (; *literal; ++literal, ++pos) {
        if (pos >= end_) {
            return false;
        }
        char16_t c = t_[pos];
        if (foldCase && c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - 32);
        }
        if (c != *literal) {
            return false;
        }
    }
    return true;
}

std::uint32_t NodeReader::Find(const char16_t* marker, std::uint32_t length, std::uint32_t from,
                               std::uint32_t& noneFrom) const {
    if (from >= noneFrom) {
        return end_;
    }
    for (std::uint32_t p = from; p + length <= end_; ++p) {
        if (t_[p] == marker[0] && std::memcmp(t_ + p, marker, length * sizeof(char16_t)) == 0) {
            return p;
        }
    }
    noneFrom = from;
    return end_;
}

// The end of a document type declaration's internal subset: "]", white space, ">". Returns
// the position after the ">", or 0 when there is none.
std::uint32_t NodeReader::FindSubsetEnd(std::uint32_t from) {
    if (from >= noSubsetEndFrom_) {
        return 0;
    }
    for (std::uint32_t p = from; p < end_; ++p) {
        if (t_[p] != u']') {
            continue;
        }
        std::uint32_t q = p + 1;
        while (q < end_ && IsXmlSpace(t_[q])) {
            ++q;
        }
        if (q < end_ && t_[q] == u'>') {
            return q + 1;
        }
    }
    noSubsetEndFrom_ = from;
    return 0;
}

Node NodeReader::Bang(std::uint32_t pos) {
    Node node;
    node.begin = pos;
    if (StartsWith(pos, u"<!--", false)) {
        const std::uint32_t close = Find(u"-->", 3, pos + 4, noCommentEndFrom_);
        if (close == end_) {
            return Malformed(pos, Problem::CommentUnterminated);
        }
        node.type = NodeType::Comment;
        node.end = close + 3;
        return node;
    }
    if (StartsWith(pos, u"<![CDATA[", false)) {
        const std::uint32_t close = Find(u"]]>", 3, pos + 9, noCDataEndFrom_);
        if (close == end_) {
            return Malformed(pos, Problem::CDataUnterminated);
        }
        node.type = NodeType::CData;
        node.end = close + 3;
        return node;
    }
    if (StartsWith(pos, u"<!DOCTYPE", true)) {
        // Up to ">", or through an internal subset in brackets.
        std::uint32_t q = pos + 9;
        if (q < noDeclEndFrom_) {
            while (q < end_ && t_[q] != u'>' && t_[q] != u'[') {
                ++q;
            }
            if (q == end_) {
                noDeclEndFrom_ = pos + 9;
            }
        } else {
            q = end_;
        }
        const std::uint32_t close = q == end_ ? 0 : (t_[q] == u'>' ? q + 1 : FindSubsetEnd(q + 1));
        if (close == 0) {
            return Malformed(pos, Problem::DocumentTypeUnterminated);
        }
        node.type = NodeType::DocumentType;
        node.end = close;
        return node;
    }
    // Any other "<!" is no construct of a document; it is skipped up to its ">".
    std::uint32_t q = pos + 2;
    while (q < end_ && t_[q] != u'>' && t_[q] != u'<') {
        ++q;
    }
    if (q >= end_ || t_[q] == u'<') {
        return Malformed(pos, Problem::DeclarationIncorrect);
    }
    node.type = NodeType::DocumentType;
    node.problem = Problem::DeclarationIncorrect;
    node.end = q + 1;
    return node;
}

Node NodeReader::Declaration(std::uint32_t pos) {
    if (pos + 1 >= end_) {
        return Malformed(pos, Problem::ElementTagUnterminated);
    }
    if (t_[pos + 1] == u'!') {
        return Bang(pos);
    }
    const std::uint32_t close = Find(u"?>", 2, pos + 2, noPiEndFrom_);
    if (close == end_) {
        return Malformed(pos, Problem::ProcessingInstructionUnterminated);
    }
    Node node;
    node.type = NodeType::ProcessingInstruction;
    node.begin = pos;
    node.end = close + 2;
    return node;
}

Node NodeReader::ReadNode(std::uint32_t pos) {
    Node node;
    if (t_[pos] == u'<') {
        node = ReadMarkup(pos);
        if (node.type != NodeType::Text) {
            return node;
        }
    } else {
        node.type = NodeType::Text;
        node.begin = pos;
        node.end = NextMarkup(pos);
    }
    bool blank = true;
    for (std::uint32_t i = node.begin; i < node.end && blank; ++i) {
        blank = IsXmlSpace(t_[i]);
    }
    if (blank) {
        node.type = NodeType::WhiteSpace;
    }
    return node;
}

}  // namespace k2q::xml
