#include "common/settings/SettingsStore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "common/settings/SystemMouseParams.h"
#include "support/FakeRegistry.h"
#include "support/Bytes.h"

namespace k2q {
namespace {

using testing::FakeRegistry;

// Both blocks of one program, on the heap (the macro table is 213 KB), filled with a
// recognisable "previous contents" byte.
struct Blocks {
    std::unique_ptr<ButtonSetting> buttons = std::make_unique<ButtonSetting>();
    std::unique_ptr<MacroSetting> macros = std::make_unique<MacroSetting>();
    explicit Blocks(std::uint8_t fill) {
        std::memset(buttons.get(), fill, sizeof *buttons);
        std::memset(macros.get(), fill, sizeof *macros);
    }
};

ButtonSetting ExpectedDefaults() {
    ButtonSetting block;
    SetButtonDefaults(block);
    block.mouse.wheelLines = 3;
    block.mouse.hScrollAmount = 3;
    block.mouse.doubleClickTime = 500;
    block.mouse.pointerSpeed = 5;
    block.mouse.acceleration = 1;
    block.mouse.cpi800 = block.mouse.cpi1600 = block.mouse.cpi2400 = 1;
    return block;
}

TEST(SettingsStoreLoad, WithoutAKeyCreatesItWithDefaultsSystemValuesAndAnEmptyMacroTable) {
    FakeRegistry registry;
    registry.SeedFreshControlPanel();
    Blocks blocks(0x5A);
    LoadOrCreateStore(registry, *blocks.buttons, *blocks.macros);

    const auto expected = testing::BytesOf(ExpectedDefaults());
    EXPECT_EQ(testing::BytesOf(*blocks.buttons), expected);
    EXPECT_EQ(testing::BytesOf(*blocks.macros), std::vector<std::uint8_t>(213604, 0));
    const auto* buttons = registry.Find(kStoreKey, kButtonSettingValue);
    const auto* macros = registry.Find(kStoreKey, kMacroSettingValue);
    ASSERT_TRUE(buttons && macros);
    EXPECT_EQ(buttons->type, kRegBinary);
    EXPECT_EQ(buttons->bytes, expected);
    EXPECT_EQ(macros->type, kRegBinary);
    EXPECT_EQ(macros->bytes, std::vector<std::uint8_t>(213604, 0));
    EXPECT_EQ(registry.writtenKeys, std::set<std::u16string>{kStoreKey});
}

TEST(SettingsStoreLoad, WithoutAnyRegistryAccessStillHoldsDefaultsInMemory) {
    FakeRegistry registry;
    registry.failOpen = true;
    registry.failCreate = true;
    Blocks blocks(0x5A);
    LoadOrCreateStore(registry, *blocks.buttons, *blocks.macros);

    ButtonSetting expected;
    SetButtonDefaults(expected);
    ReadSystemMouseParams(registry, expected);  // nothing readable: zeros, 3 and the levels
    EXPECT_EQ(testing::BytesOf(*blocks.buttons), testing::BytesOf(expected));
    EXPECT_EQ(testing::BytesOf(*blocks.macros), std::vector<std::uint8_t>(213604, 0));
    EXPECT_EQ(registry.writes, 0);
}

// One stored value replaced by something else; the other value is a complete, valid one.
struct StoredValueCase {
    const char* name;
    bool macroValue;  // which value the case changes
    std::uint32_t type;
    std::size_t size;  // SIZE_MAX: the value is missing
    bool replacedByDefaults;
};

void PrintTo(const StoredValueCase& c, std::ostream* os) {
    *os << c.name;
}

class SettingsStoreLoadValue : public ::testing::TestWithParam<StoredValueCase> {};

TEST_P(SettingsStoreLoadValue, RepairsOnlyTheValueThatIsMissingTooLongOrOfAnotherType) {
    const StoredValueCase& c = GetParam();
    FakeRegistry registry;
    registry.SeedFreshControlPanel();
    const auto storedButtons = testing::Pattern(104, 1);
    const auto storedMacros = testing::Pattern(213604, 2);
    registry.SetBytes(kStoreKey, kButtonSettingValue, storedButtons);
    registry.SetBytes(kStoreKey, kMacroSettingValue, storedMacros);
    const char16_t* changed = c.macroValue ? kMacroSettingValue : kButtonSettingValue;
    const std::vector<std::uint8_t> value = testing::Pattern(c.size == SIZE_MAX ? 0 : c.size, 3);
    if (c.size == SIZE_MAX) {
        registry.keys[kStoreKey].erase(changed);
    } else {
        registry.SetBytes(kStoreKey, changed, value, c.type);
    }

    Blocks blocks(0x5A);
    LoadOrCreateStore(registry, *blocks.buttons, *blocks.macros);

    const std::size_t blockSize = c.macroValue ? 213604 : 104;
    const auto loaded = c.macroValue ? testing::BytesOf(*blocks.macros) : testing::BytesOf(*blocks.buttons);
    const auto untouched = c.macroValue ? testing::BytesOf(*blocks.buttons) : testing::BytesOf(*blocks.macros);
    EXPECT_EQ(untouched, c.macroValue ? storedButtons : storedMacros);
    const auto* other =
        registry.Find(kStoreKey, c.macroValue ? kButtonSettingValue : kMacroSettingValue);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->bytes, c.macroValue ? storedButtons : storedMacros);

    if (c.replacedByDefaults) {
        const auto defaults =
            c.macroValue ? std::vector<std::uint8_t>(213604, 0) : testing::BytesOf(ExpectedDefaults());
        EXPECT_EQ(loaded, defaults);
        const auto* written = registry.Find(kStoreKey, changed);
        ASSERT_TRUE(written);
        EXPECT_EQ(written->type, kRegBinary);
        EXPECT_EQ(written->bytes, defaults);
        EXPECT_EQ(registry.writes, 1);
    } else {
        // Accepted: the value's bytes replace the start; the rest keeps what it held.
        std::vector<std::uint8_t> expected(blockSize, 0x5A);
        std::copy(value.begin(), value.end(), expected.begin());
        EXPECT_EQ(loaded, expected);
        EXPECT_EQ(registry.writes, 0);
    }
    EXPECT_TRUE(registry.writtenKeys.empty() ||
                registry.writtenKeys == std::set<std::u16string>{kStoreKey});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsStoreLoadValue,
    ::testing::Values(StoredValueCase{"ButtonsMissing", false, kRegBinary, SIZE_MAX, true},
                      StoredValueCase{"ButtonsDword", false, kRegDword, 4, true},
                      StoredValueCase{"ButtonsStringOfTheRightSize", false, kRegSz, 104, true},
                      StoredValueCase{"Buttons200Bytes", false, kRegBinary, 200, true},
                      StoredValueCase{"Buttons105Bytes", false, kRegBinary, 105, true},
                      StoredValueCase{"Buttons104Bytes", false, kRegBinary, 104, false},
                      StoredValueCase{"Buttons50Bytes", false, kRegBinary, 50, false},
                      StoredValueCase{"ButtonsEmpty", false, kRegBinary, 0, false},
                      StoredValueCase{"MacrosMissing", true, kRegBinary, SIZE_MAX, true},
                      StoredValueCase{"MacrosDword", true, kRegDword, 4, true},
                      StoredValueCase{"MacrosOneByteTooLong", true, kRegBinary, 213605, true},
                      StoredValueCase{"MacrosShort", true, kRegBinary, 2136, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsStoreReload, TakesCompleteBinaryValuesAndKeepsTheCopyForAnythingElse) {
    const struct {
        const char* name;
        std::uint32_t type;
        std::size_t size;  // of both values; SIZE_MAX: the key is deleted
        bool taken;
    } cases[] = {
        {"both complete", kRegBinary, 0, true},  // 0: each of its block's size
        {"short values replace the start", kRegBinary, 50, true},
        {"key deleted", kRegBinary, SIZE_MAX, false},
        {"too long", kRegBinary, 213605, false},
        {"another type", kRegSz, 40, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRegistry registry;
        std::vector<std::uint8_t> buttonValue, macroValue;
        if (c.size != SIZE_MAX) {
            buttonValue = testing::Pattern(c.size ? c.size : 104, 1);
            macroValue = testing::Pattern(c.size ? c.size : 213604, 2);
            registry.SetBytes(kStoreKey, kButtonSettingValue, buttonValue, c.type);
            registry.SetBytes(kStoreKey, kMacroSettingValue, macroValue, c.type);
        }

        Blocks blocks(0x5A);
        const StoreReload result = ReloadStore(registry, *blocks.buttons, *blocks.macros);

        EXPECT_EQ(result.keyOpened, c.size != SIZE_MAX);
        EXPECT_EQ(result.buttons, c.taken);
        EXPECT_EQ(result.macros, c.taken);
        std::vector<std::uint8_t> buttons(104, 0x5A), macros(213604, 0x5A);
        if (c.taken) {
            std::copy(buttonValue.begin(), buttonValue.end(), buttons.begin());
            std::copy(macroValue.begin(), macroValue.end(), macros.begin());
        }
        EXPECT_EQ(testing::BytesOf(*blocks.buttons), buttons);
        EXPECT_EQ(testing::BytesOf(*blocks.macros), macros);
        EXPECT_EQ(registry.writes, 0);
    }
}

TEST(SettingsStoreWrite, WriteStoreCreatesTheKeyAndWritesBothWholeBlocks) {
    FakeRegistry registry;
    Blocks blocks(0x33);
    EXPECT_TRUE(WriteStore(registry, *blocks.buttons, *blocks.macros));
    const auto* buttons = registry.Find(kStoreKey, kButtonSettingValue);
    const auto* macros = registry.Find(kStoreKey, kMacroSettingValue);
    ASSERT_TRUE(buttons && macros);
    EXPECT_EQ(buttons->type, kRegBinary);
    EXPECT_EQ(buttons->bytes, testing::BytesOf(*blocks.buttons));
    EXPECT_EQ(macros->type, kRegBinary);
    EXPECT_EQ(macros->bytes, testing::BytesOf(*blocks.macros));
    EXPECT_EQ(registry.writtenKeys, std::set<std::u16string>{kStoreKey});

    FakeRegistry refusing;
    refusing.failCreate = true;
    EXPECT_FALSE(WriteStore(refusing, *blocks.buttons, *blocks.macros));
    EXPECT_EQ(refusing.writes, 0);
}

TEST(SettingsStoreWrite, WriteMacroValueWritesOnlyTheMacrosAndOnlyIntoAnExistingKey) {
    Blocks blocks(0x44);
    FakeRegistry empty;
    EXPECT_FALSE(WriteMacroValue(empty, *blocks.macros));
    EXPECT_TRUE(empty.keys.empty());

    FakeRegistry registry;
    const auto storedButtons = testing::Pattern(104, 9);
    registry.SetBytes(kStoreKey, kButtonSettingValue, storedButtons);
    EXPECT_TRUE(WriteMacroValue(registry, *blocks.macros));
    EXPECT_EQ(registry.writes, 1);
    EXPECT_EQ(registry.Find(kStoreKey, kMacroSettingValue)->bytes, testing::BytesOf(*blocks.macros));
    EXPECT_EQ(registry.Find(kStoreKey, kButtonSettingValue)->bytes, storedButtons);
}

}  // namespace
}  // namespace k2q
