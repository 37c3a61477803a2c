// The shortcuts of the edit, window and media commands go out back to back, without pauses:
// every press with the extended-key flag, every release with extended-key and key-up, scan
// code 0, keys released in the reverse order of their presses. The flags are the same for keys
// that are not extended keys; programs that take the shortcuts accept them so.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "monitor/actions/InputSink.h"

namespace k2q::monitor {

void SendShortcut(InputSink& input, std::initializer_list<std::uint8_t> keys);

}  // namespace k2q::monitor
