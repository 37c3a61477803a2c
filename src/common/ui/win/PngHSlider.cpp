#include "common/ui/win/PngHSlider.h"

#include <utility>
#include <vector>

#include "common/Messages.h"

namespace k2q::win {
namespace {

// The picture's pixels as 0xAARRGGBB, rows from the top; empty when it cannot be read.
std::vector<std::uint32_t> PixelsOf(const SkinImage& picture) {
    std::vector<std::uint32_t> pixels;
    if (picture.empty()) {
        return pixels;
    }
    const int w = picture.width();
    const int h = picture.height();
    Gdiplus::Rect area(0, 0, w, h);
    Gdiplus::BitmapData data{};
    if (picture.bitmap()->LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB,
                                   &data) != Gdiplus::Ok) {
        return pixels;
    }
    pixels.resize(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const BYTE*>(data.Scan0) + static_cast<std::ptrdiff_t>(y) * data.Stride);
        std::copy(row, row + w, pixels.begin() + static_cast<std::ptrdiff_t>(y) * w);
    }
    picture.bitmap()->UnlockBits(&data);
    return pixels;
}

}  // namespace

bool CPngHSlider::Create(HWND track, UINT id, const std::wstring& picturePath, int trackWidth) {
    id_ = id;
    CreateParams p;
    p.className = L"K2qPngHSlider";
    p.style = WS_CHILD | WS_VISIBLE;
    p.parent = track;
    p.menuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    if (!Window::Create(p)) {
        return false;
    }
    SetPaintMode(SkinPaint::Direct);
    UseSkin({LoadSkinImage(picturePath), {}, {}});
    travel_ = {0, trackWidth, skin().normal.width()};
    top_ = 0;
    ApplyShape();
    SetPos(0);
    return true;
}

void CPngHSlider::ApplyShape() {
    const SkinImage& picture = skin().normal;
    const std::vector<std::uint32_t> pixels = PixelsOf(picture);
    UniqueRegion shape(::CreateRectRgn(0, 0, 0, 0));
    for (const ShapeRect& r : ThumbShape(pixels, picture.width(), picture.height())) {
        UniqueRegion part(::CreateRectRgn(r.left, r.top, r.right, r.bottom));
        ::CombineRgn(shape.get(), shape.get(), part.get(), RGN_OR);
    }
    // The window owns its region from here on.
    if (::SetWindowRgn(hwnd(), shape.get(), TRUE)) {
        shape.release();
    }
}

void CPngHSlider::SetRange(std::int32_t minimum, std::int32_t maximum) {
    range_ = {minimum, maximum};
}

void CPngHSlider::SetPos(std::int32_t position) {
    position_ = AcceptedPosition(position, range_);
    MoveTo(ThumbLeftFor(position_, range_, travel_));
    if (hwnd()) {
        ::InvalidateRect(hwnd(), nullptr, FALSE);
    }
}

void CPngHSlider::MoveTo(int left) {
    left_ = left;
    if (hwnd()) {
        ::SetWindowPos(hwnd(), nullptr, left_, top_, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CPngHSlider::OnLButtonDown(UINT, POINT pt) {
    ::SetCapture(hwnd());
    dragging_ = true;
    pressed_ = pt;
}

void CPngHSlider::OnMouseMove(UINT, POINT pt) {
    if (!dragging_) {
        return;
    }
    // The pressed point stays under the pointer: the thumb moves with it.
    const int step = DragStep(left_, pt.x - pressed_.x, travel_);
    if (step != 0) {
        MoveTo(left_ + step);
    }
}

void CPngHSlider::OnLButtonUp(UINT, POINT) {
    dragging_ = false;
    if (::GetCapture() == hwnd()) {
        ::ReleaseCapture();
    }
    Drop();
}

void CPngHSlider::Drop() {
    // The thumb stays where it was dropped; only the position is worked out from it.
    position_ = DroppedPosition(left_, range_, travel_);
    ::PostMessageW(::GetParent(hwnd()), WM_PNGSLIDER_POS, static_cast<WPARAM>(position_),
                   static_cast<LPARAM>(id_));
}

LRESULT CPngHSlider::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CAPTURECHANGED && dragging_) {
        // The drag was cut short (another window took the mouse): it ends where it stands.
        dragging_ = false;
        Drop();
        return 0;
    }
    return SkinnedWindow::WndProc(msg, wParam, lParam);
}

bool CPngHSliderBar::CreateSlider(const std::wstring& thumbPicturePath, HWND owner, UINT id,
                                  const skin::Rect& rect) {
    id_ = id;
    rect_ = rect;
    thumbPath_ = thumbPicturePath;
    CreateParams p;
    p.className = L"K2qPngHSliderBar";
    p.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    p.x = rect.left;
    p.y = rect.top;
    p.width = rect.Width();
    p.height = rect.Height();
    p.parent = owner;
    p.menuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    return Window::Create(p);
}

LRESULT CPngHSliderBar::OnCreate(CREATESTRUCTW*) {
    thumb_.Create(hwnd(), id_, thumbPath_, rect_.Width());
    return 0;
}

void CPngHSliderBar::SetRange(std::int32_t minimum, std::int32_t maximum) {
    range_ = {minimum, maximum};
    thumb_.SetRange(minimum, maximum);
}

void CPngHSliderBar::SetBackgroundFrom(const SkinImage& ownerPicture) {
    UseSkin({ownerPicture.Crop(rect_.left, rect_.top, rect_.Width(), rect_.Height()), {}, {}},
            SkinSizing::Keep);
}

void CPngHSliderBar::OnLButtonDown(UINT, POINT) {
    // Held until the release, so a press that leaves the track is not taken for a click.
    pressed_ = true;
    ::SetCapture(hwnd());
}

void CPngHSliderBar::OnLButtonUp(UINT, POINT pt) {
    const bool pressed = std::exchange(pressed_, false);
    if (::GetCapture() == hwnd()) {
        ::ReleaseCapture();
    }
    RECT client;
    ::GetClientRect(hwnd(), &client);
    if (!pressed || !::PtInRect(&client, pt)) {
        return;
    }
    const std::int32_t position =
        ClickedPosition(rect_.left + pt.x, rect_.left, rect_.right, range_);
    thumb_.SetPos(position);
    ::PostMessageW(::GetParent(hwnd()), WM_PNGSLIDER_POS, static_cast<WPARAM>(position),
                   static_cast<LPARAM>(id_));
}

LRESULT CPngHSliderBar::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PNGSLIDER_POS) {
        ::PostMessageW(::GetParent(hwnd()), WM_PNGSLIDER_POS, wParam, static_cast<LPARAM>(id_));
        return 0;
    }
    return SkinnedWindow::WndProc(msg, wParam, lParam);
}

}  // namespace k2q::win
