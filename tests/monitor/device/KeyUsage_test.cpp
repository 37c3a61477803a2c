#include "monitor/device/KeyUsage.h"

#include <gtest/gtest.h>

namespace k2q {
namespace {

TEST(KeyTable, IsInUsageOrderWithEachKeyOnceExceptNoKeyAndEnter) {
    ASSERT_EQ(kKeyTable.size(), 110u);
    int seen[256] = {};
    for (std::size_t i = 0; i < kKeyTable.size(); ++i) {
        if (i > 0) {
            EXPECT_LT(kKeyTable[i - 1].usage, kKeyTable[i].usage) << "pair " << i;
        }
        ++seen[kKeyTable[i].virtualKey];
    }
    EXPECT_EQ(seen[0x00], 6);  // usages 0x00..0x03, 0x32, 0x64 have no key
    EXPECT_EQ(seen[0x0D], 2);  // Enter and keypad Enter
    for (int key = 1; key < 256; ++key) {
        if (key != 0x0D) {
            EXPECT_LE(seen[key], 1) << "virtual key " << key;
        }
    }
}

TEST(KeyTable, LookupGivesTheFirstMatchingUsage) {
    const struct {
        std::uint8_t virtualKey;
        std::uint8_t usage;
    } cases[] = {
        // the first match wins
        {0x00, 0x00},
        {0x0D, 0x28},
        // the ends of every row of the table
        {'A', 0x04},
        {'Z', 0x1D},
        {'1', 0x1E},
        {'9', 0x26},
        {'0', 0x27},
        {0x1B, 0x29},
        {0x20, 0x2C},
        {0xBD, 0x2D},
        {0xDC, 0x31},
        {0xBA, 0x33},
        {0xBF, 0x38},
        {0x14, 0x39},
        {0x70, 0x3A},
        {0x7B, 0x45},
        {0x2C, 0x46},
        {0x13, 0x48},
        {0x2D, 0x49},
        {0x22, 0x4E},
        {0x27, 0x4F},
        {0x26, 0x52},
        {0x90, 0x53},
        {0x6F, 0x54},
        {0x6B, 0x57},
        {0x61, 0x59},
        {0x69, 0x61},
        {0x60, 0x62},
        {0x6E, 0x63},
        {0x5D, 0x65},
        {0xA2, 0xE0},
        {0x5B, 0xE3},
        {0xA3, 0xE4},
        {0x5C, 0xE7},
        // not in the table: the generic modifiers, the mouse-button codes, F13, 0xFF
        {0x10, 0},
        {0x11, 0},
        {0x12, 0},
        {0xC1, 0},
        {0xC2, 0},
        {0xC3, 0},
        {0x7C, 0},
        {0xFF, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyUsage(c.virtualKey), c.usage) << "virtual key " << int(c.virtualKey);
    }
}

}  // namespace
}  // namespace k2q
