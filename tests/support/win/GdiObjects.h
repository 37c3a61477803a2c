// The number of GDI objects this process holds, for leak checks around repeated work.
// GetGuiResources reads 0 under Wine, so there the count comes from probing every handle index
// with GetObjectType (Wine accepts a handle's bare index); on Windows GetGuiResources answers.
#pragma once

#include <windows.h>

namespace k2q::testing {

DWORD GdiObjectCount();

}  // namespace k2q::testing
