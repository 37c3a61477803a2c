#include <gtest/gtest.h>

#include <string>

#include "common/localization/EncodingNames.h"
#include "common/localization/XmlDocument.h"
#include "support/FakeFileReader.h"

namespace k2q {
namespace {

struct Decoded {
    std::u16string text;
    std::uint32_t flags = 0;
    std::u16string result;
};

Decoded Decode(std::string_view bytes) {
    CXmlDocument document;
    Decoded d;
    document.LoadTextBytes(bytes, d.flags, d.result, PortableCodePages());
    d.text = document.Text();
    return d;
}

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
    std::string bytes;
    for (const char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

TEST(XmlTextFile, MarksAndEncodingsGiveTheSameText) {
    const std::u16string text = u"<r>caf\u00E9 \u20AC \U0001F600</r>";
    const std::string utf8 = "<r>caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80</r>";
    const struct {
        const char* name;
        std::string bytes;
        std::uint32_t flags;
    } cases[] = {
        {"UTF-8 without mark", utf8, 0},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + utf8, kXmlUtf8Mark},
        {"UTF-16LE", "\xFF\xFE" + Utf16Bytes(text, false), kXmlUtf16Le},
        {"UTF-16BE", "\xFE\xFF" + Utf16Bytes(text, true), kXmlUtf16Be},
        {"UTF-16LE, odd last byte", "\xFF\xFE" + Utf16Bytes(text, false) + "x", kXmlUtf16Le},
    };
    for (const auto& c : cases) {
        const Decoded d = Decode(c.bytes);
        EXPECT_EQ(d.text, text) << c.name;
        EXPECT_EQ(d.flags, c.flags) << c.name;
    }
}

TEST(XmlTextFile, EncodingIsDeclaredOrTestedAndFallsBackToAnsi) {
    const struct {
        const char* name;
        std::string bytes;
        std::u16string text;  // after the root's start tag
    } cases[] = {
        {"valid UTF-8, nothing declared", "<r>\xC3\xA9", u"\u00E9"},
        {"0xE9 before a letter: ANSI", "<r>caf\xE9s", u"caf\u00E9s"},
        {"bytes a lax test would pass", "<r>\xA9\xAE", u"\u00A9\u00AE"},
        {"overlong sequence", "<r>\xC0\xAF", u"\u00C0\u00AF"},
        {"sequence cut off by the end", "<r>\xE2\x82", u"\u00E2\u201A"},
        {"declared windows-1252", "<?xml version='1.0' encoding='windows-1252'?><r>\x80\xC3\xA9",
         u"\u20AC\u00C3\u00A9"},
        {"declared name in capitals", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>\x80",
         u"\u0080"},
        {"declared latin1 alias", "<?xml encoding = \"latin1\" ?><r>\xE9", u"\u00E9"},
        {"declared us-ascii", "<?xml version='1.0' encoding='us-ascii'?><r>a\xE9", u"a\uFFFD"},
        {"declared UTF-8 over ANSI bytes", "<?xml version='1.0' encoding='utf-8'?><r>\xE9t\xE9",
         u"\u00E9t\u00E9"},
        {"declared UTF-16 in a byte file", "<?xml version='1.0' encoding='utf-16'?><r>\xC3\xA9",
         u"\u00E9"},
        {"declared unknown name", "<?xml version='1.0' encoding='x-unknown'?><r>\xC3\xA9",
         u"\u00E9"},
        {"declared page this build lacks", "<?xml version='1.0' encoding='shift_jis'?><r>\xE9",
         u"\u00E9"},
        {"HTML meta in head",
         "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
         "charset=windows-1252\"><r>\xC3\xA9",
         u"\u00C3\u00A9"},
        {"HTML meta, unquoted, other case",
         "<!DOCTYPE html><HTML><HEAD><META HTTP-EQUIV=content-type "
         "CONTENT='text/html;charset=ISO-8859-1'/></HEAD><r>\xC3\xA9",
         u"\u00C3\u00A9"},
        {"meta outside head is not read",
         "<html><body><meta http-equiv=\"Content-Type\" content=\"text/html; "
         "charset=windows-1252\"><r>\xC3\xA9",
         u"\u00E9"},
        {"meta of another kind is not read",
         "<html><head><meta name=\"Content-Type\" content=\"charset=windows-1252\"><r>\xC3\xA9",
         u"\u00E9"},
        {"declaration not at the start",
         "<r/><?xml version='1.0' encoding='windows-1252'?><r>\xC3\xA9", u"\u00E9"},
        {"declaration beyond the first 1024 bytes",
         "<html><head>" + std::string(1100, ' ') +
             "<meta http-equiv=\"Content-Type\" content=\"charset=windows-1252\"><r>\xC3\xA9",
         u"\u00E9"},
    };
    for (const auto& c : cases) {
        const std::u16string text = Decode(c.bytes).text;
        const std::size_t at = text.rfind(u"<r>");
        ASSERT_NE(at, std::u16string::npos) << c.name;
        EXPECT_EQ(text.substr(at + 3), c.text) << c.name;
    }
}

TEST(XmlTextFile, ZeroUnitsDisappear) {
    EXPECT_EQ(Decode(std::string("<r>a\0b\0\0c</r>", 13)).text, u"<r>abc</r>");
    EXPECT_EQ(Decode(std::string("\xFF\xFE<\0r\0\0\0>\0", 10)).text, u"<r>");
    // Zero bytes do not hide a UTF-8 sequence from the test: C3 00 A9 is "é".
    EXPECT_EQ(Decode(std::string("<r>\xC3\0\xA9", 6)).text, u"<r>\u00E9");
    EXPECT_EQ(Decode("").text, u"");
}

TEST(XmlTextFile, LoadTextFileReportsTheSystemMessageAndKeepsTheDocument) {
    testing::FakeFileReader files;
    files.files[u"good.xml"] = "\xEF\xBB\xBF<r/>";
    files.errors[u"locked.xml"] = u"The process cannot access the file.\r\nSecond line";
    CXmlDocument document;
    std::uint32_t flags = kXmlIllFormed | kXmlUtf16Be;  // bits other than the encoding stay
    std::u16string result;
    ASSERT_TRUE(document.LoadTextFile(u"good.xml", flags, result, files, PortableCodePages()));
    EXPECT_EQ(flags, kXmlIllFormed | kXmlUtf8Mark);
    EXPECT_EQ(document.Text(), u"<r/>");
    EXPECT_EQ(files.lastMaxBytes, kXmlMaxFileBytes);

    EXPECT_FALSE(document.LoadTextFile(u"locked.xml", flags, result, files, PortableCodePages()));
    EXPECT_EQ(result, u"The process cannot access the file.");
    EXPECT_FALSE(document.LoadTextFile(u"missing.xml", flags, result, files, PortableCodePages()));
    EXPECT_EQ(result, u"The system cannot find the file specified.");
    EXPECT_EQ(document.Text(), u"<r/>");
    EXPECT_EQ(document.ResultText(), result);
}

TEST(EncodingNames, TableHoldsUniqueNamesAndTheKnownPages) {
    const auto names = EncodingNames();
    ASSERT_EQ(names.size(), 254u);
    for (std::size_t i = 0; i < names.size(); ++i) {
        for (std::size_t k = i + 1; k < names.size(); ++k) {
            EXPECT_NE(names[i].name, names[k].name);
        }
        EXPECT_EQ(CodePageForEncodingName(names[i].name), names[i].codePage);
    }
    const struct {
        std::u16string_view name;
        std::uint32_t codePage;
    } cases[] = {
        {u"utf-8", 65001},      {u"UTF-8", 65001},      {u"utf-16", 1200},
        {u"Unicode", 1200},     {u"unicodeFFFE", 1201}, {u"us-ascii", 20127},
        {u"iso-8859-1", 28591}, {u"LATIN1", 28591},     {u"windows-1252", 1252},
        {u"Shift_JIS", 932},    {u"gb2312", 936},       {u"big5", 950},
        {u"euc-kr", 949},       {u"koi8-r", 20866},     {u"", 0},
        {u"utf-8 ", 0},         {u"utf\u00E9", 0},      {std::u16string(100, u'a'), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CodePageForEncodingName(c.name), c.codePage);
    }
}

}  // namespace
}  // namespace k2q
