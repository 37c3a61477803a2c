// Playback of recorded macros and of key combinations. Unlike the shortcuts, played input is
// paced: every key event is followed by 50 ms and every mouse-button event by 100 ms, so the
// receiving programs see it as typed, plus the delays the macro recorded.
//
// Playback runs on the monitor's user-interface thread and holds it to the end: events of
// further presses wait in the message queue and run afterwards, in order.
#pragma once

#include <cstdint>

#include "common/settings/MacroSetting.h"
#include "monitor/actions/ActionPorts.h"

namespace k2q::monitor {

inline constexpr std::uint32_t kKeyEventPauseMs = 50;
inline constexpr std::uint32_t kMouseButtonPauseMs = 100;

// The most the macro editor can store: a loop count of three digits, a delay of seven. Larger
// values come only from a damaged store or profile and are held to these, so that one button
// press cannot hold the monitor for weeks.
inline constexpr int kMaxMacroPasses = 999;
inline constexpr std::int32_t kMaxMacroDelayMs = 9'999'999;

// Playback does not tell the sides of a modifier apart: left and right Shift, Ctrl and Alt
// become the generic keys. Every other code, the Windows keys included, stays.
std::uint8_t GenericInputCode(std::uint8_t code);

// One press (transition 0) or release (any other) of a key or mouse button, then its pause.
// Keys go out with their layout's scan code and never with the extended-key flag.
void PlayInputEvent(const ActionPorts& ports, std::uint8_t code, std::uint8_t transition);

// Plays the macro at an index of the table to its end: its passes, its events, their delays.
// An index outside the table plays nothing.
void PlayMacro(const ActionPorts& ports, const MacroSetting& table, int index);

// Holds the modifiers of a HID modifier mask (either side selects the generic key) while it
// types key1 and then key2; a key of 0 is no key.
void PlayCombination(const ActionPorts& ports, std::uint8_t modifiers, std::uint8_t key1,
                     std::uint8_t key2);

}  // namespace k2q::monitor
