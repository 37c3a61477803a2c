// The decisions of the configuration program's main dialog that do not need a window: what
// Apply does and in which order, what a reset to factory values leaves in the block, and where
// a choice from one of the skinned menus goes. The dialog carries them out with the real
// registry, the monitor's window and its pages.
#pragma once

#include <cstdint>

#include "common/platform/Registry.h"
#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroSetting.h"

namespace k2q::config {

// The pages of the main dialog, numbered as the dialog counts them.
enum Page : int { kButtonPage = 0, kSensitivityPage = 1 };

// The monitor as the configuration program sees it: a window found anew by its title each
// time (never kept, it may have been restarted) and a progress popup that is shown while a
// reload runs.
class MonitorLink {
  public:
    virtual ~MonitorLink() = default;
    virtual bool MonitorPresent() = 0;
    virtual bool ReloadRunning() = 0;
    virtual void RequestReload(std::uint32_t flags) = 0;
};

enum class ApplyResult {
    ReloadRequested,
    NoMonitor,      // stored; the monitor reads it when it next starts
    ReloadRunning,  // stored; a second request would only queue behind the running one
};

// Writes both blocks to the store, then asks a present and idle monitor to reload all of it.
// The store is written first, so the monitor never re-reads the settings of before the click.
ApplyResult Apply(Registry& registry, const ButtonSetting& buttons, const MacroSetting& macros,
                  MonitorLink& monitor);

// Puts the button records and mouse parameters back to their factory values in memory: the
// same block whatever the system's own mouse settings are. The macros are not touched; nothing
// is stored.
void ResetToFactory(Registry& registry, ButtonSetting& block);

// Where a WM_BMPMENU_CHOSEN goes. Its lParam carries the chosen item's identifier in the high
// word: function codes (up to 39) belong to the button page's function menus, 40..47 to the
// main menus.
struct MenuChoiceRoute {
    enum class Target { Nothing, ButtonPage, MainCommand };
    Target target = Target::Nothing;
    std::uint16_t command = 0;  // the main-menu command, for Target::MainCommand
};
MenuChoiceRoute RouteMenuChoice(int currentPage, std::uint32_t choice);

// The direction the sensitivity page's wheel test moves for a wheel delta: forward only for a
// positive delta, so a zero delta counts as backward.
constexpr int WheelTestDirection(int delta) { return delta > 0 ? 1 : -1; }

}  // namespace k2q::config
