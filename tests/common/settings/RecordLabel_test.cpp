#include "common/settings/RecordLabel.h"

#include <gtest/gtest.h>

#include "common/settings/FunctionCatalog.h"

namespace k2q {
namespace {

TEST(RecordLabel, PlainFunctionsAndCommandsNameTheirLanguageKey) {
    struct Case {
        ButtonRecord record;
        std::string_view key;
    } cases[] = {
        {{0, kFnLeftClick}, "tc_click"},
        {{0, kFnDoubleClick}, "tc_dbclick"},
        {{0, kFnFlip3d}, "tc_flip_3d"},
        {{0, kFnScrollRight}, "tc_scrollrt"},
        {{0, kFnNone}, ""},
        {{0, 18}, ""},
        {{0, 255}, ""},
        {{0, kFnEditCommand, kEditCopy}, "tc_copy"},
        {{0, kFnEditCommand, kEditDelete}, ""},  // carried out, but has no label
        {{0, kFnEditCommand, 0x43}, ""},
        {{0, kFnWindowCommand, 0, kWinMaximize}, "tc_max_win"},
        {{0, kFnWindowCommand, kWinClose, 0}, ""},  // the edit byte is not the window byte
        {{0, kFnMediaCommand, 0, 0, kMediaPlayPause2}, ""},
        {{0, kFnMediaCommand, 0, 0, kMediaMute}, "tc_mute"},
    };
    for (const Case& c : cases) {
        const RecordLabel label = LabelOfRecord(c.record);
        EXPECT_EQ(label.kind, RecordLabel::Kind::Text);
        EXPECT_EQ(label.key, c.key) << "function " << int(c.record.function);
    }
}

TEST(RecordLabel, MacrosAndCombinationsNameTheirArguments) {
    const RecordLabel macro = LabelOfRecord({0, kFnMacro, 0, 0, 0, 42});
    EXPECT_EQ(macro.kind, RecordLabel::Kind::MacroName);
    EXPECT_EQ(macro.macroIndex, 42);

    const RecordLabel combo = LabelOfRecord({0, kFnCombination, 0, 0, 0, 0, 0x05, 0x2E, 0x41});
    EXPECT_EQ(combo.kind, RecordLabel::Kind::Combination);
    EXPECT_EQ(combo.modifiers, 0x05);
    EXPECT_EQ(combo.key1, 0x2E);
    EXPECT_EQ(combo.key2, 0x41);
}

TEST(FunctionCatalog, MenusListTheirFunctionsInOrder) {
    const std::vector<std::uint8_t> button(ButtonMenuFunctions().begin(),
                                           ButtonMenuFunctions().end());
    const std::vector<std::uint8_t> wheel(WheelMenuFunctions().begin(), WheelMenuFunctions().end());
    EXPECT_EQ(button, (std::vector<std::uint8_t>{1, 3, 2, 4, 9, 10, 5, 14, 8, 15, 6, 7}));
    EXPECT_EQ(wheel, (std::vector<std::uint8_t>{12, 13, 16, 17, 9, 10, 5, 14, 8, 15, 6, 7}));

    // Every sub-menu entry has a label; the codes without a menu are not offered.
    for (std::uint8_t f : {kFnEditCommand, kFnWindowCommand, kFnMediaCommand}) {
        for (std::uint8_t code : SubMenuCommands(f)) {
            EXPECT_FALSE(CommandLabelKey(f, code).empty()) << int(f) << "/" << int(code);
            EXPECT_NE(code, kEditDelete);
            EXPECT_NE(code, kWinMaximize);
            EXPECT_NE(code, kMediaPlayPause2);
        }
    }
    EXPECT_EQ(SubMenuCommands(kFnWindowCommand).size(), 6u);
    EXPECT_TRUE(SubMenuCommands(kFnMacro).empty());
}

}  // namespace
}  // namespace k2q
