#include "common/settings/Assignment.h"

namespace k2q {

bool IsLastLeftClickRefusal(const ButtonSetting& block, int i, std::uint8_t function) {
    if (function == kFnLeftClick || block.records[i].function != kFnLeftClick) {
        return false;
    }
    for (int j = 0; j < kRecordCount; ++j) {
        if (j != i && block.records[j].function == kFnLeftClick) {
            return false;
        }
    }
    return true;
}

int MacroEditorStartIndex(const ButtonSetting& block, int i) {
    const ButtonRecord& r = block.records[i];
    return r.function == kFnMacro ? r.macroIndex : -1;
}

AssignResult ApplyFunctionChoice(ButtonSetting& block, int i, const FunctionChoice& choice) {
    if (i < 0 || i >= kRecordCount) {
        return AssignResult::Unchanged;
    }
    if (IsLastLeftClickRefusal(block, i, choice.function)) {
        return AssignResult::Refused;
    }
    ButtonRecord& r = block.records[i];
    switch (choice.function) {
        case kFnCombination: {
            if (!choice.combination || !choice.combination->ok) {
                return AssignResult::Unchanged;
            }
            const CombinationOutcome& c = *choice.combination;
            if (c.modifiers == 0 && c.key1 == 0 && c.key2 == 0) {
                return AssignResult::Unchanged;
            }
            r.function = kFnCombination;
            r.comboModifiers = c.modifiers;
            r.comboKey1 = c.key1;
            r.comboKey2 = c.key2;
            return AssignResult::Changed;
        }
        case kFnMacro: {
            if (!choice.macro || !choice.macro->ok) {
                return AssignResult::Unchanged;
            }
            if (choice.macro->chosen < 0) {
                ResetButtonRecord(block, i);
            } else {
                r.function = kFnMacro;
                r.macroIndex = static_cast<std::uint8_t>(choice.macro->chosen);
            }
            return AssignResult::Changed;
        }
        case kFnEditCommand:
            r.function = kFnEditCommand;
            r.editCommand = choice.command;
            return AssignResult::Changed;
        case kFnWindowCommand:
            r.function = kFnWindowCommand;
            r.windowCommand = choice.command;
            return AssignResult::Changed;
        case kFnMediaCommand:
            r.function = kFnMediaCommand;
            r.mediaCommand = choice.command;
            return AssignResult::Changed;
        default:
            r.function = choice.function;
            return AssignResult::Changed;
    }
}

}  // namespace k2q
