#include "common/localization/XmlDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace k2q {
namespace {

std::string Show(std::u16string_view text) {
    return ::testing::PrintToString(std::u16string(text));
}

CXmlDocument Parsed(std::u16string text) {
    CXmlDocument document;
    document.SetText(std::move(text));
    document.Parse();
    return document;
}

// The first element of that name in document order, or 0.
std::uint32_t Named(const CXmlDocument& document, std::u16string_view name) {
    for (std::uint32_t i = 1; i < document.ElementCount(); ++i) {
        if (document.ElementName(i) == name) {
            return i;
        }
    }
    return 0;
}

std::vector<std::u16string_view> ChildNames(const CXmlDocument& document, std::uint32_t parent) {
    std::vector<std::u16string_view> names;
    for (std::uint32_t c = document.Element(parent).firstChild; c != 0;
         c = document.Element(c).nextSibling) {
        names.push_back(document.ElementName(c));
    }
    return names;
}

TEST(XmlDocument, ElementTextDecodesReferencesAndJoinsTextAndCData) {
    const struct {
        std::u16string_view content;
        std::u16string_view text;
    } cases[] = {
        {u"OK", u"OK"},
        {u"  padded\t ", u"  padded\t "},  // without markup, white space belongs to the text
        {u"Save &amp; exit", u"Save & exit"},
        {u"a<!-- note -->b", u"ab"},
        {u"<![CDATA[<b>bold</b>]]>", u"<b>bold</b>"},
        {u"<![CDATA[one]]>\r\n<![CDATA[two]]>", u"onetwo"},
        {u"<![CDATA[&amp;]]>", u"&amp;"},
        {u" <!-- c --> x ", u" x "},
        {u"a<?pi data?>b", u"ab"},
        {u"&lt;<!---->&gt;", u"<>"},
        {u"1</stray>2", u"12"},
        {u"a < b", u"a < b"},  // a "<" that starts no markup is a character
        {u"x<b/>y", u""},      // an element with a child has no text
        {u"x<b>y</b>", u""},
        {u"", u""},
    };
    for (const auto& c : cases) {
        const CXmlDocument document = Parsed(u"<r><k>" + std::u16string(c.content) + u"</k></r>");
        EXPECT_EQ(document.ElementText(Named(document, u"k")), c.text) << Show(c.content);
    }
    EXPECT_EQ(Parsed(u"<r><k/></r>").ElementText(2), u"");
}

TEST(XmlDocument, ParseReportsTheFirstProblemAndStillRecordsElements) {
    const struct {
        std::u16string_view text;
        bool wellFormed;
        std::u16string_view result;
        std::size_t elements;
    } cases[] = {
        {u"<?xml version='1.0'?><!DOCTYPE r [<!ENTITY e 'x>'>]><r a='>' b=\"/\"><k/></r>", true,
         u"Well-formed, 2 elements", 2},
        {u"", false, u"Empty document", 0},
        {u"  <!-- only a comment -->  ", false, u"No root element", 0},
        {u"<a/><b/>", false, u"Root element has sibling", 2},
        {u"<r><!-- open", false, u"Comment unterminated", 1},
        {u"<r><![CDATA[open</r>", false, u"CDATA section unterminated", 1},
        {u"<r><?pi</r>", false, u"Processing instruction unterminated", 1},
        {u"<!DOCTYPE r [ <r/>", false, u"Document type declaration unterminated", 1},
        {u"<r><k attr='x</r>", false, u"Element tag unterminated", 1},
        {u"<r><k</r>", false, u"Element tag unterminated", 1},
        {u"<r>< k></r>", false, u"Element tag name incorrect", 1},
        {u"<r></ k></r>", false, u"End tag name incorrect", 1},
        {u"<r></k</r>", false, u"End tag unterminated", 1},
        {u"<r><!ELEMENT x></r>", false, u"Markup declaration incorrect", 1},
        {u"<r></k></r>", false, u"End tag matches no open element", 1},
        {u"<r><k></r>", false, u"Element not ended", 2},
        {u"<r><k>", false, u"Element not ended", 2},
    };
    for (const auto& c : cases) {
        CXmlDocument document;
        document.SetText(std::u16string(c.text));
        EXPECT_EQ(document.Parse(), c.wellFormed) << Show(c.result);
        EXPECT_EQ(document.ResultText(), c.result);
        EXPECT_EQ((document.Flags() & kXmlIllFormed) != 0, !c.wellFormed) << Show(c.result);
        EXPECT_EQ(document.ElementCount(), c.elements + 1) << Show(c.result);
    }
}

TEST(XmlDocument, AnEndTagClosesTheElementsLeftOpenInsideAndTheirChildrenMoveUp) {
    // The end tag of config closes a as not ended; a keeps only its start tag, the "1" and
    // b become config's, and b follows a as its sibling.
    const CXmlDocument document = Parsed(u"<root><config><a>1<b>2</b><c/></config><d>4</d></root>");
    EXPECT_EQ(document.Flags() & kXmlIllFormed, kXmlIllFormed);
    const std::uint32_t config = Named(document, u"config");
    const std::uint32_t a = Named(document, u"a");
    EXPECT_EQ(ChildNames(document, config), (std::vector<std::u16string_view>{u"a", u"b", u"c"}));
    EXPECT_EQ(ChildNames(document, Named(document, u"root")),
              (std::vector<std::u16string_view>{u"config", u"d"}));
    const XmlElement element = document.Element(a);
    EXPECT_TRUE(element.flags & kXmlNotEnded);
    EXPECT_EQ(element.length, 3u);
    EXPECT_EQ(element.firstChild, 0u);
    EXPECT_EQ(document.ElementText(a), u"");
    EXPECT_EQ(document.ElementText(Named(document, u"b")), u"2");
    EXPECT_EQ(document.Element(Named(document, u"b")).parent, config);
    EXPECT_EQ(document.Element(Named(document, u"b")).previousSibling, a);
    EXPECT_EQ(document.ElementText(Named(document, u"d")), u"4");

    // The end tag closes the innermost element of its name, not an outer one.
    const CXmlDocument nested = Parsed(u"<l><config><config><x>1</config><y/></config></l>");
    const std::uint32_t outer = Named(nested, u"config");
    EXPECT_EQ(ChildNames(nested, outer), (std::vector<std::u16string_view>{u"config", u"y"}));
    EXPECT_EQ(ChildNames(nested, nested.Element(outer).firstChild),
              (std::vector<std::u16string_view>{u"x"}));
    EXPECT_FALSE(nested.Element(outer).flags & kXmlNotEnded);

    // Several levels left open: all of them become siblings in document order.
    const CXmlDocument deep = Parsed(u"<r><p><q><s/></r>");
    EXPECT_EQ(ChildNames(deep, Named(deep, u"r")),
              (std::vector<std::u16string_view>{u"p", u"q", u"s"}));
}

TEST(XmlDocument, ElementsOpenAtTheEndKeepTheirChildrenAndText) {
    const CXmlDocument document = Parsed(u"<root><config><tc_ok>OK<tc_x>cut");
    const std::uint32_t config = Named(document, u"config");
    EXPECT_EQ(ChildNames(document, config), (std::vector<std::u16string_view>{u"tc_ok"}));
    EXPECT_EQ(ChildNames(document, Named(document, u"tc_ok")),
              (std::vector<std::u16string_view>{u"tc_x"}));
    EXPECT_EQ(document.ElementText(Named(document, u"tc_x")), u"cut");
    EXPECT_TRUE(document.Element(config).flags & kXmlNotEnded);
}

TEST(XmlDocument, PositionOperationsWalkChildrenByExactName) {
    CXmlDocument document =
        Parsed(u"<root><Config/><config><k>1</k><k attr='2'>2</k><k/></config><config/></root>");
    EXPECT_FALSE(document.FindElement(u"config"));  // the root's siblings are searched
    EXPECT_TRUE(document.FindElement(u"root"));
    EXPECT_EQ(document.CurrentElement(), 1u);
    EXPECT_TRUE(document.FindChildElement(u"config"));  // case-sensitive: Config is skipped
    EXPECT_EQ(document.ElementName(document.ChildElement()), u"config");
    document.EnterChild();
    EXPECT_EQ(document.ParentElement(), 1u);
    EXPECT_EQ(document.ChildElement(), 0u);
    std::vector<std::u16string> texts;
    while (document.FindChildElement(u"k")) {
        texts.push_back(document.GetChildText());
    }
    EXPECT_EQ(texts, (std::vector<std::u16string>{u"1", u"2", u""}));
    EXPECT_FALSE(document.FindChildElement(u"kk"));
    EXPECT_FALSE(document.FindChildElement(u"k a"));  // a name never holds a separator

    document.ResetPosition();
    EXPECT_EQ(document.GetChildText(), u"");
    EXPECT_TRUE(document.FindChildElement(u""));  // selects the root, then its first child
    EXPECT_EQ(document.ElementName(document.ChildElement()), u"Config");
    EXPECT_EQ(document.NodeType(), xml::NodeType::EmptyTag);
}

TEST(XmlDocument, AFreshDocumentAndAReplacedTextHaveNoElements) {
    CXmlDocument document;
    EXPECT_EQ(document.ElementCount(), 1u);
    EXPECT_FALSE(document.FindChildElement(u"config"));
    document.SetText(u"<r><k>1</k></r>");
    document.Parse();
    ASSERT_TRUE(document.FindChildElement(u"k"));
    document.SetText(u"<r");  // the old records must not reach into the new text
    EXPECT_EQ(document.ElementCount(), 1u);
    EXPECT_EQ(document.GetChildText(), u"");
    EXPECT_FALSE(document.FindChildElement(u"k"));
}

TEST(XmlDocument, TagsLongerThanTheirPackedLengthsStillDelimitTheText) {
    const std::u16string longName(1100, u'n');
    const std::u16string longAttribute = u" a='" + std::u16string((1u << 22) + 10, u'v') + u"'";
    const CXmlDocument document = Parsed(u"<r><k" + longAttribute + u">text</k><" + longName +
                                         u">more</" + longName + u"></r>");
    const std::uint32_t k = Named(document, u"k");
    EXPECT_TRUE(document.Element(k).flags & kXmlLongStartTag);
    EXPECT_EQ(document.ElementText(k), u"text");
    const std::uint32_t named = Named(document, longName);
    EXPECT_TRUE(document.Element(named).flags & kXmlLongEndTag);
    EXPECT_EQ(document.ElementText(named), u"more");
}

TEST(XmlDocument, ElementNumbersRunAcrossPages) {
    std::u16string text = u"<r>";
    for (int i = 0; i < 70000; ++i) {
        text += u"<k>" + std::u16string(1, char16_t(u'a' + i % 26)) + u"</k>";
    }
    text += u"<last>end</last></r>";
    const CXmlDocument document = Parsed(std::move(text));
    ASSERT_EQ(document.ElementCount(), 70003u);
    // Element 1 is r and k number i is element i + 2.
    EXPECT_EQ(document.ElementText(65536 + 2), std::u16string(1, char16_t(u'a' + 65536 % 26)));
    EXPECT_EQ(document.ElementName(70002), u"last");
    EXPECT_EQ(document.ElementText(70002), u"end");
    EXPECT_EQ(document.Element(70002).previousSibling, 70001u);
    EXPECT_EQ(document.Element(70002).level, 2u);
}

TEST(XmlDocument, DeepAndDamagedNestingParsesWithoutRecursion) {
    // 200000 levels, then end tags that match nothing and one that matches far up: the
    // repair is linear, and every level becomes a child of the outermost element.
    std::u16string text = u"<r>";
    for (int i = 0; i < 200000; ++i) {
        text += u"<a>";
    }
    for (int i = 0; i < 200000; ++i) {
        text += u"</b>";
    }
    text += u"</r>";
    const CXmlDocument document = Parsed(std::move(text));
    ASSERT_EQ(document.ElementCount(), 200002u);
    EXPECT_EQ(document.Element(200001).parent, 1u);
    EXPECT_EQ(document.Element(200001).level, 200001u);
    EXPECT_EQ(document.Element(1).length, document.Text().size());
}

TEST(XmlDocument, TheSameTextGivesTheSameRecords) {
    const std::u16string text = u"<r><config><a>1</config><b x='1'/>&amp;<c>2</c></r><s/>";
    const CXmlDocument first = Parsed(text);
    const CXmlDocument second = Parsed(text);
    ASSERT_EQ(first.ElementCount(), second.ElementCount());
    for (std::uint32_t i = 0; i < first.ElementCount(); ++i) {
        const XmlElement a = first.Element(i);
        const XmlElement b = second.Element(i);
        EXPECT_EQ(std::tie(a.start, a.length, a.startTagLength, a.endTagLength, a.flags, a.level,
                           a.parent, a.firstChild, a.nextSibling, a.previousSibling),
                  std::tie(b.start, b.length, b.startTagLength, b.endTagLength, b.flags, b.level,
                           b.parent, b.firstChild, b.nextSibling, b.previousSibling));
    }
}

}  // namespace
}  // namespace k2q
