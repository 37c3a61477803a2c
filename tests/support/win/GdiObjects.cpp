#include "support/win/GdiObjects.h"

namespace k2q::testing {

DWORD GdiObjectCount() {
    if (DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS); count != 0) {
        return count;
    }
    DWORD count = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index) {
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) {
            ++count;
        }
    }
    return count;
}

}  // namespace k2q::testing
