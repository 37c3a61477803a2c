// Key names and combination texts, on a layout of the test's own.
#include "config/keycapture/KeyNames.h"

#include <gtest/gtest.h>

#include <map>

namespace k2q {
namespace {

// Types only when handed the scan code it gave for the key, so a name shows that the layout's
// own scan code went into the translation.
class FakeLayout : public KeyboardLayout {
  public:
    std::uint8_t ScanCode(std::uint8_t vk) override { return static_cast<std::uint8_t>(vk ^ 0x5A); }
    std::uint8_t TypedCharacter(std::uint8_t vk, std::uint8_t scan) override {
        if (scan != ScanCode(vk)) {
            return '?';
        }
        return Typed(vk);
    }
    static std::uint8_t Typed(std::uint8_t vk) {
        if (vk >= 'A' && vk <= 'Z') {
            return static_cast<std::uint8_t>(vk - 'A' + 'a');
        }
        if (vk >= '0' && vk <= '9') {
            return vk;
        }
        switch (vk) {
            case 0xBA:
                return ';';
            case 0xBF:
                return '/';
            case 0xDE:
                return 0xE4;  // a layout whose key types a-umlaut
            case 0x00:
                return 'n';  // keys the macro set names itself
            case 0xC1:
                return 'l';
            default:
                return 0;
        }
    }
};

const std::map<int, std::u16string> kNamed = {
    {0x08, u"Backspace"}, {0x09, u"Tab"},     {0x0C, u"Clr"},         {0x0D, u"Enter"},
    {0x10, u"Shift"},     {0x11, u"Ctrl"},    {0x12, u"Alt"},         {0x13, u"Pause"},
    {0x14, u"CapsLock"},  {0x1B, u"Esc"},     {0x20, u"Space"},       {0x21, u"PageUp"},
    {0x22, u"PageDown"},  {0x23, u"End"},     {0x24, u"Home"},        {0x25, u"Left"},
    {0x26, u"Up"},        {0x27, u"Right"},   {0x28, u"Down"},        {0x29, u"Select"},
    {0x2A, u"Print"},     {0x2B, u"Enter"},   {0x2C, u"Snapshot"},    {0x2D, u"Insert"},
    {0x2E, u"Delete"},    {0x2F, u"Help"},    {0x5B, u"LWin"},        {0x5C, u"RWin"},
    {0x5D, u"App"},       {0x60, u"(0)"},     {0x61, u"(1)"},         {0x62, u"(2)"},
    {0x63, u"(3)"},       {0x64, u"(4)"},     {0x65, u"(5)"},         {0x66, u"(6)"},
    {0x67, u"(7)"},       {0x68, u"(8)"},     {0x69, u"(9)"},         {0x6A, u"(*)"},
    {0x6B, u"(+)"},       {0x6C, u"\\"},      {0x6D, u"(-)"},         {0x6E, u"(.)"},
    {0x6F, u"(/)"},       {0x70, u"F1"},      {0x71, u"F2"},          {0x72, u"F3"},
    {0x73, u"F4"},        {0x74, u"F5"},      {0x75, u"F6"},          {0x76, u"F7"},
    {0x77, u"F8"},        {0x78, u"F9"},      {0x79, u"F10"},         {0x7A, u"F11"},
    {0x7B, u"F12"},       {0x90, u"Numlock"}, {0x91, u"Scroll Lock"}, {0xA0, u"LShift"},
    {0xA1, u"RShift"},    {0xA2, u"LCtrl"},   {0xA3, u"RCtrl"},       {0xA4, u"LAlt"},
    {0xA5, u"RAlt"},      {0xFF, u""},
};

TEST(KeyName, NamesEveryCodeByTheTableOrByTheCharacterItTypes) {
    FakeLayout layout;
    for (int code = 0; code < 256; ++code) {
        const auto vk = static_cast<std::uint8_t>(code);
        std::u16string want;
        if (const auto it = kNamed.find(code); it != kNamed.end()) {
            want = it->second;
        } else if (const std::uint8_t typed = FakeLayout::Typed(vk); typed != 0) {
            want = std::u16string(1, typed >= 'a' && typed <= 'z' ? typed - 'a' + 'A' : typed);
        }
        EXPECT_EQ(KeyName(vk, layout), want) << "code " << code;
    }
    // Spot checks of what the rule gives.
    EXPECT_EQ(KeyName('Q', layout), u"Q");
    EXPECT_EQ(KeyName('7', layout), u"7");
    EXPECT_EQ(KeyName(0xBF, layout), u"/");
    EXPECT_EQ(KeyName(0xDE, layout), u"\u00E4");
    EXPECT_EQ(KeyName(0x07, layout), u"");
}

TEST(KeyName, TheMacroSetDiffersOnlyInNoKeyAndTheMouseButtons) {
    FakeLayout layout;
    const std::map<int, std::u16string> own = {
        {0x00, u""}, {0xC1, u"LButton"}, {0xC2, u"RButton"}, {0xC3, u"MButton"}, {0xFF, u""}};
    for (int code = 0; code < 256; ++code) {
        const auto vk = static_cast<std::uint8_t>(code);
        const std::u16string macro = KeyName(vk, layout, KeyNameSet::Macro);
        if (const auto it = own.find(code); it != own.end()) {
            EXPECT_EQ(macro, it->second) << "code " << code;
        } else {
            EXPECT_EQ(macro, KeyName(vk, layout)) << "code " << code;
        }
    }
    EXPECT_EQ(KeyName(0x00, layout), u"N");  // the combination set types them
    EXPECT_EQ(KeyName(0xC1, layout), u"L");
}

TEST(CombinationText, ModifiersInFixedOrderThenTheKeysJoinedByPlus) {
    FakeLayout layout;
    const struct {
        std::uint8_t modifiers, key1, key2;
        std::u16string text;
    } cases[] = {
        {0x05, 0x2E, 0x00, u"Ctrl+Alt+Delete"},
        {0x02, 0x41, 0x42, u"Shift+A+B"},
        {0x00, 0x00, 0x00, u""},
        {0x0F, 0x70, 0x00, u"Ctrl+Alt+Shift+Win+F1"},
        {0x08, 0x00, 0x00, u"Win"},
        {0xF0, 0x41, 0x00, u"A"},      // right-side bits are not shown
        {0x00, 0x00, 0x42, u"B"},      // a second key without a first
        {0x01, 0x07, 0x00, u"Ctrl+"},  // a key that types nothing has an empty name
        {0x04, 0x73, 0xFF, u"Alt+F4+"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CombinationText(c.modifiers, c.key1, c.key2, layout), c.text)
            << int{c.modifiers} << " " << int{c.key1} << " " << int{c.key2};
    }
}

}  // namespace
}  // namespace k2q
