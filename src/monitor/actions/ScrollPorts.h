// What sideways scrolling of another program's window may look at and do, as seams: the window
// tree around the pointer is read through a WindowInspector, messages and pointer moves go out
// through WindowEffects, and a browser document is scrolled through a BrowserDocument. The
// scroller decides everything over them, so its rules are tested on fake window trees.
//
// Every window may belong to another program and vanish at any moment: each call answers for
// a window that no longer exists as for no window (an empty class, style 0, no rectangle, 0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "monitor/actions/SystemPort.h"

namespace k2q::monitor {

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// Class names are read into buffers of this many characters, the terminator included.
inline constexpr std::size_t kClassNameBuffer = 260;

class WindowInspector {
  public:
    virtual ~WindowInspector() = default;

    virtual ScreenPoint PointerPosition() = 0;
    virtual WindowRef WindowAt(ScreenPoint point) = 0;
    // The child of a window at a screen point, as ChildWindowFromPoint finds it in the
    // window's client coordinates: the window itself where no child is, 0 outside the window.
    virtual WindowRef ChildAt(WindowRef window, ScreenPoint point) = 0;
    virtual WindowRef DesktopWindow() = 0;

    // At most kClassNameBuffer - 1 characters.
    virtual std::u16string ClassName(WindowRef window) = 0;
    virtual std::uint32_t Style(WindowRef window) = 0;
    virtual std::optional<ScreenRect> WindowRect(WindowRef window) = 0;

    virtual WindowRef Parent(WindowRef window) = 0;
    virtual WindowRef FirstChild(WindowRef window) = 0;
    virtual WindowRef NextSibling(WindowRef window) = 0;
    virtual WindowRef PreviousSibling(WindowRef window) = 0;
    // Offers every descendant of a window to visit until visit returns false.
    virtual void EnumerateDescendants(WindowRef window,
                                      const std::function<bool(WindowRef)>& visit) = 0;

    // Whether the system has swapped the left and right mouse buttons.
    virtual bool ButtonsSwapped() = 0;
};

class WindowEffects {
  public:
    virtual ~WindowEffects() = default;

    // False when the message was not queued (the window is gone, its queue is full).
    virtual bool PostWindowMessage(WindowRef window, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) = 0;
    // Sends and waits at most boundMs for the answer, not at all for a window the system
    // already holds to be hung. False when no answer came.
    virtual bool SendWindowMessage(WindowRef window, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam, std::uint32_t boundMs) = 0;
    virtual void MovePointer(ScreenPoint point) = 0;
};

// How far one step of the browser-document method came.
enum class BrowserScroll : std::uint8_t {
    Scrolled,        // the document's window scrolled
    NoEngine,        // the system has no accessibility library or no document lookup in it
    NoAnswer,        // the browser window did not hand out its document within the bound
    NoDocument,      // what it handed out was no document
    NoScriptWindow,  // the document has no script object, or that is no window object
    ScrollFailed,    // the window object refused to scroll
};

class BrowserDocument {
  public:
    virtual ~BrowserDocument() = default;
    // Scrolls the document shown in a browser window by dx pixels sideways; waits at most
    // boundMs for the window to hand out its document.
    virtual BrowserScroll ScrollBy(WindowRef browserWindow, std::int32_t dx,
                                   std::uint32_t boundMs) = 0;
};

}  // namespace k2q::monitor
