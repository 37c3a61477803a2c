// The combination-key dialog's capture, fed the notifications the keyboard hook sends.
#include "config/keycapture/ComboCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace k2q {
namespace {

struct Note {
    std::uintptr_t vk;
    bool release;
};
Note Down(std::uintptr_t vk) {
    return {vk, false};
}
Note Up(std::uintptr_t vk) {
    return {vk, true};
}

struct Case {
    std::string name;
    std::vector<Note> notes;
    Combination want;
    bool capturing;
};

TEST(ComboCapture, ReadsCombinationsFromPressesAndReleases) {
    const Case cases[] = {
        {"Ctrl, Alt, Delete, then Ctrl released",
         {Down(0xA2), Down(0xA4), Down(0x2E), Up(0xA2)},
         {0x05, 0x2E, 0},
         false},
        {"A, B, C while A is held: C does not fit",
         {Down('A'), Down('B'), Down('C'), Up('A')},
         {0, 'A', 'B'},
         false},
        {"a held key repeats: nothing more", {Down('A'), Down('A'), Down('A')}, {0, 'A', 0}, true},
        {"either side's modifiers set only the low bits",
         {Down(0xA3), Down(0xA5), Down(0xA1), Down(0x5C), Down(0x10), Down(0x11), Down(0x12),
          Down(0x5B)},
         {0x0F, 0, 0},
         true},
        {"Shift alone", {Down(0xA0), Up(0xA0)}, {0x02, 0, 0}, false},
        {"releasing another key keeps the capture open",
         {Down(0xA2), Down('X'), Up('X'), Down(0xA0), Down('Y'), Up(0xA2)},
         {0x03, 'X', 'Y'},
         false},
        {"a press after a closed capture starts anew",
         {Down(0xA2), Down('S'), Up('S'), Up(0xA2), Down(0x74), Up(0x74)},
         {0, 0x74, 0},
         false},
        {"a release alone opens nothing", {Up('A'), Up(0xA2)}, {0, 0, 0}, false},
        {"the first key pressed again after its release is a new press",
         {Down('A'), Up('A'), Down('A')},
         {0, 'A', 0},
         true},
        {"a key repeated after another was pressed counts once",
         {Down('A'), Down('B'), Down('A'), Down('B')},
         {0, 'A', 'B'},
         true},
        {"a code beyond a byte changes nothing",
         {Down(0xA2), Down(0x141), Up(0x141), Down('Q')},
         {0x01, 'Q', 0},
         true},
    };
    for (const Case& c : cases) {
        ComboCapture capture;
        for (const Note& n : c.notes) {
            capture.OnHookKey(n.vk, n.release ? 0x80 : 0);
        }
        EXPECT_EQ(capture.combination(), c.want) << c.name;
        EXPECT_EQ(capture.capturing(), c.capturing) << c.name;
    }
}

TEST(ComboCapture, AsksForARepaintOnlyWhenAPressIsTaken) {
    ComboCapture capture;
    EXPECT_FALSE(capture.OnHookKey(0xA2, 0x80));  // a release before anything
    EXPECT_TRUE(capture.OnHookKey(0xA2, 0));
    EXPECT_FALSE(capture.OnHookKey(0xA2, 0));  // its repeat
    EXPECT_TRUE(capture.OnHookKey('K', 0));
    EXPECT_FALSE(capture.OnHookKey('K', 0x80));
    EXPECT_FALSE(capture.OnHookKey(0xA2, 0x80));  // closes; the text stays
    EXPECT_EQ(capture.combination(), (Combination{0x01, 'K', 0}));
}

TEST(ComboCapture, OtherFlagBitsDoNotMakeARelease) {
    ComboCapture capture;
    capture.OnHookKey('A', 0x01);  // a press with some other flag set
    capture.OnHookKey('A', 0x81);
    EXPECT_FALSE(capture.capturing());
    EXPECT_EQ(capture.combination(), (Combination{0, 'A', 0}));
}

TEST(ComboDialogKeys, DiscardsEnterEscSpaceAndAltF4Only) {
    const struct {
        std::uint32_t msg;
        std::uintptr_t vk;
        std::intptr_t lParam;
        bool discarded;
    } cases[] = {
        {0x0100, 0x0D, 0, true},           {0x0101, 0x0D, 0, true},
        {0x0100, 0x1B, 0, true},           {0x0101, 0x20, 0, true},
        {0x0104, 0x73, 0x20000000, true},  {0x0105, 0x73, 0x203E0001, true},
        {0x0104, 0x73, 0, false},                                     // F4 without Alt
        {0x0100, 0x73, 0x20000000, false},                            // a plain key message for F4
        {0x0104, 0x0D, 0x20000000, false},                            // Alt+Enter
        {0x0100, 'A', 0, false},           {0x0102, 0x0D, 0, false},  // WM_CHAR
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DialogDiscardsKey(c.msg, c.vk, c.lParam), c.discarded)
            << std::hex << c.msg << " " << c.vk << " " << c.lParam;
    }
}

}  // namespace
}  // namespace k2q
