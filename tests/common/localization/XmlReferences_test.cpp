#include "common/localization/XmlReferences.h"

#include <gtest/gtest.h>

namespace k2q {
namespace {

std::u16string Decoded(std::u16string_view text) {
    std::u16string out;
    AppendDecodedText(text.data(), text.data() + text.size(), out);
    return out;
}

TEST(XmlReferences, DecodeWhatTheyCanAndLeaveTheRestAsWritten) {
    const struct {
        std::u16string_view in;
        std::u16string_view out;
    } cases[] = {
        {u"&#65;", u"A"},
        {u"&#x41;", u"A"},
        {u"&#X41;", u"A"},
        {u"&AMP;", u"&"},
        {u"&lt;&gt;&quot;&apos;&nbsp;", u"<>\"'\u00A0"},
        {u"a&amp;b", u"a&b"},
        {u"&Aacute;&aacute;&AACUTE;&Dagger;&dagger;", u"\u00C1\u00E1\u00E1\u2021\u2020"},
        {u"&thetasym;", u"\u03D1"},      // the longest name
        {u"&#1114111;", u"\U0010FFFF"},  // nine characters with the ";"
        {u"&#x1F600;", u"\U0001F600"},
        {u"&#01114111;", u"&#01114111;"},  // no ";" within nine characters
        {u"& and then text;", u"& and then text;"},
        {u"&unknown;", u"&unknown;"},
        {u"&#0;&#x0;", u"&#0;&#x0;"},
        {u"&#x110000;", u"&#x110000;"},
        {u"&#xD800;", u"&#xD800;"},  // a lone surrogate stays out
        {u"&#;&#x;&#12a;&;", u"&#;&#x;&#12a;&;"},
        {u"&\u00E9;", u"&\u00E9;"},  // non-ASCII comes first
        {u"&&amp;", u"&&"},
        {u"&amp", u"&amp"},
        {u"tail &", u"tail &"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Decoded(c.in), c.out) << ::testing::PrintToString(std::u16string(c.in));
    }
}

TEST(XmlReferences, EntityTableIsSearchableFromEndToEnd) {
    EXPECT_EQ(EntityCodePoint("AElig"), 198u);  // first in order
    EXPECT_EQ(EntityCodePoint("zwnj"), 8204u);  // last in order
    EXPECT_EQ(EntityCodePoint("euro"), 8364u);
    EXPECT_EQ(EntityCodePoint("apos"), 39u);
    EXPECT_EQ(EntityCodePoint("Euro"), 0u);
}

}  // namespace
}  // namespace k2q
