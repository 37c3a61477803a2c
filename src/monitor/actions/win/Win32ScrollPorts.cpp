#include "monitor/actions/win/Win32ScrollPorts.h"

#include <windows.h>

#include <mshtml.h>
#include <wrl/client.h>

#include "common/win/OptionalApi.h"
#include "common/win/Text.h"

namespace k2q::monitor {
namespace {

using Microsoft::WRL::ComPtr;

HWND AsWindow(WindowRef window) {
    return reinterpret_cast<HWND>(window);
}
WindowRef AsRef(HWND window) {
    return reinterpret_cast<WindowRef>(window);
}

BOOL CALLBACK OfferDescendant(HWND window, LPARAM visit) noexcept {
    return (*reinterpret_cast<const std::function<bool(WindowRef)>*>(visit))(AsRef(window)) ? TRUE
                                                                                            : FALSE;
}

// COM for one browser step; uninitialized only when this initialized it.
class ComScope {
  public:
    ComScope() : initialized_(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ComScope() {
        if (initialized_) {
            ::CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool initialized_;
};

using ObjectFromLresultFn = HRESULT WINAPI(LRESULT, REFIID, WPARAM, void**);

// IHTMLDocument2 and IHTMLWindow2.
constexpr IID kIidHtmlDocument2 = {
    0x332C4425, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};
constexpr IID kIidHtmlWindow2 = {
    0x332C4427, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};

}  // namespace

ScreenPoint Win32WindowInspector::PointerPosition() {
    POINT pt{};
    ::GetCursorPos(&pt);
    return {pt.x, pt.y};
}

WindowRef Win32WindowInspector::WindowAt(ScreenPoint point) {
    return AsRef(::WindowFromPoint(POINT{point.x, point.y}));
}

WindowRef Win32WindowInspector::ChildAt(WindowRef window, ScreenPoint point) {
    POINT pt{point.x, point.y};
    if (!::ScreenToClient(AsWindow(window), &pt)) {
        return 0;
    }
    return AsRef(::ChildWindowFromPoint(AsWindow(window), pt));
}

WindowRef Win32WindowInspector::DesktopWindow() {
    return AsRef(::GetDesktopWindow());
}

std::u16string Win32WindowInspector::ClassName(WindowRef window) {
    wchar_t name[kClassNameBuffer];
    const int length = ::GetClassNameW(AsWindow(window), name, static_cast<int>(kClassNameBuffer));
    return win::ToU16(std::wstring_view(name, length > 0 ? length : 0));
}

std::uint32_t Win32WindowInspector::Style(WindowRef window) {
    return static_cast<std::uint32_t>(::GetWindowLongW(AsWindow(window), GWL_STYLE));
}

std::optional<ScreenRect> Win32WindowInspector::WindowRect(WindowRef window) {
    RECT r{};
    if (!::GetWindowRect(AsWindow(window), &r)) {
        return std::nullopt;
    }
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

WindowRef Win32WindowInspector::Parent(WindowRef window) {
    return AsRef(::GetParent(AsWindow(window)));
}

WindowRef Win32WindowInspector::FirstChild(WindowRef window) {
    return AsRef(::GetWindow(AsWindow(window), GW_CHILD));
}

WindowRef Win32WindowInspector::NextSibling(WindowRef window) {
    return AsRef(::GetWindow(AsWindow(window), GW_HWNDNEXT));
}

WindowRef Win32WindowInspector::PreviousSibling(WindowRef window) {
    return AsRef(::GetWindow(AsWindow(window), GW_HWNDPREV));
}

void Win32WindowInspector::EnumerateDescendants(WindowRef window,
                                                const std::function<bool(WindowRef)>& visit) {
    // No window would mean every top-level window to the system.
    if (window != 0) {
        ::EnumChildWindows(AsWindow(window), OfferDescendant, reinterpret_cast<LPARAM>(&visit));
    }
}

bool Win32WindowInspector::ButtonsSwapped() {
    return ::GetSystemMetrics(SM_SWAPBUTTON) != 0;
}

bool Win32WindowEffects::PostWindowMessage(WindowRef window, std::uint32_t message,
                                           std::uintptr_t wParam, std::intptr_t lParam) {
    // A message posted to no window would go to this thread's own queue.
    return window != 0 && ::PostMessageW(AsWindow(window), message, wParam, lParam) != FALSE;
}

bool Win32WindowEffects::SendWindowMessage(WindowRef window, std::uint32_t message,
                                           std::uintptr_t wParam, std::intptr_t lParam,
                                           std::uint32_t boundMs) {
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutW(AsWindow(window), message, wParam, lParam, SMTO_ABORTIFHUNG,
                                 boundMs, &answer) != 0;
}

void Win32WindowEffects::MovePointer(ScreenPoint point) {
    ::SetCursorPos(point.x, point.y);
}

BrowserScroll Win32BrowserDocument::ScrollBy(WindowRef browserWindow, std::int32_t dx,
                                             std::uint32_t boundMs) {
    // Declared in this order so that the objects go before the library and the library before
    // COM.
    const ComScope com;
    const win::OptionalFunction<ObjectFromLresultFn> objectFromLresult(L"OLEACC.DLL",
                                                                       "ObjectFromLresult");
    if (!objectFromLresult) {
        return BrowserScroll::NoEngine;
    }
    const UINT getObject = ::RegisterWindowMessageW(L"WM_HTML_GETOBJECT");
    DWORD_PTR answer = 0;
    if (getObject == 0 || !::SendMessageTimeoutW(AsWindow(browserWindow), getObject, 0, 0,
                                                 SMTO_ABORTIFHUNG, boundMs, &answer)) {
        return BrowserScroll::NoAnswer;
    }
    ComPtr<IHTMLDocument2> document;
    if (answer == 0 ||
        FAILED(objectFromLresult.get()(static_cast<LRESULT>(answer), kIidHtmlDocument2, 0,
                                       reinterpret_cast<void**>(document.GetAddressOf()))) ||
        !document) {
        return BrowserScroll::NoDocument;
    }
    ComPtr<IDispatch> script;
    ComPtr<IHTMLWindow2> window;
    if (FAILED(document->get_Script(script.GetAddressOf())) || !script ||
        FAILED(script->QueryInterface(kIidHtmlWindow2,
                                      reinterpret_cast<void**>(window.GetAddressOf()))) ||
        !window) {
        return BrowserScroll::NoScriptWindow;
    }
    return window->scrollBy(dx, 0) == S_OK ? BrowserScroll::Scrolled : BrowserScroll::ScrollFailed;
}

}  // namespace k2q::monitor
