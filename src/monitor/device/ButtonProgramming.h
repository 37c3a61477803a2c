// Programming the mouse itself: the functions of the five buttons and the enabled resolution
// levels go into the mouse's slot table, so that the mouse performs them without the monitor.
// A slot holds a 16-bit word; a button takes two consecutive slots. Everything travels as
// 4-byte reports (request 0x22241C) and 2-byte answers (request 0x222420), and each step waits
// on the clock so the mouse keeps up.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "common/platform/Clock.h"
#include "common/settings/ButtonSetting.h"
#include "monitor/device/DriverPort.h"

namespace k2q {

struct ButtonSlots {
    std::uint8_t firstSlot;  // the second word goes into the next slot
    std::uint8_t eventByte;  // low byte of the button's event code (1000..1004)
};
// By record number 0..4.
inline constexpr ButtonSlots kButtonSlots[kButtonCount] = {
    {0x20, 0xE8}, {0x24, 0xE9}, {0x22, 0xEA}, {0x2C, 0xEB}, {0x2A, 0xEC}};

inline constexpr std::uint8_t kCpiSlot = 3;

struct WordPair {
    std::uint16_t first;  // high byte: 0x01 mouse button, 0x02 key with modifiers, 0x04 special
    std::uint16_t second;
    friend bool operator==(const WordPair&, const WordPair&) = default;
};

// The words a record programs into its button, or nothing for the functions and command
// codes the mouse cannot take (the button's slots are then left as they are). osClass is the
// Windows version class: from 5 (Vista) on, switch window is Ctrl+Windows+Tab.
std::optional<WordPair> WordPairFor(const ButtonRecord& record, std::uint8_t eventByte,
                                    int osClass);

// The word of the enabled levels (mask 1 = 800, 2 = 1600, 4 = 2400, then its complement), or
// nothing when a field is neither 0 nor 1 or no level is enabled.
std::optional<std::uint16_t> CpiLevelWord(const MouseParams& params);

using Report = std::array<std::uint8_t, 4>;
Report WriteReport(std::uint8_t slot, std::uint16_t word);
Report ReadReport(std::uint8_t slot);
inline constexpr Report kClosingReport = {5, 0x5A, 0x88, 0x66};

// Programs records 0 to 4, in that order, skipping those without a word pair.
void ProgramButtons(DeviceRequests& device, Clock& clock, const ButtonSetting& setting,
                    int osClass);

// Writes the CPI-level word and waits 100 ms; neither when there is no word.
void ProgramCpiLevels(DeviceRequests& device, Clock& clock, const MouseParams& params);

// The report that ends a programming run; the caller waits 3000 ms after it.
void SendClosingReport(DeviceRequests& device);

// Writes both words of a button and reads them back, at most 3 times until the mouse
// confirms them; every report and read is followed by 20 ms. Returns whether the mouse
// confirmed (nobody is told otherwise: the run goes on with the next button).
bool WriteSlotPair(DeviceRequests& device, Clock& clock, std::uint8_t slot, std::uint16_t first,
                   std::uint16_t second);

// The slot's word as the mouse answers it; 0 when the device is closed or does not answer,
// and a missing byte of a short answer reads as 0.
std::uint16_t ReadSlot(DeviceRequests& device, std::uint8_t slot);

}  // namespace k2q
