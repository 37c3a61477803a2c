#include "common/ui/Hyperlink.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace k2q {
namespace {

TEST(Hyperlink, BrowserCommandLineIsCutAtItsPlaceholder) {
    const std::u16string_view address = u"http://www.k2q.example/";
    const struct {
        std::u16string_view registered, line;
    } cases[] = {
        {u"\"C:\\Browser\\browser.exe\" -nohome \"%1\"",
         u"\"C:\\Browser\\browser.exe\" -nohome  http://www.k2q.example/"},
        {u"C:\\Browser\\browser.exe %1 -new", u"C:\\Browser\\browser.exe  http://www.k2q.example/"},
        {u"browser.exe %1 \"%1\"", u"browser.exe %1  http://www.k2q.example/"},  // quoted first
        {u"browser.exe -open", u"browser.exe -open http://www.k2q.example/"},
        {u"", u" http://www.k2q.example/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BrowserCommandLine(c.registered, address), c.line);
    }
}

TEST(Hyperlink, ErrorTextsFollowTheResultCode) {
    EXPECT_EQ(HyperlinkErrorMessage(26),
              u"Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(HyperlinkErrorMessage(0),
              u"Unable to open hyperlink:\n\nThe operating system is out\nof memory or resources.");
    EXPECT_EQ(HyperlinkErrorMessage(31),
              u"Unable to open hyperlink:\n\nThere is no application associated\nwith the given "
              u"filename extension.");
    EXPECT_EQ(HyperlinkErrorMessage(4),
              u"Unable to open hyperlink:\n\nUnknown Error (4) occurred.");
    EXPECT_EQ(HyperlinkErrorMessage(-7),
              u"Unable to open hyperlink:\n\nUnknown Error (-7) occurred.");
}

TEST(Hyperlink, ColourFollowsPointerThenVisited) {
    const LinkColours about{0x949494, 0x949494, 0x0E72EE};
    EXPECT_EQ(LinkTextColour(false, false, LinkColours{}), 0xEE0000u);
    EXPECT_EQ(LinkTextColour(false, true, LinkColours{}), 0x8B1A55u);
    EXPECT_EQ(LinkTextColour(true, true, LinkColours{}), 0x0000FFu);
    EXPECT_EQ(LinkTextColour(true, false, about), 0x0E72EEu);
    EXPECT_EQ(LinkTextColour(false, true, about), 0x949494u);
}

TEST(Hyperlink, AutoSizeKeepsTheAnchoredEdgeOrCentre) {
    const skin::Rect at = skin::FromXywh(90, 92, 240, 20);
    const struct {
        LinkAnchor anchor;
        skin::Rect want;
    } cases[] = {
        {{}, skin::FromXywh(90, 92, 100, 16)},
        {{.keepRight = true}, skin::FromXywh(230, 92, 100, 16)},
        {{.centreHorizontally = true, .keepRight = true}, skin::FromXywh(160, 92, 100, 16)},
        {{.centreVertically = true}, skin::FromXywh(90, 94, 100, 16)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AnchoredRect(at, 100, 16, c.anchor), c.want);
    }
}

// A shell whose answers the test sets, and which notes what it was asked.
class FakeShell : public HyperlinkShell {
  public:
    long openResult = 42;
    long runResult = 33;
    std::map<std::u16string, std::u16string> classes;
    std::vector<std::u16string> runs;

    long ShellOpen(std::u16string_view) override { return openResult; }
    std::optional<std::u16string> ClassesRootDefault(std::u16string_view key) override {
        const auto it = classes.find(std::u16string(key));
        if (it == classes.end()) {
            return std::nullopt;
        }
        return it->second;
    }
    long Run(std::u16string_view line) override {
        runs.emplace_back(line);
        return runResult;
    }
};

TEST(Hyperlink, OpeningFallsBackToTheRegisteredBrowserOnlyWhenTheShellFails) {
    FakeShell shell;
    EXPECT_EQ(OpenHyperlink(u"http://a.example/", shell), 42);
    EXPECT_TRUE(shell.runs.empty());

    shell.openResult = 31;
    EXPECT_EQ(OpenHyperlink(u"http://a.example/", shell), 31);  // no .htm class
    shell.classes[u".htm"] = u"htmlfile";
    EXPECT_EQ(OpenHyperlink(u"http://a.example/", shell), 31);  // no command for it
    EXPECT_TRUE(shell.runs.empty());

    shell.classes[u"htmlfile\\shell\\open\\command"] = u"browser.exe \"%1\"";
    EXPECT_EQ(OpenHyperlink(u"http://a.example/", shell), 33);
    ASSERT_EQ(shell.runs.size(), 1u);
    EXPECT_EQ(shell.runs[0], u"browser.exe  http://a.example/");

    shell.runResult = 2;
    EXPECT_EQ(OpenHyperlink(u"http://a.example/", shell), 2);
}

}  // namespace
}  // namespace k2q
