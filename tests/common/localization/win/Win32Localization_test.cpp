// The Win32 side of the language file: the system's code pages, file reading with the
// system's messages, and the start-up load from the program's own folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "common/localization/UiStrings.h"
#include "common/localization/win/ProgramLanguage.h"
#include "common/localization/win/Win32CodePages.h"
#include "common/localization/win/Win32FileReader.h"
#include "common/win/ModulePath.h"
#include "common/win/Text.h"
#include "support/win/Processes.h"

namespace k2q::win {
namespace {

std::wstring TempFilePath(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary);
    out << bytes;
}

TEST(Win32CodePages, ConvertsWithTheSystemsTablesAndRefusesWhatItLacks) {
    const Win32CodePages codePages;
    const struct {
        std::uint32_t codePage;
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {65001, "caf\xC3\xA9 \xF0\x9F\x98\x80", u"caf\u00E9 \U0001F600"},
        {1252, "\x80\xE9", u"\u20AC\u00E9"},
        {28591, "\x80\xE9", u"\u0080\u00E9"},
        {932, "\x82\xA0", u"\u3042"},  // a page the portable converter does not carry
        {1251, "\xC4\xE0", u"\u0414\u0430"},
    };
    for (const auto& c : cases) {
        std::u16string out = u"<";
        ASSERT_TRUE(codePages.AppendUtf16(c.codePage, c.bytes, out)) << c.codePage;
        EXPECT_EQ(out, u"<" + c.text) << c.codePage;
    }
    std::u16string out = u"kept";
    EXPECT_FALSE(codePages.AppendUtf16(1200, "a\0", out));  // not a page it converts
    EXPECT_FALSE(codePages.AppendUtf16(12345, "abc", out));
    EXPECT_EQ(out, u"kept");
    EXPECT_TRUE(codePages.AppendUtf16(0, "abc", out));  // the ANSI page
    EXPECT_EQ(out, u"keptabc");
}

TEST(Win32CodePages, DeclaredEncodingsReachTheSystemsConverter) {
    const struct {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"<?xml version='1.0' encoding='shift_jis'?><l><config><tc_ok>\x82\xA0</tc_ok>"
         "</config></l>",
         u"\u3042"},
        {"<?xml version='1.0' encoding='koi8-r'?><l><config><tc_ok>\xE4\xC1</tc_ok>"
         "</config></l>",
         u"\u0414\u0430"},
        {"<l><config><tc_ok>caf\xE9</tc_ok></config></l>", u"caf\u00E9"},  // ANSI, 1252 here
    };
    const Win32CodePages codePages;
    const Win32FileReader files;
    const std::wstring path = TempFilePath(L"k2q-declared.xml");
    for (const auto& c : cases) {
        WriteFile(path, c.bytes);
        CXmlDocument document;
        UiStrings strings;
        LoadLanguageFile(ToU16(path), files, codePages, document, strings);
        EXPECT_EQ(strings[UiKey::tc_ok], c.text);
    }
    ::DeleteFileW(path.c_str());
}

TEST(Win32FileReader, ReadsWholeFilesAndReportsTheSystemsMessage) {
    const Win32FileReader files;
    const std::wstring path = TempFilePath(L"k2q-reader.bin");
    const std::string bytes("a\0b\xFF", 4);
    WriteFile(path, bytes);
    FileBytes read = files.ReadFile(ToU16(path), 100);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.bytes, bytes);
    read = files.ReadFile(ToU16(path), 3);
    EXPECT_FALSE(read.ok);
    EXPECT_FALSE(read.error.empty());
    ::DeleteFileW(path.c_str());

    read = files.ReadFile(ToU16(path), 100);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error, SystemErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(read.error.empty());
    EXPECT_EQ(read.error.find_first_of(u"\r\n"), std::u16string::npos);
}

TEST(ProgramLanguage, LoadsTheLanguageFileBesideTheProgram) {
    // Beside the test program lies a link to the shipped language.xml. It is only read: a write
    // or a delete through the link would damage what ships.
    EXPECT_EQ(LanguageFilePath(), ModuleFolder() + L"language.xml");
    LoadLanguageBesideProgram();

    const Win32CodePages codePages;
    const Win32FileReader files;
    CXmlDocument document;
    UiStrings shipped;
    LoadLanguageFile(ToU16(testing::DistPath(L"language.xml")), files, codePages, document,
                     shipped);
    EXPECT_FALSE(shipped[UiKey::tc_ok].empty());
    for (std::size_t i = 0; i < kUiKeyCount; ++i) {
        const auto key = static_cast<UiKey>(i);
        EXPECT_EQ(UiText(key), shipped[key]) << "key " << i;
    }
}

}  // namespace
}  // namespace k2q::win
