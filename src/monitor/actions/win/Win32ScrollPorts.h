// The sideways scroller's seams over the real system: the window tree and the pointer, posted
// and bounded sent messages, and a browser document's script object reached through the
// accessibility library.
#pragma once

#include "monitor/actions/ScrollPorts.h"

namespace k2q::monitor {

class Win32WindowInspector : public WindowInspector {
  public:
    ScreenPoint PointerPosition() override;
    WindowRef WindowAt(ScreenPoint point) override;
    WindowRef ChildAt(WindowRef window, ScreenPoint point) override;
    WindowRef DesktopWindow() override;
    std::u16string ClassName(WindowRef window) override;
    std::uint32_t Style(WindowRef window) override;
    std::optional<ScreenRect> WindowRect(WindowRef window) override;
    WindowRef Parent(WindowRef window) override;
    WindowRef FirstChild(WindowRef window) override;
    WindowRef NextSibling(WindowRef window) override;
    WindowRef PreviousSibling(WindowRef window) override;
    void EnumerateDescendants(WindowRef window,
                              const std::function<bool(WindowRef)>& visit) override;
    bool ButtonsSwapped() override;
};

class Win32WindowEffects : public WindowEffects {
  public:
    bool PostWindowMessage(WindowRef window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override;
    bool SendWindowMessage(WindowRef window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam, std::uint32_t boundMs) override;
    void MovePointer(ScreenPoint point) override;
};

// Each step initializes COM on the calling thread and loads the accessibility library anew,
// and releases both before it returns.
class Win32BrowserDocument : public BrowserDocument {
  public:
    BrowserScroll ScrollBy(WindowRef browserWindow, std::int32_t dx,
                           std::uint32_t boundMs) override;
};

}  // namespace k2q::monitor
