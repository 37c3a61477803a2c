#include "common/localization/XmlDocument.h"

#include <algorithm>
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

struct CXmlDocument::OpenElement {
    std::uint32_t element;
    std::uint32_t lastChild;
    std::uint32_t tagEnd;  // end of the start tag: a not-ended element shrinks back to it
    std::u16string_view name;
};

// Which open elements bear a name. Well-formed documents never need it: it is built the first
// time an end tag does not close the innermost open element, and kept up from then on, so
// that damaged documents of any depth still parse in linear time.
class CXmlDocument::NameIndex {
  public:
    bool Active() const { return active_; }

    void Build(const std::vector<OpenElement>& open) {
        active_ = true;
        for (std::uint32_t i = 1; i < open.size(); ++i) {
            Push(i, open[i].name);
        }
    }

    void Push(std::uint32_t depth, std::u16string_view name) {
        if (below_.size() <= depth) {
            below_.resize(depth + 1);
        }
        auto [it, inserted] = innermost_.try_emplace(name, depth);
        below_[depth] = inserted ? 0 : it->second;
        it->second = depth;
    }

    void Pop(std::uint32_t depth, std::u16string_view name) {
        const auto it = innermost_.find(name);
        if (below_[depth] == 0) {
            innermost_.erase(it);
        } else {
            it->second = below_[depth];
        }
    }

    // Depth of the innermost open element of that name, 0 for none.
    std::uint32_t Find(std::u16string_view name) const {
        const auto it = innermost_.find(name);
        return it == innermost_.end() ? 0 : it->second;
    }

  private:
    bool active_ = false;
    std::unordered_map<std::u16string_view, std::uint32_t> innermost_;
    std::vector<std::uint32_t> below_;  // per depth: the next open element of the same name
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

std::uint32_t CXmlDocument::NewRecord() {
    const std::uint32_t number = count_;
    if (number / kPageSize == pages_.size()) {
        pages_.emplace_back().reserve(kFirstPageCapacity);
    }
    std::vector<Record>& page = pages_.back();
    if (page.size() == page.capacity()) {
        const std::size_t grown = page.capacity() + page.capacity() / 2;
        page.reserve(std::min<std::size_t>(grown, kPageSize));
    }
    page.push_back(Record{});
    ++count_;
    return number;
}

void CXmlDocument::ClearRecords() {
    pages_.clear();
    count_ = 0;
    Record& document = At(NewRecord());
    document.length = static_cast<std::uint32_t>(text_.size());
}

void CXmlDocument::SetText(std::u16string text) {
    if (text.size() > kXmlMaxFileBytes) {
        text.resize(kXmlMaxFileBytes);
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
    ClearRecords();
    ResetPosition();
    const auto n = static_cast<std::uint32_t>(text_.size());
    if (n == 0) {
        flags_ |= kXmlIllFormed;
        result_ = u"Empty document";
        return false;
    }
    const char16_t* t = text_.data();
    NodeReader reader(t, n);
    std::vector<OpenElement> open;
    open.push_back({0, 0, 0, {}});
    NameIndex index;

    std::uint32_t pos = 0;
    while (pos < n) {
        if (t[pos] != u'<') {
            pos = reader.NextMarkup(pos);
            continue;
        }
        const Node node = reader.ReadMarkup(pos);
        if (node.problem != Problem::None) {
            NoteProblem(node.problem);
        }
        if (node.type == NodeType::StartTag || node.type == NodeType::EmptyTag) {
            const std::uint32_t number = NewRecord();
            Record& record = At(number);
            OpenElement& parent = open.back();
            const std::uint32_t tagLength = node.end - node.begin;
            record.start = node.begin;
            record.tagLengths = std::min(tagLength, kMaxStartTag);
            record.flagsLevel = std::min<std::uint32_t>(open.size(), kMaxLevel) << 8;
            if (tagLength > kMaxStartTag) {
                record.flagsLevel |= kXmlLongStartTag;
            }
            record.parent = parent.element;
            record.previousSibling = parent.lastChild;
            if (parent.lastChild != 0) {
                At(parent.lastChild).nextSibling = number;
            } else {
                At(parent.element).firstChild = number;
            }
            parent.lastChild = number;
            if (node.type == NodeType::EmptyTag) {
                record.length = tagLength;
                record.flagsLevel |= kXmlEmptyElement;
            } else {
                const std::u16string_view name(t + node.begin + 1, node.nameEnd - node.begin - 1);
                open.push_back({number, 0, node.end, name});
                if (index.Active()) {
                    index.Push(static_cast<std::uint32_t>(open.size() - 1), name);
                }
            }
        } else if (node.type == NodeType::EndTag) {
            CloseElement(node, open, index);
        }
        pos = node.end;
    }

    // Elements still open at the end keep their children and run to the end of the text, so
    // that a file cut short still offers every element it holds.
    if (open.size() > 1) {
        NoteProblem(Problem::ElementNotEnded);
        for (std::size_t i = 1; i < open.size(); ++i) {
            Record& record = At(open[i].element);
            record.length = n - record.start;
            record.flagsLevel |= kXmlNotEnded;
        }
    }
    const Record& document = At(0);
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

// Closes the innermost open element of the end tag's name. Open elements inside it are
// closed as not ended: each shrinks to its start tag, and its children follow it as siblings.
void CXmlDocument::CloseElement(const Node& endTag, std::vector<OpenElement>& open,
                                NameIndex& index) {
    const std::u16string_view name(text_.data() + endTag.begin + 2,
                                   endTag.nameEnd - endTag.begin - 2);
    auto depth = static_cast<std::uint32_t>(open.size() - 1);
    if (depth == 0 || open[depth].name != name) {
        if (!index.Active()) {
            index.Build(open);
        }
        const std::uint32_t match = index.Find(name);
        if (match == 0) {
            NoteProblem(Problem::EndTagUnmatched);
            return;
        }
        NoteProblem(Problem::ElementNotEnded);
        OpenElement& target = open[match];
        for (std::uint32_t i = match + 1; i <= depth; ++i) {
            const std::uint32_t number = open[i].element;
            Record& record = At(number);
            record.length = open[i].tagEnd - record.start;
            record.flagsLevel |= kXmlNotEnded;
            const std::uint32_t first = record.firstChild;
            if (first == 0) {
                continue;
            }
            const std::uint32_t last = open[i].lastChild;
            for (std::uint32_t c = first; c != 0; c = At(c).nextSibling) {
                At(c).parent = target.element;
            }
            const std::uint32_t after = record.nextSibling;
            record.nextSibling = first;
            record.firstChild = 0;
            At(first).previousSibling = number;
            At(last).nextSibling = after;
            if (after != 0) {
                At(after).previousSibling = last;
            } else {
                target.lastChild = last;
            }
        }
        while (depth > match) {
            index.Pop(depth, open[depth].name);
            open.pop_back();
            --depth;
        }
    }
    Record& record = At(open[depth].element);
    record.length = endTag.end - record.start;
    const std::uint32_t endLength = endTag.end - endTag.begin;
    record.tagLengths |= std::min(endLength, kMaxEndTag) << 22;
    if (endLength > kMaxEndTag) {
        record.flagsLevel |= kXmlLongEndTag;
    }
    if (index.Active()) {
        index.Pop(depth, open[depth].name);
    }
    open.pop_back();
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
    if (FlagsOf(record.flagsLevel) & kXmlLongStartTag) {
        // Scanning the same text again finds the same end of the tag.
        NodeReader reader(text_.data(), static_cast<std::uint32_t>(text_.size()));
        return reader.ReadMarkup(record.start).end;
    }
    return record.start + StartTagLength(record.tagLengths);
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
