// The twelve buttons of the main dialog, in the order they are created: where each stands,
// its caption and what a click on it does.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "common/localization/UiStrings.h"
#include "common/ui/SkinLayout.h"

namespace k2q::config {

enum class MainAction : std::uint8_t {
    Close,
    Minimize,
    Ok,
    Cancel,
    Apply,
    Reset,
    ShowButtonPage,
    ShowSensitivityPage,
    ProfileMenu,
    SettingMenu,
    HelpMenu,
    LinkMenu,
};

struct MainButtonEntry {
    MainAction action;
    skin::Rect rect;  // client coordinates of the main dialog
    std::optional<UiKey> caption;
};

std::span<const MainButtonEntry> MainButtons();

}  // namespace k2q::config
