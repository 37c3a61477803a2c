#include "common/settings/MacroList.h"

#include <algorithm>
#include <cstring>

namespace k2q {

MacroList LoadMacroList(const MacroSetting& table) {
    const int count = MacroCountInUse(table);
    MacroList list(table.macros, table.macros + count);
    for (tagMACROINFO& macro : list) {
        macro.name[kMacroNameUnits - 1] = u'\0';
        macro.eventCount = static_cast<std::uint16_t>(
            std::min<int>(macro.eventCount, kMacroEventCapacity));
    }
    return list;
}

void BuildMacroBlock(const MacroList& list, MacroSetting& table) {
    std::memset(&table, 0, sizeof table);
    const std::size_t n = std::min<std::size_t>(list.size(), kMacroCapacity);
    std::copy_n(list.begin(), n, table.macros);
    table.count = static_cast<std::int32_t>(n);
}

DeleteMacroResult DeleteMacro(MacroList& list, ButtonSetting& buttons, int editedRecord,
                              int index) {
    if (index < 0 || index >= static_cast<int>(list.size())) {
        return DeleteMacroResult::NoSuchMacro;
    }
    for (int i = 0; i < kRecordCount; ++i) {
        const ButtonRecord& r = buttons.records[i];
        if (i != editedRecord && r.function == kFnMacro && r.macroIndex == index) {
            return DeleteMacroResult::RefusedInUse;
        }
    }
    list.erase(list.begin() + index);
    ShiftMacroIndexesPast(buttons, index);
    return DeleteMacroResult::Deleted;
}

void ShiftMacroIndexesPast(ButtonSetting& buttons, int deletedIndex) {
    for (ButtonRecord& r : buttons.records) {
        if (r.function == kFnMacro && r.macroIndex > deletedIndex) {
            --r.macroIndex;
        }
    }
}

}  // namespace k2q
