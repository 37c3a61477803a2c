// Scroll left and scroll right in whatever program owns the window under the pointer. No one
// message does it everywhere, so the window's class picks one of five methods: a scroll-bar
// notification to the owner of the program's own scroll bar, clicks on that bar's arrow, arrow
// keystrokes, scrolling a browser document through its script object, or a plain
// horizontal-scroll message.
//
// Runs on the monitor's only user-interface thread, so nothing here may wait for another
// program without a bound: a hung program must not stop the monitor's later button events.
#pragma once

#include <cstdint>
#include <string_view>

#include "monitor/actions/InputSink.h"
#include "monitor/actions/ScrollPorts.h"
#include "monitor/actions/SystemPort.h"

namespace k2q::monitor {

enum class ScrollMethod : std::uint8_t {
    Notification,  // WM_HSCROLL to the bar's parent, naming the bar
    ArrowClicks,   // clicks on the bar's arrow
    ArrowKeys,     // arrow keystrokes posted to the bar
    Browser,       // the browser document's window object scrolls
    PlainMessage,  // WM_HSCROLL to the window under the pointer
};

ScrollMethod MethodForClass(std::u16string_view className);

enum : std::uint32_t {
    kHScrollMessage = 0x0114,
    kKeyDownMessage = 0x0100,
    kKeyUpMessage = 0x0101,
};
enum : std::uintptr_t {
    kScrollLineLeft = 0,
    kScrollLineRight = 1,
};

// How long a sent message may hold the monitor: the bound the browser's document lookup has.
inline constexpr std::uint32_t kSendBoundMs = 1000;
// Steps per press beyond what any setting asks come only from a damaged store or profile; they
// are held to this, so that one press cannot hold the monitor for hours.
inline constexpr int kMaxScrollSteps = 100;
// Where the arrows of a horizontal scroll bar lie, from its ends and its top.
inline constexpr std::int32_t kArrowInset = 5;
// Pixels one browser step moves the document.
inline constexpr std::int32_t kBrowserStepPixels = 10;

// The scroller over the seams; made once for the monitor, it keeps nothing between calls.
class CHorizontalScroll : public HorizontalScroller {
  public:
    CHorizontalScroll(WindowInspector& windows, WindowEffects& effects, InputSink& input,
                      BrowserDocument& browser)
        : windows_(windows), effects_(effects), input_(input), browser_(browser) {}

    // A positive count scrolls left that many steps, a negative one right; 0 does nothing.
    // The window search is made once and only the step repeats; a step that cannot reach its
    // window (gone, its queue full, not answering) ends the repetition.
    void ScrollHorizontal(int count) override;

    // One step of the browser method at the browser window under the pointer now; false when
    // nothing could be done there.
    bool ScrollBrowserDocument(bool left);

  private:
    bool Notify(WindowRef bar, bool left);
    void ClickArrow(WindowRef bar, ScreenPoint pointer, bool left, int steps);
    bool PressArrowKey(WindowRef bar, bool left);
    bool SendPlainMessage(WindowRef target, bool left);

    WindowInspector& windows_;
    WindowEffects& effects_;
    InputSink& input_;
    BrowserDocument& browser_;
};

}  // namespace k2q::monitor
