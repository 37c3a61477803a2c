// Scroll left from the mouse to the window under the pointer, through the whole monitor: the
// simulated mouse reports a wheel notch, the monitor tells the configuration window and
// scrolls the window under the pointer by its horizontal amount.
#include <string>
#include <vector>

#include "HostedMonitor.h"
#include "common/win/Window.h"
#include "support/win/MessagePump.h"
#include "support/win/UserInput.h"

namespace k2q::monitor {
namespace {

using namespace std::chrono_literals;

// Notes the sideways-scroll messages and the monitor's scroll notices into one log, so their
// order across windows shows.
class NotingWindow : public win::Window {
  public:
    NotingWindow(const wchar_t* name, DWORD style, std::vector<std::string>& log)
        : name_(name), log_(log) {
        CreateParams p;
        p.className = L"K2qSidewaysScrollTarget";
        p.style = WS_POPUP | WS_VISIBLE | style;
        p.x = 300;
        p.y = 200;
        p.width = 400;
        p.height = 300;
        EXPECT_TRUE(Create(p));
    }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_HSCROLL || msg == kScrollNoticeMessage) {
            log_.push_back(std::string(name_.begin(), name_.end()) + " " + std::to_string(msg) +
                           " " + std::to_string(wParam) + " " + std::to_string(lParam));
        }
        return Window::WndProc(msg, wParam, lParam);
    }

  private:
    std::wstring name_;
    std::vector<std::string>& log_;
};

TEST_F(HostedMonitor, AWheelNotchSetToScrollLeftScrollsTheWindowUnderThePointer) {
    buttons.records[kWheelForward].function = kFnScrollLeft;
    buttons.mouse.hScrollAmount = 4;
    Start();
    ASSERT_EQ(memoryButtons.mouse.hScrollAmount, 4);

    testing::PointerGuard pointer;
    std::vector<std::string> log;
    NotingWindow config(L"config", 0, log);
    ::ShowWindow(config.hwnd(), SW_HIDE);
    NotingWindow target(L"target", WS_HSCROLL, log);
    Send(kConfigWindowMessage, reinterpret_cast<WPARAM>(config.hwnd()));
    const POINT centre = testing::CentreOf(target.hwnd());
    testing::MovePointer(centre);
    ASSERT_EQ(::WindowFromPoint(centre), target.hwnd());

    ASSERT_TRUE(driver.QueueEvent(257));
    ASSERT_TRUE(testing::PumpUntil([&] { return log.size() >= 5; }, 5s));
    testing::PumpQueued();
    const std::string scroll = "target " + std::to_string(WM_HSCROLL) + " 0 0";
    EXPECT_EQ(log, (std::vector<std::string>{"config 1540 767 0", scroll, scroll, scroll, scroll}));
}

}  // namespace
}  // namespace k2q::monitor
