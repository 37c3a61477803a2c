// From a button event queued in the (simulated) driver to the first input the monitor injects
// for it, as a low-level hook sees it: semaphore, reader thread, posted message, dispatch and
// injection. Beside it, in the same run, the floor of that path: one keybd_event from this
// thread to the same hook.
#include <cstdio>

#include "MonitorHost.h"
#include "support/Stats.h"
#include "support/win/LowLevelHooks.h"

namespace {

using namespace k2q;
using namespace std::chrono_literals;

double FirstInputLatencyUs(testing::LowLevelHooks& hooks, const std::function<void()>& trigger,
                           std::size_t inputs) {
    hooks.Clear();
    const std::int64_t start = testing::NowUs();
    trigger();
    testing::PumpUntil([&] { return hooks.Count() >= inputs; }, 5s);
    const auto seen = hooks.WaitFor(inputs, 5s);
    return seen.empty() ? -1 : static_cast<double>(seen.front().atUs - start);
}

}  // namespace

int main() {
    ButtonSetting stored;
    SetButtonDefaults(stored);
    stored.records[kLeftButton].function = kFnEditCommand;  // Ctrl+C: four inputs, no pauses
    stored.records[kLeftButton].editCommand = kEditCopy;
    stored.records[kRightButton].function = kFnLeftClick;  // a left click stays assigned
    bench::MonitorHost host(stored);
    testing::LowLevelHooks hooks;

    constexpr int kEvents = 1000;
    std::vector<double> monitor, floor;
    for (int i = 0; i < kEvents; ++i) {
        monitor.push_back(FirstInputLatencyUs(hooks, [&] { host.driver.QueueEvent(1000); }, 4));
        floor.push_back(FirstInputLatencyUs(
            hooks,
            [] {
                ::keybd_event(VK_F24, 0, 0, 0);
                ::keybd_event(VK_F24, 0, KEYEVENTF_KEYUP, 0);
            },
            2));
    }
    const bench::Summary m = bench::Summarize(monitor);
    const bench::Summary f = bench::Summarize(floor);
    std::printf("%d events\n", kEvents);
    bench::PrintComparison("event to first input, median", m.median, f.median, "us");
    bench::PrintComparison("event to first input, p99", m.p99, f.p99, "us");
    return 0;
}
