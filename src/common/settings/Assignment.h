// What happens to the button assignment block when the user picks a function for a control.
// The dialogs that some choices open (key combination, macro editor) belong to the
// configuration program; their outcomes come in here as plain values, so the rules are
// decided in one place and tested without windows.
#pragma once

#include <cstdint>
#include <optional>

#include "common/settings/ButtonSetting.h"

namespace k2q {

// True when the pick must be refused with the "tc_msg1" message: record i is the last one
// holding the left click and the pick is another function. Checked before any dialog opens.
bool IsLastLeftClickRefusal(const ButtonSetting& block, int i, std::uint8_t function);

// The macro index to open the macro editor with: the record's macro when it holds the macro
// function, else -1.
int MacroEditorStartIndex(const ButtonSetting& block, int i);

struct CombinationOutcome {
    bool ok = false;  // the dialog ended with OK
    std::uint8_t modifiers = 0;
    std::uint8_t key1 = 0;
    std::uint8_t key2 = 0;
};

struct MacroEditorOutcome {
    bool ok = false;     // the editor ended with OK
    int chosen = -1;     // position of the chosen macro, -1 for none
};

struct FunctionChoice {
    std::uint8_t function = 0;
    std::uint8_t command = 0;                     // functions 8, 14, 15: the sub-menu's code
    std::optional<CombinationOutcome> combination;  // function 5
    std::optional<MacroEditorOutcome> macro;        // function 6
};

enum class AssignResult { Changed, Unchanged, Refused };

// Writes the choice into record i. Only the bytes the function uses are written; the others
// keep what they held. An i outside 0..6 changes nothing.
AssignResult ApplyFunctionChoice(ButtonSetting& block, int i, const FunctionChoice& choice);

}  // namespace k2q
