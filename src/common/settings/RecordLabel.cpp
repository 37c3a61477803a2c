#include "common/settings/RecordLabel.h"

#include "common/settings/FunctionCatalog.h"

namespace k2q {

RecordLabel LabelOfRecord(const ButtonRecord& r) {
    RecordLabel label;
    switch (r.function) {
        case kFnEditCommand:
            label.key = CommandLabelKey(r.function, r.editCommand);
            break;
        case kFnWindowCommand:
            label.key = CommandLabelKey(r.function, r.windowCommand);
            break;
        case kFnMediaCommand:
            label.key = CommandLabelKey(r.function, r.mediaCommand);
            break;
        case kFnMacro:
            label.kind = RecordLabel::Kind::MacroName;
            label.macroIndex = r.macroIndex;
            break;
        case kFnCombination:
            label.kind = RecordLabel::Kind::Combination;
            label.modifiers = r.comboModifiers;
            label.key1 = r.comboKey1;
            label.key2 = r.comboKey2;
            break;
        default:
            label.key = FunctionLabelKey(r.function);
            break;
    }
    return label;
}

}  // namespace k2q
