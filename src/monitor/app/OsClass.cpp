#include "monitor/app/OsClass.h"

namespace k2q::monitor {

int ClassifyOsVersion(PlatformFamily family, unsigned major, unsigned minor) {
    switch (family) {
        case PlatformFamily::Windows9x:
            if (major != 4) {
                return 0;
            }
            return minor < 90 ? 1 : minor == 90 ? 2 : 0;
        case PlatformFamily::WindowsNt:
            if (major < 5) {
                return 0;
            }
            if (major == 5) {
                return minor == 0 ? 3 : 4;
            }
            if (major == 6) {
                return minor == 0 ? 5 : 6;
            }
            return 6;
        default:
            return 0;
    }
}

}  // namespace k2q::monitor
