#include "common/settings/MacroSetting.h"

#include <algorithm>
#include <cstring>

namespace k2q {

const tagMACROINFO* MacroRecordAt(const MacroSetting& table, int index) {
    if (index < 0 || index >= kMacroCapacity) {
        return nullptr;
    }
    return &table.macros[index];
}

std::span<const MacroEvent> MacroEvents(const tagMACROINFO& macro) {
    const std::size_t n = std::min<std::size_t>(macro.eventCount, kMacroEventCapacity);
    return {macro.events, n};
}

int MacroPasses(const tagMACROINFO& macro) {
    return macro.loopEnabled != 0 ? macro.loopCount : 1;
}

std::u16string_view MacroName(const tagMACROINFO& macro) {
    const char16_t* end = std::find(macro.name, macro.name + kMacroNameUnits, u'\0');
    return {macro.name, static_cast<std::size_t>(end - macro.name)};
}

std::u16string MacroNameAt(const MacroSetting& table, int index) {
    const tagMACROINFO* macro = MacroRecordAt(table, index);
    return macro ? std::u16string(MacroName(*macro)) : std::u16string();
}

void SetMacroName(tagMACROINFO& macro, std::u16string_view name) {
    std::memset(macro.name, 0, sizeof macro.name);
    std::size_t n = std::min<std::size_t>(name.size(), kMacroNameUnits - 1);
    // A cut never leaves half of a surrogate pair at the end.
    if (n < name.size() && n > 0 && name[n - 1] >= 0xD800 && name[n - 1] <= 0xDBFF) {
        --n;
    }
    std::copy_n(name.data(), n, macro.name);
}

int MacroCountInUse(const MacroSetting& table) {
    return std::clamp(table.count, 0, kMacroCapacity);
}

}  // namespace k2q
