#include <windows.h>

#include "monitor/app/OsClass.h"

namespace k2q::monitor {

int GetOsClass() {
    OSVERSIONINFOW info{sizeof info};
    // GetVersionExW reports what the manifest lets it; the classes only need to tell the old
    // systems apart from Vista, 7 and later.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExW(&info)) {
        return 0;
    }
#pragma GCC diagnostic pop
    const PlatformFamily family =
        info.dwPlatformId == VER_PLATFORM_WIN32_NT        ? PlatformFamily::WindowsNt
        : info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? PlatformFamily::Windows9x
                                                          : PlatformFamily::Other;
    return ClassifyOsVersion(family, info.dwMajorVersion, info.dwMinorVersion);
}

}  // namespace k2q::monitor
