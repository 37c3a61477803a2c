#include "common/win/Window.h"

#include "common/win/Dialog.h"

#include <commctrl.h>
#include <windowsx.h>


namespace k2q::win {
namespace {

// Identifies our subclass on a control. A subclassed control also carries its object in a
// window property (MinGW's comctl32 import library lacks GetWindowSubclass); windows created
// here carry it in GWLP_USERDATA instead.
constexpr UINT_PTR kSubclassId = 0x4B3251;  // "K2Q"
constexpr wchar_t kObjectProperty[] = L"K2qWindowObject";

POINT PointFrom(LPARAM lParam) { return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

bool RegisterClassOnce(const Window::CreateParams& p, WNDPROC proc) {
    WNDCLASSEXW existing{sizeof existing};
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (::GetClassInfoExW(instance, p.className, &existing)) {
        return true;
    }
    WNDCLASSEXW wc{sizeof wc};
    wc.style = p.classStyle;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = p.cursor ? p.cursor : ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = p.className;
    return ::RegisterClassExW(&wc) != 0;
}

}  // namespace

Window::~Window() {
    if (hwnd_) {
        HWND hwnd = hwnd_;
        Unbind();
        if (!subclassed_) {
            ::DestroyWindow(hwnd);
        }
    }
}

bool Window::Create(const CreateParams& p) {
    if (!RegisterClassOnce(p, &Window::StaticWndProc)) {
        return false;
    }
    HWND hwnd = ::CreateWindowExW(p.exStyle, p.className, p.title, p.style, p.x, p.y, p.width,
                                  p.height, p.parent, p.menuOrId, ::GetModuleHandleW(nullptr),
                                  this);
    return hwnd != nullptr;
}

bool Window::Attach(HWND hwnd) {
    if (!hwnd || hwnd_) {
        return false;
    }
    if (!::SetWindowSubclass(hwnd, &Window::SubclassProc, kSubclassId,
                             reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    ::SetPropW(hwnd, kObjectProperty, this);
    subclassed_ = true;
    hwnd_ = hwnd;
    return true;
}

void Window::Destroy() {
    if (hwnd_) {
        ::DestroyWindow(hwnd_);
    }
}

Window* Window::FromHandle(HWND hwnd) {
    if (!hwnd) {
        return nullptr;
    }
    // Only windows of this process carry our pointers.
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != ::GetCurrentProcessId()) {
        return nullptr;
    }
    if (void* attached = ::GetPropW(hwnd, kObjectProperty)) {
        return static_cast<Window*>(attached);
    }
    const auto proc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    const bool ours = proc == &Window::StaticWndProc || Dialog::IsOurDialog(hwnd);
    if (!ours) {
        return nullptr;
    }
    return reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Window::Bind(HWND hwnd) {
    hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Window::Unbind() {
    if (!hwnd_) {
        return;
    }
    if (subclassed_) {
        ::RemoveWindowSubclass(hwnd_, &Window::SubclassProc, kSubclassId);
        ::RemovePropW(hwnd_, kObjectProperty);
    } else {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    }
    hwnd_ = nullptr;
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<Window*>(cs->lpCreateParams);
        if (self) {
            self->Bind(hwnd);
        }
    } else {
        self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) {
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    return self->Dispatch(msg, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR refData) {
    auto* self = reinterpret_cast<Window*>(refData);
    if (!self || self->hwnd_ != hwnd) {
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    return self->Dispatch(msg, wParam, lParam);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    const CurrentMessage saved = current_;  // handlers may send messages to themselves
    current_ = {msg, wParam, lParam};
    LRESULT result = WndProc(msg, wParam, lParam);
    current_ = saved;
    if (msg == WM_NCDESTROY) {
        if (subclassed_ && hwnd_) {
            ::RemoveWindowSubclass(hwnd_, &Window::SubclassProc, kSubclassId);
            ::RemovePropW(hwnd_, kObjectProperty);
        }
        hwnd_ = nullptr;
        OnFinalMessage();
    }
    return result;
}

LRESULT Window::Default() {
    return DefaultProcessing(current_.msg, current_.wParam, current_.lParam);
}

LRESULT Window::DefaultProcessing(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (subclassed_) {
        return ::DefSubclassProc(hwnd_, msg, wParam, lParam);
    }
    return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
}

bool Window::ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = nullptr;
    switch (msg) {
        case WM_COMMAND:
            child = reinterpret_cast<HWND>(lParam);
            break;
        case WM_NOTIFY:
            child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
            break;
        case WM_DRAWITEM: {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (dis->CtlType != ODT_MENU) {
                child = dis->hwndItem;
            }
            break;
        }
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (mis->CtlType != ODT_MENU) {
                child = ::GetDlgItem(hwnd_, static_cast<int>(mis->CtlID));
            }
            break;
        }
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_HSCROLL:
        case WM_VSCROLL:
            child = reinterpret_cast<HWND>(lParam);
            break;
        default:
            return false;
    }
    if (!child || child == hwnd_) {
        return false;
    }
    Window* target = FromHandle(child);
    return target && target->OnReflected(msg, wParam, lParam, result);
}

LRESULT Window::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT reflected = 0;
    if (ReflectToChild(msg, wParam, lParam, reflected)) {
        return reflected;
    }
    switch (msg) {
        case WM_CREATE:
            return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return OnEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(static_cast<UINT>(wParam), PointFrom(lParam));
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(static_cast<UINT>(wParam), PointFrom(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(static_cast<UINT>(wParam), PointFrom(lParam));
            return 0;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(static_cast<UINT>(wParam), PointFrom(lParam));
            return 0;
        case WM_RBUTTONDOWN:
            OnRButtonDown(static_cast<UINT>(wParam), PointFrom(lParam));
            return 0;
        case WM_RBUTTONUP:
            OnRButtonUp(static_cast<UINT>(wParam), PointFrom(lParam));
            return 0;
        case WM_DRAWITEM:
            return OnDrawItem(static_cast<UINT>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        case WM_MEASUREITEM:
            return OnMeasureItem(static_cast<UINT>(wParam),
                                 reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        default:
            return Default();
    }
}

}  // namespace k2q::win
