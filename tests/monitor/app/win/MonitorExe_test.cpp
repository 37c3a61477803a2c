// The real K2q_Mouse.exe from dist/.
#include <gtest/gtest.h>

#include "support/win/Processes.h"

namespace k2q::testing {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kTitle[] = L"TavikK2qGamingMouseMon";

TEST(MonitorExe, RunsHiddenAsOneInstanceAndEndsOnClose) {
    ASSERT_EQ(::FindWindowW(nullptr, kTitle), nullptr) << "a monitor is already running";
    ChildProcess first = ChildProcess::Start(DistPath(L"K2q_Mouse.exe"));
    ASSERT_TRUE(first.handle());
    const HWND window = WaitForWindow(kTitle, 10s);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(::IsWindowVisible(window));

    // A second monitor leaves at once, without a window of its own.
    ChildProcess second = ChildProcess::Start(DistPath(L"K2q_Mouse.exe"));
    EXPECT_EQ(second.Wait(10s), 0);
    EXPECT_EQ(::FindWindowW(nullptr, kTitle), window);

    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.Wait(10s), 0);
    EXPECT_TRUE(WaitForNoWindow(kTitle, 1s));
}

}  // namespace
}  // namespace k2q::testing
