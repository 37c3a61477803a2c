// The number of kernel handles this process holds, for leak checks around a piece of work.
// GetProcessHandleCount reports 0 under Wine, so the count comes from the system's handle
// table (which Wine keeps), with GetProcessHandleCount only as the fallback.
#pragma once

#include <windows.h>

namespace k2q::testing {

DWORD ProcessHandleCount();

}  // namespace k2q::testing
