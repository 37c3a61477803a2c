#include "config/shell/ProfileCommands.h"

namespace k2q::config {

std::u16string ProfileFilter(std::u16string_view settingText) {
    // Built piece by piece rather than from a '|'-separated pattern, so a translated text
    // holding a '|' stays inside the description.
    std::u16string filter = u"K2q ";
    filter += settingText;
    filter += u"(*.K2q)";
    filter += u'\0';
    filter += u"*.K2q";
    filter += u'\0';
    filter += u'\0';
    return filter;
}

std::optional<UiKey> ExportFailureMessage(ProfileWrite result) {
    if (result == ProfileWrite::Written) {
        return std::nullopt;
    }
    return UiKey::tc_config_out_msg;
}

std::optional<UiKey> ImportFailureMessage(const ProfileRead& result) {
    if (result.opened && !result.readFailed) {
        return std::nullopt;
    }
    return UiKey::tc_config_in_msg;
}

}  // namespace k2q::config
