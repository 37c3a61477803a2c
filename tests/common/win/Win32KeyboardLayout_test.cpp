// Key names from the system's own keyboard layout (US under the test prefix).
#include "common/win/Win32KeyboardLayout.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "config/keycapture/KeyNames.h"

namespace k2q::win {
namespace {

TEST(Win32KeyboardLayout, NamesKeysByWhatTheyTypeUnshifted) {
    Win32KeyboardLayout layout;
    const struct {
        std::uint8_t vk;
        std::u16string name;
    } cases[] = {
        {'A', u"A"},      {'Z', u"Z"},         {'1', u"1"},          {VK_OEM_1, u";"},
        {VK_OEM_2, u"/"}, {VK_OEM_PLUS, u"="}, {VK_OEM_MINUS, u"-"}, {VK_F5, u"F5"},
        {0x07, u""},      {0xC1, u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyName(c.vk, layout), c.name) << int{c.vk};
    }
    EXPECT_EQ(KeyName(0xC1, layout, KeyNameSet::Macro), u"LButton");
}

}  // namespace
}  // namespace k2q::win
