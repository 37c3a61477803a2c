#include "common/localization/XmlDocument.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

#include "common/localization/XmlReferences.h"

namespace k2q {

using xml::Node;
using xml::NodeReader;
using xml::NodeType;
using xml::Problem;

namespace {

constexpr std::uint32_t kPageSize = 65536;
constexpr std::size_t kFirstPageTableSize = 4;
constexpr std::uint32_t kFirstPageCapacity = 256;
constexpr std::uint32_t kMaxStartTag = (1u << 22) - 1;
constexpr std::uint32_t kMaxEndTag = (1u << 10) - 1;
constexpr std::uint32_t kMaxLevel = (1u << 24) - 1;

std::uint32_t StartTagLength(std::uint32_t tagLengths) {
    return tagLengths & kMaxStartTag;
}
std::uint32_t EndTagLength(std::uint32_t tagLengths) {
    return tagLengths >> 22;
}
std::uint8_t FlagsOf(std::uint32_t flagsLevel) {
    return flagsLevel & 0xFF;
}

}  // namespace

// Which open elements bear a name, by depth. Well-formed documents never need it: it is built
// the first time an end tag does not close the innermost open element, and kept up from then
// on, so that damaged documents of any depth still parse in linear time.
class CXmlDocument::NameIndex {
public:
    explicit NameIndex(const char16_t* text) : text_(text) {}

    bool Active() const { return active_; }

    void Activate() { active_ = true; }

    void Push(std::uint32_t depth, std::uint32_t element, std::uint32_t nameBegin,
              std::uint32_t nameLength) {
        if (entries_.size() <= depth) {
            entries_.resize(depth + 1);
        }
        const std::u16string_view name(text_ + nameBegin, nameLength);
        auto [it, inserted] = innermost_.try_emplace(name, depth);
        entries_[depth] = {element, nameBegin, nameLength, inserted ? 0 : it->second};
        it->second = depth;
    }

    void Pop(std::uint32_t depth) {
        const Entry& entry = entries_[depth];
        const auto it =
            innermost_.find(std::u16string_view(text_ + entry.nameBegin, entry.nameLength));
        if (entry.below == 0) {
            innermost_.erase(it);
        } else {
            it->second = entry.below;
        }
    }

    // Depth of the innermost open element of that name, 0 for none.
    std::uint32_t Find(std::u16string_view name) const {
        const auto it = innermost_.find(name);
        return it == innermost_.end() ? 0 : it->second;
    }

    std::uint32_t ElementAt(std::uint32_t depth) const { return entries_[depth].element; }

private:
    struct Entry {
        std::uint32_t element;
        std::uint32_t nameBegin;
        std::uint32_t nameLength;
        std::uint32_t below;  // depth of the next open element of the same name, 0 for none
    };
    const char16_t* text_;
    bool active_ = false;
    std::vector<Entry> entries_;
    std::unordered_map<std::u16string_view, std::uint32_t> innermost_;
};

// The parser keeps no stack of open elements: the open ones are the innermost one and its
// ancestors. While an element is open, two fields of its record hold parse state instead of
// their final values: length holds its last child, and nextSibling the length of its name (an
// open element is the last child of its parent, so it has no next sibling yet).
struct CXmlDocument::ParseState {
    std::uint32_t current = 0;  // innermost open element, 0 for the document
    std::uint32_t depth = 0;    // open elements
    NameIndex index;
};

CXmlDocument::CXmlDocument() {
    Parse();
}

CXmlDocument::Record& CXmlDocument::At(std::uint32_t number) {
    return pages_[number / kPageSize][number % kPageSize];
}

const CXmlDocument::Record& CXmlDocument::At(std::uint32_t number) const {
    return pages_[number / kPageSize][number % kPageSize];
}

inline std::uint32_t CXmlDocument::NewRecord() {
    const std::uint32_t number = count_;
    const std::uint32_t page = number / kPageSize;
    if (page == pages_.size()) {
        if (pages_.size() == pages_.capacity()) {
            pages_.reserve(std::max(kFirstPageTableSize, pages_.size() + pages_.size() / 2));
        }
        // Records are left uninitialised until they are made. A language file needs a few
        // hundred, so the first page starts small and grows by half up to its full size.
        const std::uint32_t capacity = page == 0 ? kFirstPageCapacity : kPageSize;
        pages_.emplace_back(new Record[capacity]);
        if (page == 0) {
            firstPageCapacity_ = capacity;
        }
    } else if (page == 0 && number == firstPageCapacity_) {
        const std::uint32_t capacity =
            std::min(kPageSize, firstPageCapacity_ + firstPageCapacity_ / 2);
        std::unique_ptr<Record[]> grown(new Record[capacity]);
        std::memcpy(grown.get(), pages_[0].get(), number * sizeof(Record));
        pages_[0] = std::move(grown);
        firstPageCapacity_ = capacity;
    }
    At(number) = Record{};
    ++count_;
    return number;
}

void CXmlDocument::ClearRecords(std::uint32_t expected) {
    pages_.resize(std::min<std::size_t>(pages_.size(), 1));  // the first page is kept for reuse
    count_ = 0;
    // A first page sized for the text spares a large document most of the growing.
    const std::uint32_t capacity = std::clamp(expected, kFirstPageCapacity, kPageSize);
    if (pages_.empty() || firstPageCapacity_ < capacity) {
        pages_.clear();
        pages_.emplace_back(new Record[capacity]);
        firstPageCapacity_ = capacity;
    }
    Record& document = At(NewRecord());
    document.length = static_cast<std::uint32_t>(text_.size());
}

void CXmlDocument::SetText(std::u16string text) {
    if (text.size() > kXmlMaxTextUnits) {
        text.resize(kXmlMaxTextUnits);
    }
    text_ = std::move(text);
    // Records of the previous text must not point into this one: until the next Parse the
    // document has no elements.
    ClearRecords();
    ResetPosition();
}

void CXmlDocument::NoteProblem(Problem problem) {
    flags_ |= kXmlIllFormed;
    if (problem_ == Problem::None) {
        problem_ = problem;
    }
}

bool CXmlDocument::Parse() {
    flags_ &= ~kXmlIllFormed;
    problem_ = Problem::None;
    ClearRecords(static_cast<std::uint32_t>(text_.size() / 16));
    ResetPosition();
    const auto n = static_cast<std::uint32_t>(text_.size());
    if (n == 0) {
        flags_ |= kXmlIllFormed;
        result_ = u"Empty document";
        return false;
    }
    const char16_t* t = text_.data();
    NodeReader reader(t, n);
    ParseState state{0, 0, NameIndex(t)};
    At(0).length = 0;  // the document is open: no last child yet

    std::uint32_t pos = 0;
    while (pos < n) {
        if (t[pos] != u'<') {
            pos = reader.NextMarkup(pos);
            continue;
        }
        // The common end tag: the innermost open element's name followed by ">".
        if (pos + 1 < n && t[pos + 1] == u'/' && state.current != 0) {
            const Record& top = At(state.current);
            const std::uint32_t nameLength = top.nextSibling;
            const std::uint32_t close = pos + 2 + nameLength;
            if (close < n && t[close] == u'>' &&
                std::char_traits<char16_t>::compare(t + pos + 2, t + top.start + 1, nameLength) ==
                    0) {
                CloseInnermost(pos, close + 1, state);
                pos = close + 1;
                continue;
            }
        }
        const Node node = reader.ReadMarkup(pos);
        if (node.problem != Problem::None) {
            NoteProblem(node.problem);
        }
        if (node.type == NodeType::StartTag || node.type == NodeType::EmptyTag) {
            const std::uint32_t number = NewRecord();
            Record& record = At(number);
            Record& parent = At(state.current);
            const std::uint32_t tagLength = node.end - node.begin;
            record.start = node.begin;
            record.tagLengths = std::min(tagLength, kMaxStartTag);
            record.flagsLevel = std::min(state.depth + 1, kMaxLevel) << 8;
            if (tagLength > kMaxStartTag) {
                record.flagsLevel |= kXmlLongStartTag;
            }
            record.parent = state.current;
            record.previousSibling = parent.length;
            if (parent.length != 0) {
                At(parent.length).nextSibling = number;
            } else {
                parent.firstChild = number;
            }
            parent.length = number;
            if (node.type == NodeType::EmptyTag) {
                record.length = tagLength;
                record.flagsLevel |= kXmlEmptyElement;
            } else {
                const std::uint32_t nameLength = node.nameEnd - node.begin - 1;
                record.nextSibling = nameLength;
                state.current = number;
                ++state.depth;
                if (state.index.Active()) {
                    state.index.Push(state.depth, number, node.begin + 1, nameLength);
                }
            }
        } else if (node.type == NodeType::EndTag) {
            CloseElement(node, state);
        }
        pos = node.end;
    }

    // Elements still open at the end keep their children and run to the end of the text, so
    // that a file cut short still offers every element it holds.
    if (state.current != 0) {
        NoteProblem(Problem::ElementNotEnded);
    }
    while (state.current != 0) {
        Record& record = At(state.current);
        record.length = n - record.start;
        record.nextSibling = 0;
        record.flagsLevel |= kXmlNotEnded;
        state.current = record.parent;
    }
    Record& document = At(0);
    document.length = n;
    if (document.firstChild == 0) {
        NoteProblem(Problem::NoRootElement);
    } else if (At(document.firstChild).nextSibling != 0) {
        NoteProblem(Problem::RootElementHasSibling);
    }
    if (problem_ != Problem::None) {
        result_ = xml::ProblemText(problem_);
    } else {
        const std::string digits = std::to_string(count_ - 1);
        result_ = u"Well-formed, ";
        result_.append(digits.begin(), digits.end());
        result_ += u" elements";
    }
    return problem_ == Problem::None;
}

std::uint32_t CXmlDocument::StartTagEnd(const Record& record) const {
    if (FlagsOf(record.flagsLevel) & kXmlLongStartTag) {
        // Scanning the same text again finds the same end of the tag.
        NodeReader reader(text_.data(), static_cast<std::uint32_t>(text_.size()));
        return reader.ReadMarkup(record.start).end;
    }
    return record.start + StartTagLength(record.tagLengths);
}

// Closes the innermost open element with its end tag [endTagBegin, endTagEnd).
inline void CXmlDocument::CloseInnermost(std::uint32_t endTagBegin, std::uint32_t endTagEnd,
                                         ParseState& state) {
    Record& record = At(state.current);
    if (state.index.Active()) {
        state.index.Pop(state.depth);
    }
    record.length = endTagEnd - record.start;
    record.nextSibling = 0;
    const std::uint32_t endLength = endTagEnd - endTagBegin;
    record.tagLengths |= std::min(endLength, kMaxEndTag) << 22;
    if (endLength > kMaxEndTag) {
        record.flagsLevel |= kXmlLongEndTag;
    }
    state.current = record.parent;
    --state.depth;
}

// Closes the innermost open element of the end tag's name. Open elements inside it are
// closed as not ended: each shrinks to its start tag, and its children follow it as siblings.
void CXmlDocument::CloseElement(const Node& endTag, ParseState& state) {
    const char16_t* t = text_.data();
    const std::u16string_view name(t + endTag.begin + 2, endTag.nameEnd - endTag.begin - 2);
    if (state.current != 0) {
        const Record& top = At(state.current);
        if (std::u16string_view(t + top.start + 1, top.nextSibling) == name) {
            CloseInnermost(endTag.begin, endTag.end, state);
            return;
        }
    }
    NameIndex& index = state.index;
    if (!index.Active()) {
        // Outermost first, so that each name ends up pointing at its innermost element.
        index.Activate();
        std::vector<std::uint32_t> chain;
        for (std::uint32_t e = state.current; e != 0; e = At(e).parent) {
            chain.push_back(e);
        }
        std::uint32_t depth = 0;
        for (auto e = chain.rbegin(); e != chain.rend(); ++e) {
            index.Push(++depth, *e, At(*e).start + 1, At(*e).nextSibling);
        }
    }
    const std::uint32_t match = index.Find(name);
    if (match == 0) {
        NoteProblem(Problem::EndTagUnmatched);
        return;
    }
    NoteProblem(Problem::ElementNotEnded);
    const std::uint32_t target = index.ElementAt(match);
    std::uint32_t tail = index.ElementAt(match + 1);  // the last of the target's children
    for (std::uint32_t depth = match + 1; depth <= state.depth; ++depth) {
        const std::uint32_t number = index.ElementAt(depth);
        Record& record = At(number);
        const std::uint32_t last = record.length;
        record.length = StartTagEnd(record) - record.start;
        record.nextSibling = 0;
        record.flagsLevel |= kXmlNotEnded;
        const std::uint32_t first = record.firstChild;
        if (first != 0) {
            for (std::uint32_t c = first;; c = At(c).nextSibling) {
                At(c).parent = target;
                if (c == last) {
                    break;
                }
            }
            record.nextSibling = first;
            record.firstChild = 0;
            At(first).previousSibling = number;
            tail = last;
        }
    }
    for (std::uint32_t depth = state.depth; depth > match; --depth) {
        index.Pop(depth);  // innermost first, as each name's chain runs
    }
    At(target).length = tail;
    state.current = target;
    state.depth = match;
    CloseInnermost(endTag.begin, endTag.end, state);
}

void CXmlDocument::ResetPosition() {
    parent_ = current_ = child_ = 0;
    nodeType_ = NodeType::None;
    nodeOffset_ = nodeLength_ = 0;
}

std::u16string_view CXmlDocument::ElementName(std::uint32_t number) const {
    if (number == 0) {
        return {};
    }
    const Record& record = At(number);
    const auto n = static_cast<std::uint32_t>(text_.size());
    const NodeReader reader(text_.data(), n);
    const std::uint32_t begin = record.start + 1;
    return {text_.data() + begin, reader.NameEnd(begin) - begin};
}

bool CXmlDocument::NameIs(std::uint32_t number, std::u16string_view name) const {
    return name.empty() || ElementName(number) == name;
}

std::uint32_t CXmlDocument::FindAmongChildren(std::uint32_t parent, std::uint32_t after,
                                              std::u16string_view name) const {
    std::uint32_t c = after != 0 ? At(after).nextSibling : At(parent).firstChild;
    while (c != 0 && !NameIs(c, name)) {
        c = At(c).nextSibling;
    }
    return c;
}

void CXmlDocument::SelectNode(std::uint32_t number) {
    const Record& record = At(number);
    nodeType_ =
        FlagsOf(record.flagsLevel) & kXmlEmptyElement ? NodeType::EmptyTag : NodeType::StartTag;
    nodeOffset_ = record.start;
    nodeLength_ = ContentBegin(record) - record.start;
}

bool CXmlDocument::FindElement(std::u16string_view name) {
    const std::uint32_t found = FindAmongChildren(parent_, current_, name);
    if (found == 0) {
        return false;
    }
    current_ = found;
    parent_ = At(found).parent;
    child_ = 0;
    SelectNode(found);
    return true;
}

bool CXmlDocument::FindChildElement(std::u16string_view name) {
    if (current_ == 0 && !FindElement({})) {
        return false;
    }
    const std::uint32_t found = FindAmongChildren(current_, child_, name);
    if (found == 0) {
        return false;
    }
    child_ = found;
    current_ = At(found).parent;
    parent_ = At(current_).parent;
    SelectNode(found);
    return true;
}

void CXmlDocument::EnterChild() {
    if (current_ == 0) {
        return;
    }
    parent_ = current_;
    current_ = child_;
    child_ = 0;
}

std::uint32_t CXmlDocument::ContentBegin(const Record& record) const {
    return StartTagEnd(record);
}

std::uint32_t CXmlDocument::ContentEnd(const Record& record) const {
    const std::uint32_t end = record.start + record.length;
    if (FlagsOf(record.flagsLevel) & kXmlLongEndTag) {
        // An end tag holds no "<" but its first character.
        std::uint32_t p = end;
        while (p > record.start && text_[p - 1] != u'<') {
            --p;
        }
        return p - 1;
    }
    return end - EndTagLength(record.tagLengths);
}

XmlElement CXmlDocument::Element(std::uint32_t number) const {
    const Record& r = At(number);
    XmlElement e;
    e.start = r.start;
    e.length = r.length;
    e.startTagLength = StartTagLength(r.tagLengths);
    e.endTagLength = EndTagLength(r.tagLengths);
    e.flags = FlagsOf(r.flagsLevel);
    e.level = r.flagsLevel >> 8;
    e.parent = r.parent;
    e.firstChild = r.firstChild;
    e.nextSibling = r.nextSibling;
    e.previousSibling = r.previousSibling;
    return e;
}

std::u16string CXmlDocument::ElementText(std::uint32_t number) const {
    const Record& record = At(number);
    std::u16string out;
    if (record.firstChild != 0) {
        return out;
    }
    const std::uint32_t begin = ContentBegin(record);
    const std::uint32_t end = ContentEnd(record);
    if (end <= begin) {
        return out;
    }
    const char16_t* t = text_.data();
    if (std::u16string_view(t + begin, end - begin).find(u'<') == std::u16string_view::npos) {
        AppendDecodedText(t + begin, t + end, out);
        return out;
    }
    NodeReader reader(t, end);
    for (std::uint32_t pos = begin; pos < end;) {
        const Node node = reader.ReadNode(pos);
        if (node.type == NodeType::Text) {
            AppendDecodedText(t + node.begin, t + node.end, out);
        } else if (node.type == NodeType::CData) {
            out.append(t + node.begin + 9, t + node.end - 3);
        }
        pos = node.end;
    }
    return out;
}

std::u16string CXmlDocument::GetChildText() const {
    return child_ != 0 ? ElementText(child_) : std::u16string();
}

}  // namespace k2q
