#include "common/settings/FunctionCatalog.h"

#include <array>

#include "common/settings/ButtonSetting.h"

namespace k2q {
namespace {

constexpr std::array<std::string_view, kLastFunctionCode + 1> kFunctionLabels = {
    "",          "tc_click",   "tc_menu",    "tc_middle",   "tc_dbclick", "tc_combokey",
    "tc_mac_def", "tc_key_off", "tc_advance", "tc_pre",      "tc_next",    "tc_flip_3d",
    "tc_scrollup", "tc_scrolldw", "tc_base_fun", "tc_media", "tc_scrolllt", "tc_scrollrt",
};

struct Command {
    std::uint8_t function;
    std::uint8_t code;
    std::string_view key;
};

constexpr Command kCommands[] = {
    {kFnEditCommand, kEditCut, "tc_cut"},         {kFnEditCommand, kEditCopy, "tc_copy"},
    {kFnEditCommand, kEditPaste, "tc_past"},      {kFnEditCommand, kEditSelectAll, "tc_all"},
    {kFnEditCommand, kEditFind, "tc_find"},       {kFnEditCommand, kEditNew, "tc_new"},
    {kFnEditCommand, kEditPrint, "tc_print"},     {kFnEditCommand, kEditSave, "tc_save"},
    {kFnWindowCommand, kWinSwitch, "tc_swap"},    {kFnWindowCommand, kWinClose, "tc_close"},
    {kFnWindowCommand, kWinLock, "tc_lock"},      {kFnWindowCommand, kWinExplorer, "tc_explor"},
    {kFnWindowCommand, kWinRun, "tc_run"},        {kFnWindowCommand, kWinShowDesktop, "tc_show"},
    {kFnWindowCommand, kWinMaximize, "tc_max_win"},
    {kFnWindowCommand, kWinMinimize, "tc_min_win"},
    {kFnMediaCommand, kMediaPlayPause, "tc_PL"},  {kFnMediaCommand, kMediaStop, "tc_stop"},
    {kFnMediaCommand, kMediaPrevious, "tc_pre_media"},
    {kFnMediaCommand, kMediaNext, "tc_next_media"},
    {kFnMediaCommand, kMediaVolumeUp, "tc_vol_up"},
    {kFnMediaCommand, kMediaVolumeDown, "tc_vol_dw"},
    {kFnMediaCommand, kMediaMute, "tc_mute"},
};

constexpr std::uint8_t kButtonMenu[] = {1, 3, 2, 4, 9, 10, 5, 14, 8, 15, 6, 7};
constexpr std::uint8_t kWheelMenu[] = {12, 13, 16, 17, 9, 10, 5, 14, 8, 15, 6, 7};
constexpr std::uint8_t kEditMenu[] = {0x40, 0x41, 0x42, 0x44, 0x45, 0x46, 0x47, 0x48};
// Locking the computer comes last, away from the everyday window commands, although its code
// lies between theirs.
constexpr std::uint8_t kWindowMenu[] = {0x50, 0x51, 0x53, 0x54, 0x55, 0x52};
constexpr std::uint8_t kMediaMenu[] = {0x20, 0x21, 0x22, 0x23, 0x25, 0x26, 0x27};

}  // namespace

std::string_view FunctionLabelKey(std::uint8_t function) {
    return function < kFunctionLabels.size() ? kFunctionLabels[function] : std::string_view{};
}

std::string_view CommandLabelKey(std::uint8_t function, std::uint8_t command) {
    for (const Command& c : kCommands) {
        if (c.function == function && c.code == command) {
            return c.key;
        }
    }
    return {};
}

std::span<const std::uint8_t> ButtonMenuFunctions() { return kButtonMenu; }
std::span<const std::uint8_t> WheelMenuFunctions() { return kWheelMenu; }

std::span<const std::uint8_t> SubMenuCommands(std::uint8_t function) {
    switch (function) {
        case kFnEditCommand:
            return kEditMenu;
        case kFnWindowCommand:
            return kWindowMenu;
        case kFnMediaCommand:
            return kMediaMenu;
        default:
            return {};
    }
}

}  // namespace k2q
