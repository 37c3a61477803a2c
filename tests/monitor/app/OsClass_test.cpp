#include "monitor/app/OsClass.h"

#include <gtest/gtest.h>

namespace k2q::monitor {
namespace {

TEST(OsClass, VersionsFallIntoTheirClasses) {
    using F = PlatformFamily;
    struct Case {
        F family;
        unsigned major, minor;
        int osClass;
    } cases[] = {
        {F::Windows9x, 4, 0, 1},  {F::Windows9x, 4, 10, 1}, {F::Windows9x, 4, 89, 1},
        {F::Windows9x, 4, 90, 2}, {F::Windows9x, 4, 91, 0}, {F::Windows9x, 5, 0, 0},
        {F::WindowsNt, 3, 51, 0}, {F::WindowsNt, 4, 0, 0},  {F::WindowsNt, 5, 0, 3},
        {F::WindowsNt, 5, 1, 4},  {F::WindowsNt, 5, 2, 4},  {F::WindowsNt, 6, 0, 5},
        {F::WindowsNt, 6, 1, 6},  {F::WindowsNt, 6, 3, 6},  {F::WindowsNt, 10, 0, 6},
        {F::Other, 6, 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ClassifyOsVersion(c.family, c.major, c.minor), c.osClass)
            << int(c.family) << " " << c.major << "." << c.minor;
    }
}

}  // namespace
}  // namespace k2q::monitor
