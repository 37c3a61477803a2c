// The functions and commands a record can hold, as the configuration program names and offers
// them: their language keys and the order of the function menus and their sub-menus.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace k2q {

// Language key of a function's label; empty for code 0 and codes above 17.
std::string_view FunctionLabelKey(std::uint8_t function);

// Language key of a command of function 14, 8 or 15; empty when the code has none (0x49,
// 0x24, unknown codes) or the function takes no command.
std::string_view CommandLabelKey(std::uint8_t function, std::uint8_t command);

// The button function menu (records 0..4) and the wheel function menu (records 5, 6), in
// menu order; 14, 8 and 15 open sub-menus.
std::span<const std::uint8_t> ButtonMenuFunctions();
std::span<const std::uint8_t> WheelMenuFunctions();

// The commands a sub-menu offers, in menu order; empty for other functions.
std::span<const std::uint8_t> SubMenuCommands(std::uint8_t function);

// True for the functions whose argument is a command code picked in a sub-menu.
constexpr bool TakesCommand(std::uint8_t function) {
    return function == 8 || function == 14 || function == 15;
}

}  // namespace k2q
