// Clicks, wheel notches, office shortcuts, window commands and media keys: each code to its
// exact input, and every code outside the tables to nothing.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "monitor/actions/BasicFunction.h"
#include "monitor/actions/ButtonEvent.h"
#include "monitor/actions/MediaFunction.h"
#include "monitor/actions/ActionFakes.h"

namespace k2q::monitor {
namespace {

using Table = std::map<int, Inputs>;

Inputs Shortcut(std::initializer_list<std::uint8_t> keys) {
    Inputs out;
    for (std::uint8_t vk : keys) {
        out.push_back(ShortcutDown(vk));
    }
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
        out.push_back(ShortcutUp(*it));
    }
    return out;
}

// Runs one action for every byte value and compares it with the table; a code missing from
// the table must inject nothing.
template <class Run>
void ExpectEveryCode(const Table& table, Run run) {
    for (int code = 0; code <= 0xFF; ++code) {
        FakeActions fakes;
        run(fakes, static_cast<std::uint8_t>(code));
        const auto it = table.find(code);
        EXPECT_EQ(fakes.input.inputs, it == table.end() ? Inputs{} : it->second)
            << "code 0x" << std::hex << code;
        EXPECT_TRUE(fakes.clock.sleeps.empty()) << "shortcuts never pause, code " << code;
    }
}

TEST(SynthesizedActions, FunctionCodesInjectTheirEvents) {
    ButtonSetting block{};
    const auto macros = std::make_unique<MacroSetting>();  // large: keep it off the stack
    const Table table = {
        {1, {MouseAt(kMouseLeftDown), MouseAt(kMouseLeftUp)}},
        {2, {MouseAt(kMouseRightDown), MouseAt(kMouseRightUp)}},
        {3, {MouseAt(kMouseMiddleDown), MouseAt(kMouseMiddleUp)}},
        {4, {MouseAt(kMouseMiddleDown), MouseAt(kMouseMiddleUp)}},
        {8, Shortcut({0x5B, 'E'})},
        {9, {MouseAt(kMouseXDown, 2), MouseAt(kMouseXUp, 2)}},
        {10, {MouseAt(kMouseXDown, 1), MouseAt(kMouseXUp, 1)}},
        {12, {MouseAt(kMouseWheel, 120)}},
        {13, {MouseAt(kMouseWheel, -120)}},
        {14, Shortcut({0x11, 'C'})},
        {15, {ShortcutDown(0xAD), ShortcutUp(0xAD)}},
        // 5 and 6 play the (empty) combination and macro; 16 and 17 only scroll.
    };
    ExpectEveryCode(table, [&](FakeActions& f, std::uint8_t function) {
        const ButtonRecord record{0, function, kEditCopy, kWinExplorer, kMediaMute, 0, 0, 0, 0};
        ExecuteButton(record, {block, *macros, 0}, f.ports);
    });
}

TEST(SynthesizedActions, EditCommandsSendCtrlShortcutsAndDeleteAlone) {
    const Table table = {
        {0x40, Shortcut({0x11, 0x58})}, {0x41, Shortcut({0x11, 0x43})},
        {0x42, Shortcut({0x11, 0x56})}, {0x44, Shortcut({0x11, 0x41})},
        {0x45, Shortcut({0x11, 0x46})}, {0x46, Shortcut({0x11, 0x4E})},
        {0x47, Shortcut({0x11, 0x50})}, {0x48, Shortcut({0x11, 0x53})},
        {0x49, Shortcut({0x2E})},
    };
    ExpectEveryCode(table, [](FakeActions& f, std::uint8_t code) {
        CBasicFunction(f.input, f.system).RunEditCommand(code);
    });
    // Spelled out once, so the shape of a shortcut is not only the helper's word.
    FakeActions f;
    CBasicFunction(f.input, f.system).RunEditCommand(kEditCopy);
    EXPECT_EQ(f.input.inputs, (Inputs{KeyboardInput{0x11, 0, 1, ExtraInfo::Zero},
                                      KeyboardInput{0x43, 0, 1, ExtraInfo::Zero},
                                      KeyboardInput{0x43, 0, 3, ExtraInfo::Zero},
                                      KeyboardInput{0x11, 0, 3, ExtraInfo::Zero}}));
}

TEST(SynthesizedActions, WindowCommandShortcuts) {
    // Lock, maximize and minimize inject nothing (they are system calls, below).
    const Table table = {
        {0x50, Shortcut({0x11, 0x5B, 0x09})}, {0x51, Shortcut({0xA4, 0x73})},
        {0x53, Shortcut({0x5B, 0x45})},       {0x54, Shortcut({0x5B, 0x52})},
        {0x55, Shortcut({0x5B, 0x44})},
    };
    ExpectEveryCode(table, [](FakeActions& f, std::uint8_t code) {
        f.system.foreground = 0x77;
        f.system.styles[0x77] = kStyleMaximizeBox | kStyleMinimizeBox;
        CBasicFunction(f.input, f.system).RunWindowCommand(code);
    });
}

TEST(SynthesizedActions, SwitchWindowFollowsTheSystemVersion) {
    for (int osClass = 0; osClass <= 6; ++osClass) {
        FakeActions f;
        f.system.osClass = osClass;
        CBasicFunction(f.input, f.system).RunWindowCommand(kWinSwitch);
        // Vista (5) and later flip with Ctrl + left Windows key + Tab; XP (4) and older use
        // left Alt + Tab.
        EXPECT_EQ(f.input.inputs,
                  osClass >= 5 ? Shortcut({0x11, 0x5B, 0x09}) : Shortcut({0xA4, 0x09}))
            << "class " << osClass;
    }
}

TEST(SynthesizedActions, MediaCommandsPressAndReleaseTheirKey) {
    const Table table = {
        {0x20, Shortcut({0xB3})}, {0x21, Shortcut({0xB2})}, {0x22, Shortcut({0xB1})},
        {0x23, Shortcut({0xB0})}, {0x24, Shortcut({0xB3})}, {0x25, Shortcut({0xAF})},
        {0x26, Shortcut({0xAE})}, {0x27, Shortcut({0xAD})},
    };
    ExpectEveryCode(table, [](FakeActions& f, std::uint8_t code) {
        CMediaFunction(f.input).RunMediaCommand(code);
    });
}

TEST(SynthesizedActions, LockTakesTheRedirectionStepsOnlyOn64BitSystems) {
    using Log = std::vector<std::string>;
    const FsRedirection missing{false, false, 0};
    const FsRedirection failed{true, false, 0};  // as in a 64-bit process
    const FsRedirection disabled{true, true, 0x5EED};
    struct Case {
        std::uint16_t architecture;
        FsRedirection redirection;
        Log log;
    } cases[] = {
        {0, disabled, {"lock"}},   // x86
        {5, disabled, {"lock"}},   // ARM
        {12, disabled, {"lock"}},  // ARM64 is not one of the two
        {kArchitectureAmd64, disabled, {"disable redirection", "lock", "revert redirection 5EED"}},
        {kArchitectureIa64, disabled, {"disable redirection", "lock", "revert redirection 5EED"}},
        {kArchitectureAmd64, failed, {"disable redirection", "lock"}},
        {kArchitectureAmd64, missing, {"disable redirection"}},
    };
    for (const Case& c : cases) {
        FakeActions f;
        f.system.architecture = c.architecture;
        f.system.redirection = c.redirection;
        CBasicFunction(f.input, f.system).RunWindowCommand(kWinLock);
        EXPECT_EQ(f.system.log, c.log) << "architecture " << c.architecture;
        EXPECT_TRUE(f.input.inputs.empty());
    }
}

TEST(SynthesizedActions, MaximizeAndMinimizeNeedTheBoxAndAWindowOtherThanTheDesktop) {
    using Log = std::vector<std::string>;
    constexpr WindowRef kApp = 0x77, kDesktop = 0xD0;
    constexpr std::uint32_t kBoth = kStyleMaximizeBox | kStyleMinimizeBox;
    struct Case {
        std::uint8_t command;
        WindowRef foreground;
        std::uint32_t style;
        Log log;
    } cases[] = {
        {kWinMaximize, kApp, kBoth, {"syscommand 77 F030"}},
        {kWinMinimize, kApp, kBoth, {"syscommand 77 F020"}},
        {kWinMaximize, kApp, kStyleMaximizeBox, {"syscommand 77 F030"}},
        {kWinMaximize, kApp, kStyleMinimizeBox, {}},
        {kWinMinimize, kApp, kStyleMaximizeBox, {}},
        {kWinMinimize, kApp, 0, {}},
        {kWinMaximize, kDesktop, kBoth, {}},
        {kWinMinimize, kDesktop, kBoth, {}},
        {kWinMaximize, 0, kBoth, {}},  // no foreground window at all
    };
    for (const Case& c : cases) {
        FakeActions f;
        f.system.foreground = c.foreground;
        f.system.desktop = kDesktop;
        f.system.styles[c.foreground] = c.style;
        CBasicFunction(f.input, f.system).RunWindowCommand(c.command);
        EXPECT_EQ(f.system.log, c.log)
            << std::hex << int(c.command) << " on " << c.foreground << " style " << c.style;
        EXPECT_TRUE(f.input.inputs.empty());
    }
}

}  // namespace
}  // namespace k2q::monitor
