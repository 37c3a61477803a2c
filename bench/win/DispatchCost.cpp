// What the action engine adds to a button event: the time from dequeuing message 0x7EB to the
// first injection call, beside an empty message's whole round trip (post, dequeue, dispatch)
// on the same window in the same run. The two are measured alternately so noise hits both.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "support/Stats.h"
#include "common/win/Window.h"
#include "monitor/actions/ButtonEvent.h"
#include "monitor/actions/win/PreciseClock.h"
#include "monitor/actions/win/Win32Input.h"
#include "monitor/actions/win/Win32SystemPort.h"

namespace {

using namespace k2q;
using namespace k2q::monitor;
using bench::NowMs;
using bench::NowUs;

// Notes when the first input of an event is handed over, and injects nothing.
class StampingSink : public InputSink {
  public:
    void Keyboard(const KeyboardInput&) override { Stamp(); }
    void Mouse(const MouseInput&) override { Stamp(); }
    void Stamp() {
        if (first == 0) {
            first = NowUs();
        }
    }
    double first = 0;
};

class BenchWindow : public win::Window {
  public:
    BenchWindow() {
        SetButtonDefaults(buttons_);
        CreateParams p;
        p.className = L"K2qDispatchBench";
        Create(p);
    }
    StampingSink sink;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kButtonEventMessage) {
            const ActionPorts ports{sink, layout_, system_, clock_, scroller_};
            return HandleButtonEvent(wParam, {buttons_, *macros_, 0}, ports);
        }
        if (msg == WM_APP) {
            return 0;
        }
        return Window::WndProc(msg, wParam, lParam);
    }

  private:
    ButtonSetting buttons_{};
    std::unique_ptr<MacroSetting> macros_ = std::make_unique<MacroSetting>();
    Win32KeyboardLayout layout_;
    Win32SystemPort system_;
    PreciseClock clock_;
    NoHorizontalScroll scroller_;
};

}  // namespace

int main() {
    BenchWindow window;
    constexpr int kRounds = 20000;
    std::vector<double> dispatch, roundTrip;
    dispatch.reserve(kRounds);
    roundTrip.reserve(kRounds);
    MSG msg;
    for (int i = 0; i < kRounds + 100; ++i) {  // the first hundred warm up
        window.sink.first = 0;
        ::PostMessageW(window.hwnd(), kButtonEventMessage, 1000, 0);  // left button: a click
        ::GetMessageW(&msg, nullptr, 0, 0);
        const double dequeued = NowUs();
        ::DispatchMessageW(&msg);
        const double injected = window.sink.first;

        const double start = NowUs();
        ::PostMessageW(window.hwnd(), WM_APP, 0, 0);
        ::GetMessageW(&msg, nullptr, 0, 0);
        ::DispatchMessageW(&msg);
        const double end = NowUs();
        if (i >= 100) {
            dispatch.push_back(injected - dequeued);
            roundTrip.push_back(end - start);
        }
    }
    const auto a = bench::Summarize(dispatch), b = bench::Summarize(roundTrip);
    std::printf(
        "%d rounds; ours: 0x7EB dequeued to first injection call; baseline: empty "
        "message posted, dequeued and dispatched\n",
        kRounds);
    bench::PrintComparison("median", a.median, b.median, "us");
    bench::PrintComparison("p99", a.p99, b.p99, "us");
    bench::PrintComparison("mean", a.mean, b.mean, "us");
    return 0;
}
