#include "monitor/app/win/PngHProgressBar.h"

#include "common/ui/Placement.h"
#include "common/win/Gdi.h"

namespace k2q::monitor {

bool CPngHProgressBar::CreateChild(HWND owner, const RECT& rect) {
    CreateParams p;
    p.className = L"K2qPngHProgressBar";
    p.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;  // 0x50010000
    p.x = rect.left;
    p.y = rect.top;
    p.width = rect.right - rect.left;
    p.height = rect.bottom - rect.top;
    p.parent = owner;
    p.menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId));
    return Create(p);
}

void CPngHProgressBar::SetImages(win::SkinImage background, win::SkinImage fill) {
    background_ = std::move(background);
    fill_ = std::move(fill);
}

void CPngHProgressBar::SetRange(std::int32_t minimum, std::int32_t maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

void CPngHProgressBar::SetPosition(std::int32_t position) {
    position_ = position;
}

void CPngHProgressBar::RedrawNow() {
    if (hwnd()) {
        ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
}

LRESULT CPngHProgressBar::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (mouseDisabled && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
        return 0;
    }
    return Window::WndProc(msg, wParam, lParam);
}

void CPngHProgressBar::OnPaint() {
    win::PaintGuard paint(hwnd());
    RECT client;
    ::GetClientRect(hwnd(), &client);
    const int w = client.right;
    const int h = client.bottom;
    win::DoubleBuffer buffer(paint.dc(), w, h);
    {
        Gdiplus::Graphics graphics(buffer.dc());
        background_.Draw(graphics, 0, 0);
        fill_.DrawPart(graphics, 0, 0, 0, 0, FilledWidth(position_, minimum_, maximum_, w), h);
    }
    buffer.Present();
}

}  // namespace k2q::monitor
