#include "common/localization/UiStrings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "support/FakeFileReader.h"
#include "support/UiTexts.h"

namespace k2q {
namespace {

using testing::FakeFileReader;

UiStrings Load(const std::string& bytes, CXmlDocument* document = nullptr) {
    FakeFileReader files;
    files.files[u"language.xml"] = bytes;
    CXmlDocument own;
    UiStrings strings;
    LoadLanguageFile(u"language.xml", files, PortableCodePages(), document ? *document : own,
                     strings);
    return strings;
}

std::string ReadSourceFile(const std::string& relative) {
    std::ifstream in(std::string(K2Q_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(UiStrings, KeysAreTheNinetyThreeInLoadOrder) {
    std::set<std::u16string_view> names;
    for (std::size_t i = 0; i < kUiKeyCount; ++i) {
        const auto key = static_cast<UiKey>(i);
        names.insert(UiKeyName(key));
        EXPECT_EQ(UiKeyFromName(UiKeyName(key)), key);
    }
    EXPECT_EQ(names.size(), kUiKeyCount);
    EXPECT_EQ(UiKeyName(UiKey::tc_ok), u"tc_ok");
    EXPECT_EQ(UiKeyName(UiKey::tc_PL), u"tc_PL");
    EXPECT_EQ(UiKeyName(UiKey::tc_delaytime), u"tc_delaytime");
    EXPECT_FALSE(UiKeyFromName(u"tc_pl"));
}

TEST(UiStrings, LookupFindsTheKeyInsideConfigOnly) {
    const struct {
        const char* name;
        std::string xml;
        std::u16string ok;  // what tc_ok gets
    } cases[] = {
        {"config child of the root", "<lang><config><tc_ok>OK</tc_ok></config></lang>", u"OK"},
        {"root named config", "<config><tc_ok>OK</tc_ok></config>", u""},
        {"first of two wins", "<l><config><tc_ok>1</tc_ok><tc_ok>2</tc_ok></config></l>", u"1"},
        {"letter case differs", "<l><config><tc_OK>OK</tc_OK></config></l>", u""},
        {"parent name in capitals", "<l><Config><tc_ok>OK</tc_ok></Config></l>", u""},
        {"ampersand reference", "<l><config><tc_ok>A &amp; B</tc_ok></config></l>", u"A & B"},
        {"CDATA taken as written", "<l><config><tc_ok><![CDATA[<&>]]></tc_ok></config></l>",
         u"<&>"},
        {"key holding an element", "<l><config><tc_ok>x<b>y</b></tc_ok></config></l>", u""},
        {"attributes ignored",
         "<l v='1'><config id=\"2\"><other>x</other><tc_ok a='b'>OK</tc_ok></config></l>", u"OK"},
        {"nested config searched",
         "<l><config><tc_cancel>C</tc_cancel><config><tc_ok>deep</tc_ok></config></config></l>",
         u"deep"},
        {"sibling config not searched",
         "<l><config><tc_cancel>C</tc_cancel></config><config><tc_ok>2nd</tc_ok></config></l>",
         u""},
        {"order in the file is free",
         "<l><tc_ok>outside</tc_ok><config><tc_cancel>C</tc_cancel><tc_ok>in</tc_ok></config></l>",
         u"in"},
        {"missing end tag repaired", "<l><config><tc_cancel>C<tc_ok>OK</tc_ok></config></l>",
         u"OK"},
        {"file cut short", "<l><config><tc_cancel>C</tc_cancel><tc_ok>OK</tc_ok><tc_", u"OK"},
        {"not XML at all", "tc_ok = OK", u""},
    };
    for (const auto& c : cases) {
        const UiStrings strings = Load(c.xml);
        EXPECT_EQ(strings[UiKey::tc_ok], c.ok) << c.name;
        EXPECT_EQ(strings[UiKey::tc_apply], u"") << c.name;
    }
    // The repaired element keeps only its start tag: its text goes to config, so it is empty.
    const UiStrings repaired = Load("<l><config><tc_cancel>C<tc_ok>OK</tc_ok></config></l>");
    EXPECT_EQ(repaired[UiKey::tc_cancel], u"");
}

TEST(UiStrings, MissingFileLeavesEveryEntryEmpty) {
    FakeFileReader files;
    CXmlDocument document;
    UiStrings strings;
    strings.Set(UiKey::tc_ok, u"stale");
    LoadLanguageFile(u"absent.xml", files, PortableCodePages(), document, strings);
    EXPECT_EQ(strings, UiStrings());
    EXPECT_EQ(document.ElementCount(), 1u);
    EXPECT_EQ(strings.Text(u"tc_ok"), u"");
    EXPECT_EQ(strings.Text(u"no_such_key"), u"");
}

TEST(UiStrings, TheSameFileGivesIdenticalTablesToTwoLoads) {
    const std::string xml = ReadSourceFile("dist-files/language.xml");
    ASSERT_FALSE(xml.empty());
    EXPECT_EQ(Load(xml), Load(xml));
}

TEST(UiStrings, ShippedLanguageFileSuppliesEveryKey) {
    const std::string xml = ReadSourceFile("dist-files/language.xml");
    CXmlDocument document;
    const UiStrings strings = Load(xml, &document);
    EXPECT_EQ(document.Flags() & kXmlIllFormed, 0u)
        << std::string(document.ResultText().begin(), document.ResultText().end());
    for (std::size_t i = 0; i < kUiKeyCount; ++i) {
        const auto key = static_cast<UiKey>(i);
        EXPECT_FALSE(strings[key].empty()) << "no text for key " << i;
    }
    // Every element inside config is a key, once: a misspelt or doubled key would be lost.
    std::set<std::u16string_view> seen;
    document.ResetPosition();
    ASSERT_TRUE(document.FindChildElement(u"config"));
    document.EnterChild();
    while (document.FindChildElement(u"")) {
        const std::u16string_view name = document.ElementName(document.ChildElement());
        EXPECT_TRUE(UiKeyFromName(name).has_value())
            << "not a key, element " << document.ChildElement();
        EXPECT_TRUE(seen.insert(name).second) << "key twice, element " << document.ChildElement();
    }
    EXPECT_EQ(seen.size(), kUiKeyCount);
}

TEST(UiStrings, ProgramTableIsLoadedThroughTheSameLoader) {
    testing::LoadProgramUiTexts({{UiKey::tc_ok, u"Fine"}, {UiKey::tc_exit, u"Quit & go"}});
    EXPECT_EQ(UiText(UiKey::tc_ok), u"Fine");
    EXPECT_EQ(UiText(UiKey::tc_exit), u"Quit & go");
    EXPECT_EQ(UiText(UiKey::tc_cancel), u"");
    testing::LoadKeyNamesAsProgramUiTexts();
    EXPECT_EQ(UiText(UiKey::tc_PL), u"tc_PL");
    EXPECT_EQ(ProgramUiStrings().Text(u"tc_delaytime"), u"tc_delaytime");
}

}  // namespace
}  // namespace k2q
