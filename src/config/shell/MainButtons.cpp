#include "config/shell/MainButtons.h"

namespace k2q::config {
namespace {

namespace layout = skin::main_dialog;

constexpr MainButtonEntry kButtons[] = {
    {MainAction::Close, layout::kClose, std::nullopt},
    {MainAction::Minimize, layout::kMinimize, std::nullopt},
    {MainAction::Ok, layout::kOk, UiKey::tc_ok},
    {MainAction::Cancel, layout::kCancel, UiKey::tc_cancel},
    {MainAction::Apply, layout::kApply, UiKey::tc_apply},
    {MainAction::Reset, layout::kReset, UiKey::tc_reset},
    {MainAction::ShowButtonPage, layout::kAssignPage, UiKey::tc_assign},
    {MainAction::ShowSensitivityPage, layout::kSensitivityPage, UiKey::tc_sensitivity},
    {MainAction::ProfileMenu, layout::kProfile, UiKey::tc_profile},
    {MainAction::SettingMenu, layout::kSetting, UiKey::tc_setting},
    {MainAction::HelpMenu, layout::kHelp, UiKey::tc_help},
    {MainAction::LinkMenu, layout::kLink, UiKey::tc_link},
};

}  // namespace

std::span<const MainButtonEntry> MainButtons() {
    return kButtons;
}

}  // namespace k2q::config
