#include "common/ui/win/BitmapBtn.h"

#include <windowsx.h>

#include "common/Messages.h"
#include "common/win/Gdi.h"

namespace k2q::win {

CBitmapBtn::~CBitmapBtn() {
    // The button window was made here, so it goes with its object (a subclassed control is
    // otherwise only unbound).
    Destroy();
}

bool CBitmapBtn::Create(HWND owner, UINT id, const skin::Rect& rect) {
    HWND button = ::CreateWindowExW(
        0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_OWNERDRAW,
        rect.left, rect.top, rect.Width(), rect.Height(), owner,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    if (!button) {
        return false;
    }
    if (!Attach(button)) {
        ::DestroyWindow(button);
        return false;
    }
    return true;
}

UINT CBitmapBtn::id() const {
    return hwnd() ? static_cast<UINT>(::GetDlgCtrlID(hwnd())) : 0;
}

void CBitmapBtn::SetSkin(const SkinImage& normal, const SkinImage& over, const SkinImage& down,
                         const SkinImage& checked, int x, int y, int width, int height) {
    normal_ = normal.Crop(x, y, width, height);
    over_ = over.Crop(x, y, width, height);
    down_ = down.Crop(x, y, width, height);
    checkedImage_ = checked.Crop(x, y, width, height);
    if (hwnd()) {
        const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
        ::SetWindowLongPtrW(hwnd(), GWL_STYLE, style & ~LONG_PTR{WS_BORDER | WS_TABSTOP});
        ::SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        Repaint();
    }
}

void CBitmapBtn::SetCaption(std::wstring_view text, int dx, int dy, int orientation) {
    caption_.assign(text);
    captionDx_ = dx;
    captionDy_ = dy;
    orientation_ = orientation;
    Repaint();
}

void CBitmapBtn::SetChecked(bool on) {
    if (checked_ == on) {
        return;
    }
    checked_ = on;
    Repaint();
}

void CBitmapBtn::SetTextColors(COLORREF normal, COLORREF over) {
    normalColour_ = normal;
    overColour_ = over;
    downColour_ = kQuietDownColour;
    Repaint();
}

void CBitmapBtn::Repaint() {
    if (hwnd()) {
        ::InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

void CBitmapBtn::PostMouseNote(WPARAM what) {
    if (notify_) {
        ::PostMessageW(::GetParent(hwnd()), WM_BITMAPBTN_MOUSE, what,
                       reinterpret_cast<LPARAM>(hwnd()));
    }
}

LRESULT CBitmapBtn::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CAPTURECHANGED: {
            const LRESULT result = Default();
            // After a click the light stays on while the pointer rests on the button; the
            // next move takes the capture again and sees the pointer leave.
            if (hover_) {
                Repaint();
            }
            return result;
        }
        case WM_KILLFOCUS:
            hover_ = false;
            Repaint();
            return Default();
        default:
            return Window::WndProc(msg, wParam, lParam);
    }
}

void CBitmapBtn::OnLButtonDown(UINT, POINT) {
    PostMouseNote(WM_LBUTTONDOWN);
    Default();
}

void CBitmapBtn::OnLButtonDblClk(UINT keys, POINT pt) {
    // The owner-drawn button style turns a quick second press into a double-click notice and
    // no click; a skinned button counts every press.
    PostMouseNote(WM_LBUTTONDOWN);
    DefaultProcessing(WM_LBUTTONDOWN, keys, MAKELPARAM(pt.x, pt.y));
}

void CBitmapBtn::OnLButtonUp(UINT, POINT pt) {
    PostMouseNote(WM_LBUTTONUP);
    if (!toggleMode_) {
        Default();
        return;
    }
    // Toggle mode: the release flips the flag and reports the click itself, instead of the
    // standard release; the pressed look and the capture of the press are undone here.
    RECT client;
    ::GetClientRect(hwnd(), &client);
    const bool onButton = ::PtInRect(&client, pt) != FALSE;
    ::SendMessageW(hwnd(), BM_SETSTATE, FALSE, 0);
    if (::GetCapture() == hwnd()) {
        ::ReleaseCapture();
    }
    if (!onButton || !hwnd()) {
        return;
    }
    checked_ = !checked_;
    Repaint();
    const UINT myId = id();
    ::SendMessageW(::GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(myId, 0),
                   reinterpret_cast<LPARAM>(hwnd()));
}

void CBitmapBtn::OnMouseMove(UINT keys, POINT pt) {
    Default();
    HWND self = hwnd();
    if (!self) {
        return;
    }
    POINT screen = pt;
    ::ClientToScreen(self, &screen);
    HoverInput in;
    in.leftHeld = (keys & MK_LBUTTON) != 0;
    in.hover = hover_;
    in.hasCapture = ::GetCapture() == self;
    in.appHasActiveWindow = ::GetActiveWindow() != nullptr;
    in.hasParent = ::GetParent(self) != nullptr;
    in.pointerOverButton = ::WindowFromPoint(screen) == self;
    const HoverStep step = DecideHoverMove(in);
    if (step.setHover) {
        hover_ = true;
    }
    if (step.clearHover) {
        hover_ = false;
    }
    if (step.takeCapture) {
        ::SetCapture(self);
    }
    if (step.repaint) {
        Repaint();
    }
    if (step.releaseCapture) {
        ::ReleaseCapture();
    }
    if (step.forwardToParent) {
        ::PostMessageW(::GetParent(self), WM_MOUSEMOVE, keys, MAKELPARAM(screen.x, screen.y));
    }
}

bool CBitmapBtn::OnReflected(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) {
    if (msg != WM_DRAWITEM) {
        return false;
    }
    Paint(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    result = TRUE;
    return true;
}

const SkinImage& CBitmapBtn::ImageOf(ButtonImage image) const {
    switch (image) {
        case ButtonImage::Over:
            return over_;
        case ButtonImage::Down:
            return down_;
        case ButtonImage::Checked:
            return checkedImage_;
        default:
            return normal_;
    }
}

COLORREF CBitmapBtn::ColourOf(ButtonColour colour) const {
    switch (colour) {
        case ButtonColour::Over:
            return overColour_;
        case ButtonColour::Down:
            return downColour_;
        default:
            return normalColour_;
    }
}

void CBitmapBtn::Paint(const DRAWITEMSTRUCT& dis) const {
    const int width = dis.rcItem.right - dis.rcItem.left;
    const int height = dis.rcItem.bottom - dis.rcItem.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    ButtonState state;
    state.checked = checked_;
    state.toggleMode = toggleMode_;
    state.hover = hover_;
    state.pressed = (dis.itemState & ODS_SELECTED) != 0;
    state.disabled = (dis.itemState & ODS_DISABLED) != 0;
    const ButtonLook look = ChooseButtonLook(state);

    DoubleBuffer buffer(dis.hDC, width, height);
    // A state without a picture draws nothing: start from what is on the screen.
    ::BitBlt(buffer.dc(), 0, 0, width, height, dis.hDC, dis.rcItem.left, dis.rcItem.top, SRCCOPY);
    {
        Gdiplus::Graphics graphics(buffer.dc());
        ImageOf(look.image).Draw(graphics, 0, 0);
    }
    PaintCaption(buffer.dc(), width, height, ColourOf(look.colour));
    buffer.Present(dis.rcItem.left, dis.rcItem.top);
}

void CBitmapBtn::PaintCaption(HDC dc, int width, int height, COLORREF colour) const {
    if (caption_.empty()) {
        return;
    }
    const CaptionFont shape = CaptionFontFor(orientation_);
    UniqueFont font(::CreateFontW(shape.height, 0, shape.escapement, 0, 500, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, FF_SWISS, L"Arial"));
    SelectGuard select(dc, font.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, caption_.c_str(), static_cast<int>(caption_.size()), &extent);
    const CaptionPoint at = CaptionOrigin(orientation_, width, height, extent.cx, extent.cy);
    ::TextOutW(dc, at.x + captionDx_, at.y + captionDy_, caption_.c_str(),
               static_cast<int>(caption_.size()));
}

}  // namespace k2q::win
