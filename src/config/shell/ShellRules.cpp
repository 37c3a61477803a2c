#include "config/shell/ShellRules.h"

#include "common/Messages.h"
#include "common/settings/SettingsStore.h"
#include "common/settings/SystemMouseParams.h"
#include "config/buttons/FunctionMenu.h"
#include "config/shell/MainMenus.h"

namespace k2q::config {

ApplyResult Apply(Registry& registry, const ButtonSetting& buttons, const MacroSetting& macros,
                  MonitorLink& monitor) {
    WriteStore(registry, buttons, macros);
    if (!monitor.MonitorPresent()) {
        return ApplyResult::NoMonitor;
    }
    if (monitor.ReloadRunning()) {
        return ApplyResult::ReloadRunning;
    }
    monitor.RequestReload(kReloadEverything);
    return ApplyResult::ReloadRequested;
}

void ResetToFactory(Registry& registry, ButtonSetting& block) {
    SetButtonDefaults(block);
    // Only the resolution levels and the horizontal amount survive from the system's values;
    // the other four are overwritten with the factory ones.
    ReadSystemMouseParams(registry, block);
    ApplyFactoryMouseParams(block.mouse);
}

MenuChoiceRoute RouteMenuChoice(int currentPage, std::uint32_t choice) {
    const std::uint16_t id = DecodeMenuChoice(choice).item;
    if (id <= kLastFunctionChoice) {
        if (currentPage == kButtonPage) {
            return {MenuChoiceRoute::Target::ButtonPage, 0};
        }
        return {};
    }
    if (id >= kFirstMainCommand && id <= kLastMainCommand) {
        return {MenuChoiceRoute::Target::MainCommand, id};
    }
    return {};
}

}  // namespace k2q::config
