// The button page's decisions without windows: the caption of every record, the function
// menus and where they open, and what a choice does to the record of the current button.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "config/buttons/ButtonCaption.h"
#include "config/buttons/FunctionMenu.h"

namespace k2q::config {
namespace {

// Every text is its own key's name, so a caption shows which key it came from.
UiStrings KeyNames() {
    UiStrings texts;
    for (std::size_t i = 0; i < kUiKeyCount; ++i) {
        const auto key = static_cast<UiKey>(i);
        texts.Set(key, std::u16string(UiKeyName(key)));
    }
    return texts;
}

std::u16string U16(std::string_view s) {
    return {s.begin(), s.end()};
}

std::u16string NameCombination(std::uint8_t m, std::uint8_t k1, std::uint8_t k2) {
    return U16("combo " + std::to_string(m) + " " + std::to_string(k1) + " " + std::to_string(k2));
}

TEST(ButtonCaption, EveryFunctionAndCommandByte) {
    const std::map<int, std::string_view> plain = {
        {1, "tc_click"},     {2, "tc_menu"},      {3, "tc_middle"},    {4, "tc_dbclick"},
        {7, "tc_key_off"},   {9, "tc_pre"},       {10, "tc_next"},     {11, "tc_flip_3d"},
        {12, "tc_scrollup"}, {13, "tc_scrolldw"}, {16, "tc_scrolllt"}, {17, "tc_scrollrt"},
    };
    struct CommandTable {
        int function;
        int byte;  // the record byte that holds the command
        std::map<int, std::string_view> labels;
    };
    const CommandTable commands[] = {
        {14,
         2,
         {{0x40, "tc_cut"},
          {0x41, "tc_copy"},
          {0x42, "tc_past"},
          {0x44, "tc_all"},
          {0x45, "tc_find"},
          {0x46, "tc_new"},
          {0x47, "tc_print"},
          {0x48, "tc_save"}}},
        {8,
         3,
         {{0x50, "tc_swap"},
          {0x51, "tc_close"},
          {0x52, "tc_lock"},
          {0x53, "tc_explor"},
          {0x54, "tc_run"},
          {0x55, "tc_show"},
          {0x58, "tc_max_win"},
          {0x59, "tc_min_win"}}},
        {15,
         4,
         {{0x20, "tc_PL"},
          {0x21, "tc_stop"},
          {0x22, "tc_pre_media"},
          {0x23, "tc_next_media"},
          {0x25, "tc_vol_up"},
          {0x26, "tc_vol_dw"},
          {0x27, "tc_mute"}}},
    };
    const UiStrings texts = KeyNames();
    const auto macros = std::make_unique<MacroSetting>();

    for (int f = 0; f < 256; ++f) {
        if (f == kFnCombination || f == kFnMacro) {
            continue;
        }
        const CommandTable* table = nullptr;
        for (const CommandTable& t : commands) {
            table = t.function == f ? &t : table;
        }
        for (int code = 0; code < 256; ++code) {
            // The command goes into every command byte, so a caption read from the wrong
            // byte shows up as well as a missing one.
            ButtonRecord r{0, static_cast<std::uint8_t>(f), static_cast<std::uint8_t>(code),
                           static_cast<std::uint8_t>(code), static_cast<std::uint8_t>(code)};
            std::string_view want;
            if (table) {
                const auto it = table->labels.find(code);
                want = it == table->labels.end() ? "" : it->second;
            } else if (plain.count(f)) {
                want = plain.at(f);
            }
            ASSERT_EQ(ButtonCaption(r, texts, *macros, NameCombination), U16(want))
                << "function " << f << " code " << code;
            if (!table) {
                break;  // the other bytes do not matter to plain functions
            }
        }
    }

    // Only the function's own byte names the command.
    const ButtonRecord copyInEditByteOnly{0, kFnWindowCommand, kEditCopy, 0, 0};
    EXPECT_EQ(ButtonCaption(copyInEditByteOnly, texts, *macros, NameCombination), u"");
}

TEST(ButtonCaption, MacrosShowTheStoredNameAndCombinationsTheirText) {
    const UiStrings texts = KeyNames();
    auto macros = std::make_unique<MacroSetting>();
    std::memset(macros.get(), 0, sizeof *macros);
    macros->count = 2;
    SetMacroName(macros->macros[1], u"Reload");
    SetMacroName(macros->macros[5], u"Left over");  // beyond the number in use
    SetMacroName(macros->macros[99], u"Last");

    const auto caption = [&](std::uint8_t index) {
        return ButtonCaption({0, kFnMacro, 0, 0, 0, index}, texts, *macros, NameCombination);
    };
    EXPECT_EQ(caption(1), u"Reload");
    EXPECT_EQ(caption(5), u"Left over");
    EXPECT_EQ(caption(99), u"Last");
    EXPECT_EQ(caption(100), u"");
    EXPECT_EQ(caption(255), u"");

    const ButtonRecord combo{0, kFnCombination, 0, 0, 0, 0, 0x05, 0x2E, 0x00};
    EXPECT_EQ(ButtonCaption(combo, texts, *macros, NameCombination), u"combo 5 46 0");
}

TEST(ButtonCaption, DefaultsShowTheFactoryFunctions) {
    ButtonSetting block;
    SetButtonDefaults(block);
    const UiStrings texts = KeyNames();
    const auto macros = std::make_unique<MacroSetting>();
    const char16_t* want[] = {u"tc_click", u"tc_middle",   u"tc_menu",    u"tc_pre",
                              u"tc_next",  u"tc_scrollup", u"tc_scrolldw"};
    for (int i = 0; i < kRecordCount; ++i) {
        EXPECT_EQ(ButtonCaption(block.records[i], texts, *macros, NameCombination), want[i]);
    }
}

std::string Describe(const std::vector<FunctionMenuItem>& menu) {
    std::string s;
    for (const FunctionMenuItem& item : menu) {
        s += std::string(item.key) + ":" + std::to_string(item.function);
        if (!item.entries.empty()) {
            s += "[";
            for (const MenuEntry& e : item.entries) {
                s += std::string(e.key) + ":" + std::to_string(e.id) + " ";
            }
            s += "]";
        }
        s += " ";
    }
    return s;
}

TEST(FunctionMenu, ItemsAndSubmenusInTheirOrder) {
    const std::string submenus =
        "tc_base_fun:14[tc_cut:64 tc_copy:65 tc_past:66 tc_all:68 tc_find:69 tc_new:70 "
        "tc_print:71 tc_save:72 ] "
        "tc_advance:8[tc_swap:80 tc_close:81 tc_explor:83 tc_run:84 tc_show:85 tc_lock:82 ] "
        "tc_media:15[tc_PL:32 tc_stop:33 tc_pre_media:34 tc_next_media:35 tc_vol_up:37 "
        "tc_vol_dw:38 tc_mute:39 ] tc_mac_def:6 tc_key_off:7 ";
    const std::string buttonMenu =
        "tc_click:1 tc_middle:3 tc_menu:2 tc_dbclick:4 tc_pre:9 tc_next:10 tc_combokey:5 " +
        submenus;
    const std::string wheelMenu =
        "tc_scrollup:12 tc_scrolldw:13 tc_scrolllt:16 tc_scrollrt:17 tc_pre:9 tc_next:10 "
        "tc_combokey:5 " +
        submenus;
    for (int label = 0; label < kButtonCount; ++label) {
        EXPECT_EQ(Describe(FunctionMenuOf(label)), buttonMenu) << label;
    }
    EXPECT_EQ(Describe(FunctionMenuOf(kWheelForward)), wheelMenu);
    EXPECT_EQ(Describe(FunctionMenuOf(kWheelBackward)), wheelMenu);
    EXPECT_TRUE(FunctionMenuOf(kNoButton).empty());
    EXPECT_TRUE(FunctionMenuOf(kRecordCount).empty());
    // The submenus hang on items 7, 8 and 9.
    EXPECT_FALSE(FunctionMenuOf(0)[7].entries.empty());
    EXPECT_FALSE(FunctionMenuOf(0)[9].entries.empty());
}

TEST(FunctionMenu, OpensAtThePointerOrShiftedByTheFixedReach) {
    struct Case {
        Point pointer;
        Point origin;
    } cases[] = {
        {{100, 100}, {100, 100}},   {{1770, 100}, {1770, 100}},  // exactly 150 to the edge still
                                                                 // fits
        {{1771, 100}, {1621, 100}}, {{1820, 100}, {1670, 100}},  // 100 from the edge: 150 to the
                                                                 // left of the pointer
        {{100, 793}, {100, 793}},   {{100, 794}, {100, 507}},   {{1900, 1000}, {1750, 713}},
    };
    for (const Case& c : cases) {
        const Point o = FunctionMenuOrigin(c.pointer, 1920, 1080);
        EXPECT_EQ(o.x, c.origin.x) << c.pointer.x << "," << c.pointer.y;
        EXPECT_EQ(o.y, c.origin.y) << c.pointer.x << "," << c.pointer.y;
    }
}

TEST(FunctionMenu, ChoicesUpTo39BelongToTheButtonPage) {
    EXPECT_TRUE(IsFunctionChoice(14u << 16 | 0x41));
    EXPECT_TRUE(IsFunctionChoice(39u << 16));
    EXPECT_FALSE(IsFunctionChoice(40u << 16));
    const MenuChoice c = DecodeMenuChoice(14u << 16 | 66);
    EXPECT_EQ(c.item, 14);
    EXPECT_EQ(c.entry, 66);
}

// Dialog outcomes as inputs; records what was asked and in which state.
class ScriptedDialogs : public ChoiceDialogs {
  public:
    explicit ScriptedDialogs(const ButtonPageState& state) : state_(state) {}
    void ShowRefusal() override { ++refusals; }
    CombinationOutcome RunCombinationDialog() override {
        ++combinationRuns;
        trackingDuringDialog = state_.tracking;
        return combination;
    }
    MacroEditorOutcome RunMacroEditor(int startIndex, int button) override {
        ++macroRuns;
        trackingDuringDialog = state_.tracking;
        editorStart = startIndex;
        editorButton = button;
        return macro;
    }

    CombinationOutcome combination;
    MacroEditorOutcome macro;
    int refusals = 0;
    int combinationRuns = 0;
    int macroRuns = 0;
    bool trackingDuringDialog = true;
    int editorStart = -2;
    int editorButton = -2;

  private:
    const ButtonPageState& state_;
};

constexpr std::uint32_t Choice(int function, int command = 0) {
    return static_cast<std::uint32_t>(function) << 16 | static_cast<std::uint32_t>(command);
}

class MenuChoiceTest : public ::testing::Test {
  protected:
    MenuChoiceTest() { SetButtonDefaults(block); }
    ChoiceEffect Pick(int button, std::uint32_t choice) {
        state.currentButton = button;
        return ApplyMenuChoice(state, block, choice, dialogs);
    }
    ButtonSetting block;
    ButtonPageState state;
    ScriptedDialogs dialogs{state};
};

TEST_F(MenuChoiceTest, TheLastLeftClickIsGuardedBeforeAnyDialogOpens) {
    struct Case {
        int button;
        std::uint32_t choice;
        ChoiceEffect effect;
    } cases[] = {
        {kLeftButton, Choice(kFnMiddleClick), ChoiceEffect::Refused},
        {kLeftButton, Choice(kFnCombination), ChoiceEffect::Refused},
        {kLeftButton, Choice(kFnMacro), ChoiceEffect::Refused},
        {kLeftButton, Choice(kFnEditCommand, kEditCopy), ChoiceEffect::Refused},
        {kLeftButton, Choice(kFnLeftClick), ChoiceEffect::Recaption},
        {kRightButton, Choice(kFnMiddleClick), ChoiceEffect::Recaption},
        {kNoButton, Choice(kFnMiddleClick), ChoiceEffect::Ignored},
        {kRecordCount, Choice(kFnMiddleClick), ChoiceEffect::Ignored},
    };
    for (const Case& c : cases) {
        SetButtonDefaults(block);
        const ButtonSetting before = block;
        dialogs.refusals = dialogs.combinationRuns = dialogs.macroRuns = 0;
        EXPECT_EQ(Pick(c.button, c.choice), c.effect) << c.button << " " << (c.choice >> 16);
        EXPECT_EQ(dialogs.refusals, c.effect == ChoiceEffect::Refused ? 1 : 0);
        if (c.effect != ChoiceEffect::Recaption) {
            EXPECT_EQ(dialogs.combinationRuns + dialogs.macroRuns, 0);
            EXPECT_EQ(std::memcmp(&block, &before, sizeof block), 0);
        }
    }

    // Once the right button also clicks left, the left button is free.
    SetButtonDefaults(block);
    EXPECT_EQ(Pick(kRightButton, Choice(kFnLeftClick)), ChoiceEffect::Recaption);
    EXPECT_EQ(Pick(kLeftButton, Choice(kFnMiddleClick)), ChoiceEffect::Recaption);
    EXPECT_EQ(block.records[kLeftButton].function, kFnMiddleClick);
    EXPECT_EQ(Pick(kRightButton, Choice(kFnRightClick)), ChoiceEffect::Refused);
}

TEST_F(MenuChoiceTest, SubmenuChoicesWriteTheirByteAndKeepTheOthers) {
    block.records[kFirstSideButton] = {3, kFnCombination, 0x11, 0x22, 0x33, 0x44, 0x05, 0x2E, 0x41};
    EXPECT_EQ(Pick(kFirstSideButton, Choice(kFnEditCommand, kEditCopy)), ChoiceEffect::Recaption);
    const ButtonRecord want{3, kFnEditCommand, kEditCopy, 0x22, 0x33, 0x44, 0x05, 0x2E, 0x41};
    EXPECT_EQ(std::memcmp(&block.records[kFirstSideButton], &want, sizeof want), 0);
    EXPECT_EQ(state.currentButton, kFirstSideButton);  // stays set after the choice
}

TEST_F(MenuChoiceTest, CombinationAndMacroOutcomes) {
    // The combination dialog: written only after OK with something captured; tracking is off
    // while it runs and on again afterwards, whatever its outcome.
    dialogs.combination = {true, 0x05, 0x2E, 0};
    EXPECT_EQ(Pick(kWheelForward, Choice(kFnCombination)), ChoiceEffect::Recaption);
    EXPECT_FALSE(dialogs.trackingDuringDialog);
    EXPECT_TRUE(state.tracking);
    const ButtonRecord& r = block.records[kWheelForward];
    EXPECT_EQ(r.function, kFnCombination);
    EXPECT_EQ(r.comboModifiers, 0x05);
    EXPECT_EQ(r.comboKey1, 0x2E);

    dialogs.combination = {true, 0, 0, 0};  // OK with nothing captured (no keyboard hook)
    EXPECT_EQ(Pick(kWheelBackward, Choice(kFnCombination)), ChoiceEffect::Recaption);
    EXPECT_EQ(block.records[kWheelBackward].function, kFnScrollDown);
    EXPECT_TRUE(state.tracking);

    // The macro editor opens on the record's macro only when it already holds one.
    dialogs.macro = {true, 4};
    Pick(kSecondSideButton, Choice(kFnMacro));
    EXPECT_EQ(dialogs.editorStart, -1);
    EXPECT_EQ(dialogs.editorButton, kSecondSideButton);
    EXPECT_FALSE(dialogs.trackingDuringDialog);
    EXPECT_EQ(block.records[kSecondSideButton].function, kFnMacro);
    EXPECT_EQ(block.records[kSecondSideButton].macroIndex, 4);

    dialogs.macro = {false, 7};  // cancelled
    EXPECT_EQ(Pick(kSecondSideButton, Choice(kFnMacro)), ChoiceEffect::Recaption);
    EXPECT_EQ(dialogs.editorStart, 4);
    EXPECT_EQ(block.records[kSecondSideButton].macroIndex, 4);

    dialogs.macro = {true, -1};  // OK without a macro: back to the default function
    Pick(kSecondSideButton, Choice(kFnMacro));
    EXPECT_EQ(block.records[kSecondSideButton].function, kFnExtraButton1);
    EXPECT_TRUE(state.tracking);
}

}  // namespace
}  // namespace k2q::config
