#include "config/buttons/FunctionMenu.h"

#include "common/settings/FunctionCatalog.h"

namespace k2q::config {

std::vector<FunctionMenuItem> FunctionMenuOf(int label) {
    std::span<const std::uint8_t> functions;
    if (label >= 0 && label < kButtonCount) {
        functions = ButtonMenuFunctions();
    } else if (label >= kButtonCount && label < kRecordCount) {
        functions = WheelMenuFunctions();
    }
    std::vector<FunctionMenuItem> items;
    items.reserve(functions.size());
    for (std::uint8_t f : functions) {
        FunctionMenuItem item{FunctionLabelKey(f), f, {}};
        for (std::uint8_t code : SubMenuCommands(f)) {
            item.entries.push_back({CommandLabelKey(f, code), code});
        }
        items.push_back(std::move(item));
    }
    return items;
}

Point FunctionMenuOrigin(Point pointer, int screenWidth, int screenHeight) {
    Point origin = pointer;
    if (origin.x + kMenuReachX > screenWidth) {
        origin.x -= kMenuReachX;
    }
    if (origin.y + kMenuReachY > screenHeight) {
        origin.y -= kMenuReachY;
    }
    return origin;
}

ChoiceEffect ApplyMenuChoice(ButtonPageState& state, ButtonSetting& block, std::uint32_t choice,
                             ChoiceDialogs& dialogs) {
    const int i = state.currentButton;
    const MenuChoice menu = DecodeMenuChoice(choice);
    if (i < 0 || i >= kRecordCount || menu.item > kLastFunctionChoice) {
        return ChoiceEffect::Ignored;
    }
    FunctionChoice pick{static_cast<std::uint8_t>(menu.item),
                        static_cast<std::uint8_t>(menu.entry)};
    if (IsLastLeftClickRefusal(block, i, pick.function)) {
        dialogs.ShowRefusal();
        return ChoiceEffect::Refused;
    }
    if (pick.function == kFnCombination) {
        state.tracking = false;
        pick.combination = dialogs.RunCombinationDialog();
        state.tracking = true;
    } else if (pick.function == kFnMacro) {
        state.tracking = false;
        pick.macro = dialogs.RunMacroEditor(MacroEditorStartIndex(block, i), i);
        state.tracking = true;
    }
    ApplyFunctionChoice(block, i, pick);
    return ChoiceEffect::Recaption;
}

}  // namespace k2q::config
