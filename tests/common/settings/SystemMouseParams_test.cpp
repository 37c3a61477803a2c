#include "common/settings/SystemMouseParams.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "support/FakeRegistry.h"

namespace k2q {
namespace {

using testing::FakeRegistry;

TEST(SystemMouseParamsParse, FollowsTheRuntimeDecimalConversion) {
    const struct {
        std::u16string_view text;
        std::int32_t value;
    } cases[] = {
        {u"10", 10},
        {u"0", 0},
        {u"", 0},
        {u"  \t\r\n\v\f42", 42},
        {u"+7", 7},
        {u"-7", -7},
        {u"12 34", 12},
        {u"3lines", 3},
        {u"abc", 0},
        {u"- 5", 0},
        {u"+-5", 0},
        {u"0x10", 0},
        {u"007", 7},
        {u"\u0663", 0},  // an Arabic-Indic three is not a digit
        {u"2147483647", INT_MAX},
        {u"2147483648", INT_MAX},
        {u"-2147483648", INT_MIN},
        {u"99999999999999999999", INT_MAX},
        {u"-99999999999999999999", INT_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.value) << std::string(c.text.begin(), c.text.end());
    }
}

std::vector<std::uint8_t> Utf16(std::u16string_view text, bool terminated = true) {
    std::vector<std::uint8_t> bytes((text.size() + (terminated ? 1 : 0)) * 2, 0);
    std::memcpy(bytes.data(), text.data(), text.size() * 2);
    return bytes;
}

// A fresh profile's Control Panel, with one value changed by each case.
FakeRegistry FreshControlPanel() {
    FakeRegistry registry;
    registry.SeedFreshControlPanel();
    return registry;
}

TEST(SystemMouseParamsRead, ConvertsEachControlPanelValue) {
    enum Field { kSpeed, kDoubleClick, kAcceleration, kWheel };
    const std::u16string longText(300, u'1');
    const struct {
        const char* name;
        const char16_t* key;
        const char16_t* value;
        std::vector<std::uint8_t> bytes;  // empty: the value is deleted
        std::uint32_t type;
        Field field;
        std::int32_t expected;
    } cases[] = {
        {"speed 10", kMouseKey, u"MouseSensitivity", Utf16(u"10"), kRegSz, kSpeed, 5},
        {"speed 11", kMouseKey, u"MouseSensitivity", Utf16(u"11"), kRegSz, kSpeed, 6},
        {"speed 20", kMouseKey, u"MouseSensitivity", Utf16(u"20"), kRegSz, kSpeed, 10},
        {"speed 1", kMouseKey, u"MouseSensitivity", Utf16(u"1"), kRegSz, kSpeed, 1},
        {"speed 0", kMouseKey, u"MouseSensitivity", Utf16(u"0"), kRegSz, kSpeed, 0},
        {"speed -3 truncates toward 0", kMouseKey, u"MouseSensitivity", Utf16(u"-3"), kRegSz,
         kSpeed, -1},
        {"speed at the 32-bit limit", kMouseKey, u"MouseSensitivity", Utf16(u"2147483647"), kRegSz,
         kSpeed, 1073741824},
        {"speed as expandable string", kMouseKey, u"MouseSensitivity", Utf16(u"14"), kRegExpandSz,
         kSpeed, 7},
        {"speed as a 32-bit number",
         kMouseKey,
         u"MouseSensitivity",
         {10, 0, 0, 0},
         kRegDword,
         kSpeed,
         0},
        {"speed as binary", kMouseKey, u"MouseSensitivity", Utf16(u"10"), kRegBinary, kSpeed, 0},
        {"speed without terminator", kMouseKey, u"MouseSensitivity", Utf16(u"10", false), kRegSz,
         kSpeed, 0},
        {"speed of an odd byte length",
         kMouseKey,
         u"MouseSensitivity",
         {'8', 0, 0},
         kRegSz,
         kSpeed,
         0},
        {"speed longer than 260 characters", kMouseKey, u"MouseSensitivity", Utf16(longText),
         kRegSz, kSpeed, 0},
        {"speed of 259 characters and zero", kMouseKey, u"MouseSensitivity",
         Utf16(std::u16string(257, u' ') + u"12"), kRegSz, kSpeed, 6},
        {"speed missing", kMouseKey, u"MouseSensitivity", {}, kRegSz, kSpeed, 0},
        {"double click", kMouseKey, u"DoubleClickSpeed", Utf16(u"730"), kRegSz, kDoubleClick, 730},
        {"double click missing", kMouseKey, u"DoubleClickSpeed", {}, kRegSz, kDoubleClick, 0},
        {"acceleration on", kMouseKey, u"MouseSpeed", Utf16(u"2"), kRegSz, kAcceleration, 1},
        {"mouse speed 0", kMouseKey, u"MouseSpeed", Utf16(u"0"), kRegSz, kAcceleration, 0},
        {"threshold 1 of 0", kMouseKey, u"MouseThreshold1", Utf16(u"0"), kRegSz, kAcceleration, 0},
        {"threshold 2 negative", kMouseKey, u"MouseThreshold2", Utf16(u"-10"), kRegSz,
         kAcceleration, 0},
        {"threshold 2 unreadable",
         kMouseKey,
         u"MouseThreshold2",
         {10, 0, 0, 0},
         kRegDword,
         kAcceleration,
         0},
        {"mouse speed missing", kMouseKey, u"MouseSpeed", {}, kRegSz, kAcceleration, 0},
        {"wheel lines", kDesktopKey, u"WheelScrollLines", Utf16(u" 7"), kRegSz, kWheel, 7},
        {"wheel lines missing", kDesktopKey, u"WheelScrollLines", {}, kRegSz, kWheel, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRegistry registry = FreshControlPanel();
        if (c.bytes.empty()) {
            registry.keys[c.key].erase(c.value);
        } else {
            registry.SetBytes(c.key, c.value, c.bytes, c.type);
        }
        ButtonSetting block{};
        ReadSystemMouseParams(registry, block);
        const std::int32_t fields[] = {block.mouse.pointerSpeed, block.mouse.doubleClickTime,
                                       block.mouse.acceleration, block.mouse.wheelLines};
        EXPECT_EQ(fields[c.field], c.expected);
        EXPECT_EQ(registry.writes, 0);
    }
}

TEST(SystemMouseParamsRead, StartsFromZeroAndSetsTheFixedFieldsWhateverTheBlockHeld) {
    FakeRegistry registry;  // no Control Panel keys at all
    ButtonSetting block;
    std::memset(&block, 0xAB, sizeof block);
    ReadSystemMouseParams(registry, block);

    const MouseParams& p = block.mouse;
    EXPECT_EQ(p.wheelLines, 0);
    EXPECT_EQ(p.doubleClickTime, 0);
    EXPECT_EQ(p.pointerSpeed, 0);
    EXPECT_EQ(p.acceleration, 0);
    EXPECT_EQ(p.hScrollAmount, 3);
    EXPECT_EQ(p.cpi800, 1);
    EXPECT_EQ(p.cpi1600, 1);
    EXPECT_EQ(p.cpi2400, 1);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&block);
    for (std::size_t i = 0; i < 64; ++i) {
        ASSERT_EQ(bytes[i], 0xAB) << "byte " << i;  // the records are not the caller's here
    }
    for (std::size_t i = 96; i < 104; ++i) {
        ASSERT_EQ(bytes[i], 0xAB) << "byte " << i;
    }
}

// Records every call as one line, so a case states the whole sequence.
class RecordingSystem : public SystemParameters {
  public:
    std::vector<std::string> log;
    bool succeed = true;

    bool Set(std::uint32_t action, std::uint32_t uiParam, void* pvParam,
             std::uint32_t flags) override {
        std::string line = "set " + std::to_string(action) + " ui " + std::to_string(uiParam);
        if (action == kSpiSetMouse) {
            lastArray_ = static_cast<const std::int32_t*>(pvParam);
            line += " array " + std::to_string(lastArray_[0]) + "," +
                    std::to_string(lastArray_[1]) + "," + std::to_string(lastArray_[2]);
        } else {
            line += " pv " + std::to_string(reinterpret_cast<std::intptr_t>(pvParam));
        }
        log.push_back(line + " flags " + std::to_string(flags));
        return succeed;
    }
    void SendSettingChange(std::uintptr_t wParam, std::intptr_t lParam) override {
        const bool isArray = lastArray_ && lParam == reinterpret_cast<std::intptr_t>(lastArray_);
        log.push_back("send " + std::to_string(wParam) + " " +
                      (isArray ? std::string("array") : std::to_string(lParam)));
    }

  private:
    const std::int32_t* lastArray_ = nullptr;
};

TEST(SystemMouseParamsApply, CallsInOrderWithTheirArgumentsAndReportsProgress) {
    const struct {
        const char* name;
        MouseParams params;
        bool succeed;
        std::vector<std::string> log;
    } cases[] = {
        {"acceleration on",
         {3, 3, 500, 5, 1, 1, 1, 1, {0, 0}},
         true,
         {"set 105 ui 3 pv 0 flags 3", "send 105 0", "progress 85",
          "set 4 ui 0 array 6,10,1 flags 3", "send 4 array", "set 113 ui 0 pv 10 flags 3",
          "send 113 0", "progress 90", "set 32 ui 500 pv 0 flags 3", "send 32 0", "progress 95"}},
        {"acceleration off, zeros passed as they are, failing calls go on",
         {0, 3, 0, 0, 0, 1, 1, 1, {0, 0}},
         false,
         {"set 105 ui 0 pv 0 flags 3", "send 105 0", "progress 85",
          "set 4 ui 0 array 0,0,0 flags 3", "send 4 array", "set 113 ui 0 pv 0 flags 3",
          "send 113 0", "progress 90", "set 32 ui 0 pv 0 flags 3", "send 32 0", "progress 95"}},
        {"acceleration other than 1 counts as off; damaged values go out unchanged",
         {-1, 3, 900, INT_MAX, 2, 1, 1, 1, {0, 0}},
         true,
         {"set 105 ui 4294967295 pv 0 flags 3", "send 105 0", "progress 85",
          "set 4 ui 0 array 0,0,0 flags 3", "send 4 array", "set 113 ui 0 pv -2 flags 3",
          "send 113 0", "progress 90", "set 32 ui 900 pv 0 flags 3", "send 32 0", "progress 95"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingSystem system;
        system.succeed = c.succeed;
        ApplySystemMouseParams(system, c.params, [&](int percent) {
            system.log.push_back("progress " + std::to_string(percent));
        });
        EXPECT_EQ(system.log, c.log);
    }

    RecordingSystem quiet;  // no progress callback
    ApplySystemMouseParams(quiet, {3, 3, 500, 5, 1, 1, 1, 1, {0, 0}}, nullptr);
    EXPECT_EQ(quiet.log.size(), 8u);
}

}  // namespace
}  // namespace k2q
