// The macro table: up to 100 recorded macros in one fixed block of 213604 bytes, stored raw in
// the registry and in profile files. Records are addressed by position; a button refers to a
// macro by its index, so the editor's list order is the table order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace k2q {

inline constexpr int kMacroCapacity = 100;
inline constexpr int kMacroEventCapacity = 200;
// The editor records at most this many events, although a record holds 200.
inline constexpr int kMacroEventsRecordable = 199;
inline constexpr int kMacroNameUnits = 260;  // including the terminating zero

// One timed input event. `code` is a virtual-key code or a MouseButtonCode; `transition` 0 is
// a press and every other value a release; `delay` is the wait after the event in ms.
struct MacroEvent {
    std::uint8_t code;
    std::uint8_t transition;
    std::uint16_t zero;
    std::int32_t delay;
};

// One macro record. An all-zero record is an empty slot that plays nothing.
struct tagMACROINFO {
    std::int32_t recordDelay;  // the editor's delay box when the last event was recorded
    std::int32_t loopEnabled;  // non-zero: play loopCount passes, else one
    std::int32_t loopCount;
    std::uint16_t eventCount;
    std::uint16_t zero;
    MacroEvent events[kMacroEventCapacity];
    char16_t name[kMacroNameUnits];
};

struct MacroSetting {
    tagMACROINFO macros[kMacroCapacity];
    std::int32_t count;  // number of macros in use, 0..100
};

static_assert(sizeof(MacroEvent) == 8);
static_assert(offsetof(MacroEvent, code) == 0);
static_assert(offsetof(MacroEvent, transition) == 1);
static_assert(offsetof(MacroEvent, zero) == 2);
static_assert(offsetof(MacroEvent, delay) == 4);
static_assert(sizeof(tagMACROINFO) == 2136);
static_assert(offsetof(tagMACROINFO, recordDelay) == 0);
static_assert(offsetof(tagMACROINFO, loopEnabled) == 4);
static_assert(offsetof(tagMACROINFO, loopCount) == 8);
static_assert(offsetof(tagMACROINFO, eventCount) == 12);
static_assert(offsetof(tagMACROINFO, zero) == 14);
static_assert(offsetof(tagMACROINFO, events) == 16);
static_assert(offsetof(tagMACROINFO, name) == 1616);
static_assert(sizeof(MacroSetting) == 213604);
static_assert(offsetof(MacroSetting, macros) == 0);
static_assert(offsetof(MacroSetting, count) == 213600);

// The record at a macro index, or nullptr for an index outside the table (a damaged store can
// hold any byte in a button's macroIndex). Indices between the number in use and 99 give their
// record, which the editor keeps all zero.
const tagMACROINFO* MacroRecordAt(const MacroSetting& table, int index);

// The events of a record that exist: eventCount, but never beyond the record's 200.
std::span<const MacroEvent> MacroEvents(const tagMACROINFO& macro);

// Passes to play: loopCount when the loop switch is on, else 1; 0 or less plays nothing.
int MacroPasses(const tagMACROINFO& macro);

// The name up to its terminating zero, or all 260 units when a damaged record has none.
std::u16string_view MacroName(const tagMACROINFO& macro);

// The name of the macro at an index; empty for an index outside the table.
std::u16string MacroNameAt(const MacroSetting& table, int index);

// Sets the name, cut to 259 units (never inside a surrogate pair), and zero-fills the rest of
// the field.
void SetMacroName(tagMACROINFO& macro, std::u16string_view name);

// The number in use, held to 0..100 whatever the block says.
int MacroCountInUse(const MacroSetting& table);

}  // namespace k2q
