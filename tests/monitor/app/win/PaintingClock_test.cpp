// The waits of the monitor's busy work: they never end early, they keep windows painted and
// answer senders at once, and while the thread is busy nothing else runs: posted messages go to
// the hold in the order they came and run from there, input stays queued for its window.
#include "monitor/app/win/PaintingClock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "common/win/Window.h"
#include "support/win/MessagePump.h"
#include "support/win/UserInput.h"

namespace k2q::monitor {
namespace {

using namespace std::chrono_literals;

constexpr UINT kFirst = WM_APP + 1;
constexpr UINT kSecond = WM_APP + 2;
constexpr UINT kSent = WM_APP + 3;

// A visible window that counts its paints and lists the other messages it handled.
class Probe : public win::Window {
  public:
    Probe() {
        CreateParams p;
        p.className = L"K2qPaintingClockProbe";
        p.style = WS_POPUP | WS_VISIBLE;
        p.x = 300;
        p.y = 200;
        p.width = 120;
        p.height = 80;
        Create(p);
    }
    std::atomic<int> paints{0};
    std::vector<UINT> handled;  // this thread only

  protected:
    void OnPaint() override {
        PAINTSTRUCT ps;
        ::BeginPaint(hwnd(), &ps);
        ::EndPaint(hwnd(), &ps);
        ++paints;
    }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kFirst || msg == kSecond || msg == kSent || msg == WM_LBUTTONDOWN) {
            handled.push_back(msg);
            return 7;
        }
        return Window::WndProc(msg, wParam, lParam);
    }
};

TEST(PaintingClock, WhileBusyPaintsAndAnswersButKeepsTheRestForLater) {
    testing::PointerGuard pointer;
    MessageHold hold;
    PaintingClock clock(hold);
    Probe probe;
    testing::PumpQueued();
    const HWND window = probe.hwnd();
    const POINT centre = testing::CentreOf(window);

    std::atomic<bool> waitEnded{false};
    std::atomic<bool> answeredDuringTheWait{false};
    std::atomic<bool> paintedDuringTheWait{false};
    std::thread other([&] {
        ::PostMessageW(window, kFirst, 0, 0);
        testing::LeftClick(centre.x, centre.y);
        const int paints = probe.paints;
        ::InvalidateRect(window, nullptr, FALSE);
        for (int i = 0; i < 200 && probe.paints == paints && !waitEnded; ++i) {
            std::this_thread::sleep_for(5ms);
        }
        paintedDuringTheWait = probe.paints > paints && !waitEnded;
        const LRESULT answer = ::SendMessageW(window, kSent, 0, 0);
        answeredDuringTheWait = answer == 7 && !waitEnded;
        ::PostMessageW(window, kSecond, 0, 0);
    });
    {
        MessageHold::BusyTime busy(hold);
        const std::int64_t start = clock.NowMicroseconds();
        clock.SleepMilliseconds(1500);
        EXPECT_GE(clock.NowMicroseconds() - start, 1'500'000);
        waitEnded = true;
    }
    other.join();

    EXPECT_TRUE(paintedDuringTheWait);
    EXPECT_TRUE(answeredDuringTheWait);
    // Only the sent message ran; the posted ones wait in the hold, the click in the queue.
    EXPECT_EQ(probe.handled, std::vector<UINT>{kSent});
    EXPECT_EQ(hold.size(), 2u);
    hold.RunKept();
    EXPECT_EQ(probe.handled, (std::vector<UINT>{kSent, kFirst, kSecond}));
    EXPECT_TRUE(testing::PumpUntil(
        [&] { return probe.handled.back() == static_cast<UINT>(WM_LBUTTONDOWN); }, 5s));

    // A free thread's wait leaves posted messages in the queue: its message loop runs them.
    probe.handled.clear();
    ::PostMessageW(window, kFirst, 0, 0);
    clock.SleepMilliseconds(20);
    EXPECT_TRUE(probe.handled.empty());
    EXPECT_EQ(hold.size(), 0u);
    testing::PumpQueued();
    EXPECT_EQ(probe.handled, std::vector<UINT>{kFirst});
}

}  // namespace
}  // namespace k2q::monitor
