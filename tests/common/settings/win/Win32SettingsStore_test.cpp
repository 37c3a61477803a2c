// The store against the real registry of the current user: each test starts without the key
// and removes it again.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/settings/SettingsStore.h"
#include "common/win/Win32Registry.h"
#include "support/Bytes.h"
#include "support/win/RawRegistry.h"

namespace k2q {
namespace {

using testing::RawValue;
using testing::ReadRaw;

constexpr wchar_t kKey[] = L"Software\\Tavik\\K2q";

void WriteRaw(const wchar_t* name, DWORD type, const std::vector<std::uint8_t>& bytes) {
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h,
                                nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegSetValueExW(h, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    ::RegCloseKey(h);
}

void DeleteStoreKey() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Tavik");  // only when nothing else is in it
}

int ControlPanelNumber(const wchar_t* key, const wchar_t* name) {
    wchar_t text[260] = {};
    DWORD size = sizeof text;
    if (::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS) {
        return 0;
    }
    return _wtoi(text);
}

class Win32SettingsStore : public ::testing::Test {
  protected:
    void SetUp() override {
        DeleteStoreKey();
        std::memset(buttons.get(), 0, sizeof *buttons);
        std::memset(macros.get(), 0, sizeof *macros);
    }
    void TearDown() override { DeleteStoreKey(); }

    win::Win32Registry registry;
    std::unique_ptr<ButtonSetting> buttons = std::make_unique<ButtonSetting>();
    std::unique_ptr<MacroSetting> macros = std::make_unique<MacroSetting>();
};

TEST_F(Win32SettingsStore, WithoutTheKeyLoadCreatesItWithDefaultsSystemValuesAndZeroMacros) {
    LoadOrCreateStore(registry, *buttons, *macros);

    ButtonSetting expected;
    SetButtonDefaults(expected);
    const int sensitivity = ControlPanelNumber(L"Control Panel\\Mouse", L"MouseSensitivity");
    expected.mouse.pointerSpeed = (sensitivity + 1) / 2;
    expected.mouse.doubleClickTime =
        ControlPanelNumber(L"Control Panel\\Mouse", L"DoubleClickSpeed");
    expected.mouse.acceleration =
        ControlPanelNumber(L"Control Panel\\Mouse", L"MouseSpeed") > 0 &&
        ControlPanelNumber(L"Control Panel\\Mouse", L"MouseThreshold1") > 0 &&
        ControlPanelNumber(L"Control Panel\\Mouse", L"MouseThreshold2") > 0;
    expected.mouse.wheelLines = ControlPanelNumber(L"Control Panel\\Desktop", L"WheelScrollLines");
    expected.mouse.hScrollAmount = 3;
    expected.mouse.cpi800 = expected.mouse.cpi1600 = expected.mouse.cpi2400 = 1;

    const auto storedButtons = ReadRaw(kKey, L"ButtonSetting");
    const auto storedMacros = ReadRaw(kKey, L"MacroSetting");
    ASSERT_TRUE(storedButtons && storedMacros);
    EXPECT_EQ(storedButtons->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(storedButtons->bytes, testing::BytesOf(expected));
    EXPECT_EQ(storedMacros->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(storedMacros->bytes, std::vector<std::uint8_t>(213604, 0));
    EXPECT_EQ(testing::BytesOf(*buttons), testing::BytesOf(expected));
}

TEST_F(Win32SettingsStore, ButtonValuesOfAnotherTypeOrTooLongAreReplacedAndShortOnesAccepted) {
    const struct {
        const char* name;
        DWORD type;
        std::vector<std::uint8_t> bytes;
        bool replaced;
    } cases[] = {
        {"REG_DWORD", REG_DWORD, {5, 0, 0, 0}, true},
        {"200 bytes", REG_BINARY, testing::Pattern(200, 1), true},
        {"50 bytes", REG_BINARY, testing::Pattern(50, 1), false},
    };
    const auto storedMacros = testing::Pattern(213604, 9);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteStoreKey();
        WriteRaw(L"ButtonSetting", c.type, c.bytes);
        WriteRaw(L"MacroSetting", REG_BINARY, storedMacros);
        std::memset(buttons.get(), 0x5A, sizeof *buttons);  // what the program held before
        LoadOrCreateStore(registry, *buttons, *macros);

        const auto stored = ReadRaw(kKey, L"ButtonSetting");
        ASSERT_TRUE(stored);
        if (c.replaced) {
            ButtonSetting defaults;
            SetButtonDefaults(defaults);
            EXPECT_EQ(std::memcmp(buttons->records, defaults.records, sizeof defaults.records), 0);
            EXPECT_EQ(buttons->mouse.hScrollAmount, 3);
            EXPECT_EQ(stored->type, static_cast<DWORD>(REG_BINARY));
            EXPECT_EQ(stored->bytes, testing::BytesOf(*buttons));
        } else {
            std::vector<std::uint8_t> expected(104, 0x5A);
            std::copy(c.bytes.begin(), c.bytes.end(), expected.begin());
            EXPECT_EQ(testing::BytesOf(*buttons), expected);
            EXPECT_EQ(stored->bytes, c.bytes);  // an accepted value is not rewritten
        }
        EXPECT_EQ(testing::BytesOf(*macros), storedMacros);
        EXPECT_EQ(ReadRaw(kKey, L"MacroSetting")->bytes, storedMacros);
    }
}

TEST_F(Win32SettingsStore, WrittenBlocksReachAReloadAndADeletedKeyKeepsTheCopies) {
    auto written = std::make_unique<MacroSetting>();
    const auto pattern = testing::Pattern(sizeof *written, 4);
    std::memcpy(written.get(), pattern.data(), pattern.size());
    ButtonSetting writtenButtons;
    SetButtonDefaults(writtenButtons);
    writtenButtons.records[3].function = kFnEditCommand;
    writtenButtons.records[3].editCommand = kEditCopy;

    EXPECT_FALSE(WriteMacroValue(registry, *written));  // never creates the key
    EXPECT_FALSE(ReadRaw(kKey, L"MacroSetting"));
    ASSERT_TRUE(WriteStore(registry, writtenButtons, *written));

    StoreReload reload = ReloadStore(registry, *buttons, *macros);
    EXPECT_TRUE(reload.buttons && reload.macros);
    EXPECT_EQ(testing::BytesOf(*buttons), testing::BytesOf(writtenButtons));
    EXPECT_EQ(testing::BytesOf(*macros), pattern);

    written->count = 7;
    EXPECT_TRUE(WriteMacroValue(registry, *written));
    EXPECT_EQ(ReadRaw(kKey, L"MacroSetting")->bytes, testing::BytesOf(*written));

    DeleteStoreKey();
    reload = ReloadStore(registry, *buttons, *macros);
    EXPECT_FALSE(reload.keyOpened);
    EXPECT_EQ(testing::BytesOf(*buttons), testing::BytesOf(writtenButtons));
    EXPECT_EQ(testing::BytesOf(*macros), pattern);
    EXPECT_FALSE(ReadRaw(kKey, L"ButtonSetting"));  // and nothing was written back
}

}  // namespace
}  // namespace k2q
