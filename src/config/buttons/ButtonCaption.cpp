#include "config/buttons/ButtonCaption.h"

#include "common/settings/RecordLabel.h"

namespace k2q::config {

std::u16string LanguageText(const UiStrings& texts, std::string_view key) {
    if (key.empty()) {
        return {};
    }
    return texts.Text(std::u16string(key.begin(), key.end()));
}

std::u16string ButtonCaption(const ButtonRecord& record, const UiStrings& texts,
                             const MacroSetting& macros, const CombinationNamer& combination) {
    const RecordLabel label = LabelOfRecord(record);
    switch (label.kind) {
        case RecordLabel::Kind::MacroName:
            return MacroNameAt(macros, label.macroIndex);
        case RecordLabel::Kind::Combination:
            return combination ? combination(label.modifiers, label.key1, label.key2)
                               : std::u16string();
        case RecordLabel::Kind::Text:
            break;
    }
    return LanguageText(texts, label.key);
}

}  // namespace k2q::config
