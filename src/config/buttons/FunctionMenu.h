// The function menus of the button page: what they offer, where they open, and what a choice
// in them does to the record of the label that opened them. The windows (the menu, the
// combination-key dialog, the macro editor, the refusal message) stay in the shell; their
// outcomes come in through ChoiceDialogs, so the whole sequence is decided here.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/settings/Assignment.h"
#include "common/settings/ButtonSetting.h"
#include "common/ui/BmpMenuModel.h"
#include "common/ui/Placement.h"

namespace k2q::config {

inline constexpr int kNoButton = -1;

struct MenuEntry {
    std::string_view key;  // language key of the text
    std::uint8_t id;       // command identifier reported when chosen
};

struct FunctionMenuItem {
    std::string_view key;
    std::uint8_t function;           // the item's command identifier
    std::vector<MenuEntry> entries;  // its submenu, empty for an item without one
};

// The menu a label opens: the button function menu for labels 0..4, the wheel function menu
// for 5 and 6; empty for any other number.
std::vector<FunctionMenuItem> FunctionMenuOf(int label);

// The menu's top-left corner for a pointer at `pointer` on a full screen of the given size:
// shifted left or up by a fixed reach when it would run over the right or bottom edge.
inline constexpr int kMenuReachX = 150;
inline constexpr int kMenuReachY = 287;
Point FunctionMenuOrigin(Point pointer, int screenWidth, int screenHeight);

// A menu choice as the menus report it (lParam of WM_BMPMENU_CHOSEN): the item's identifier
// in the high word, the submenu entry's in the low word (0 without a submenu).
struct MenuChoice {
    std::uint16_t item = 0;
    std::uint16_t entry = 0;
};
constexpr MenuChoice DecodeMenuChoice(std::uint32_t lParam) {
    return {ChosenItemId(lParam), ChosenEntryId(lParam)};
}
// Identifiers up to 39 are functions of the button page; the main menu's commands lie above.
inline constexpr std::uint16_t kLastFunctionChoice = 39;
constexpr bool IsFunctionChoice(std::uint32_t lParam) {
    return DecodeMenuChoice(lParam).item <= kLastFunctionChoice;
}

// What the button page keeps between choices.
struct ButtonPageState {
    int currentButton = kNoButton;  // the label whose menu was opened last
    bool tracking = true;           // leader lines follow the pointer; off during the dialogs
};

// The windows a choice may need. Each runs modally and returns when the user is done.
class ChoiceDialogs {
  public:
    virtual ~ChoiceDialogs() = default;
    virtual void ShowRefusal() = 0;  // "tc_msg1": the last left click cannot be given away
    virtual CombinationOutcome RunCombinationDialog() = 0;
    virtual MacroEditorOutcome RunMacroEditor(int startIndex, int button) = 0;
};

enum class ChoiceEffect {
    Ignored,    // no current button
    Refused,    // the refusal was shown; nothing changed and the labels stay as they are
    Recaption,  // the record may have changed (also after a cancelled dialog): recaption
};

// Writes a menu choice into the record of the current button. The left-click guard comes
// before any dialog opens; tracking is off while a dialog runs.
ChoiceEffect ApplyMenuChoice(ButtonPageState& state, ButtonSetting& block, std::uint32_t choice,
                             ChoiceDialogs& dialogs);

}  // namespace k2q::config
