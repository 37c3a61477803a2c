// How exactly the macro player's pauses last what they ask for: a macro of 200 events with
// mixed delays is played once with the player's clock and once with a plain Sleep loop, and
// the median and p99 of |actual - requested| over every pause are printed side by side.
// Nothing is injected; only the pauses are measured.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "support/Stats.h"
#include "common/settings/ButtonSetting.h"
#include "common/win/Win32Clock.h"
#include "monitor/actions/Playback.h"
#include "monitor/actions/win/PreciseClock.h"
#include "monitor/actions/win/Win32Input.h"
#include "monitor/actions/win/Win32SystemPort.h"

namespace {

using namespace k2q;
using namespace k2q::monitor;
using bench::NowMs;
using bench::NowUs;

class NullSink : public InputSink {
  public:
    void Keyboard(const KeyboardInput&) override {}
    void Mouse(const MouseInput&) override {}
};

// Passes every sleep on and notes how far its real length is from the requested one.
class MeasuringClock : public Clock {
  public:
    explicit MeasuringClock(Clock& inner) : inner_(inner) {}
    std::int64_t NowMicroseconds() override { return inner_.NowMicroseconds(); }
    void SleepMilliseconds(std::uint32_t ms) override {
        const double start = NowMs();
        inner_.SleepMilliseconds(ms);
        const double error = std::fabs(NowMs() - start - ms);
        errors.push_back(error);
        (ms == 0 ? zeroErrors : nonZeroErrors).push_back(error);
    }
    std::vector<double> errors, zeroErrors, nonZeroErrors;

  private:
    Clock& inner_;
};

std::unique_ptr<MacroSetting> MixedMacro() {
    auto table = std::make_unique<MacroSetting>();
    tagMACROINFO& m = table->macros[0];
    constexpr std::int32_t kDelays[] = {0, 1, 2, 5, 10, 16, 33, 0, 3, 7, 21};
    for (int i = 0; i < kMacroEventCapacity; ++i) {
        const bool mouse = i % 5 >= 3;  // a press and a release of a mouse button in five
        const std::uint8_t code =
            mouse ? std::uint8_t{kCodeLeftButton} : static_cast<std::uint8_t>('A' + i % 26);
        m.events[i] = {code, static_cast<std::uint8_t>(i % 2), 0, kDelays[i % std::size(kDelays)]};
    }
    m.eventCount = kMacroEventCapacity;
    return table;
}

MeasuringClock Play(Clock& clock, const MacroSetting& table, double& totalMs) {
    NullSink input;
    Win32KeyboardLayout layout;
    Win32SystemPort system;
    NoHorizontalScroll scroller;
    MeasuringClock measuring(clock);
    const ActionPorts ports{input, layout, system, measuring, scroller};
    const double start = NowMs();
    PlayMacro(ports, table, 0);
    totalMs = NowMs() - start;
    return measuring;
}

}  // namespace

int main() {
    const auto table = MixedMacro();
    PreciseClock precise;
    win::Win32Clock naive;  // plain Sleep
    // The first MapVirtualKeyW loads the keyboard layout; neither run should pay for it.
    Win32KeyboardLayout().ScanCode('A');
    double preciseTotal = 0, naiveTotal = 0;
    const MeasuringClock ours = Play(precise, *table, preciseTotal);
    const MeasuringClock baseline = Play(naive, *table, naiveTotal);

    std::printf(
        "macro of %d events, %zu pauses; baseline: plain Sleep. Player clock: %s, "
        "ending %s\n",
        kMacroEventCapacity, ours.errors.size(),
        precise.HasHighResolutionTimer() ? "high-resolution timer" : "no such timer",
        precise.SpinsAtTheEnd() ? "in two stages with a spin" : "on whole Sleeps");
    const auto a = bench::Summarize(ours.errors), b = bench::Summarize(baseline.errors);
    bench::PrintComparison("|actual-requested| median, all pauses", a.median, b.median, "ms");
    bench::PrintComparison("|actual-requested| p99, all pauses", a.p99, b.p99, "ms");
    bench::PrintComparison("|actual-requested| max, all pauses", a.max, b.max, "ms");
    const auto c = bench::Summarize(ours.nonZeroErrors),
               d = bench::Summarize(baseline.nonZeroErrors);
    bench::PrintComparison("|actual-requested| p99, pauses >= 1 ms", c.p99, d.p99, "ms");
    const auto e = bench::Summarize(ours.zeroErrors), f = bench::Summarize(baseline.zeroErrors);
    bench::PrintComparison("length of a 0 ms pause (yield), p99", e.p99, f.p99, "ms");
    double requested = 0;
    for (const MacroEvent& e : MacroEvents(table->macros[0])) {
        requested += (e.code == kCodeLeftButton ? kMouseButtonPauseMs : kKeyEventPauseMs) + e.delay;
    }
    std::printf("whole macro: requested %.0f ms\n", requested);
    bench::PrintComparison("whole macro, actual - requested", preciseTotal - requested,
                           naiveTotal - requested, "ms");
    return 0;
}
