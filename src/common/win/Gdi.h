// Scope guards for GDI painting: each restores or releases exactly what it took.
#pragma once

#include <windows.h>

#include "common/win/UniqueHandle.h"

namespace k2q::win {

class PaintGuard {
public:
    explicit PaintGuard(HWND hwnd) : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &ps_)) {}
    ~PaintGuard() { ::EndPaint(hwnd_, &ps_); }
    PaintGuard(const PaintGuard&) = delete;
    PaintGuard& operator=(const PaintGuard&) = delete;
    HDC dc() const { return dc_; }
    const RECT& dirty() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

class WindowDcGuard {
public:
    explicit WindowDcGuard(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    ~WindowDcGuard() {
        if (dc_) {
            ::ReleaseDC(hwnd_, dc_);
        }
    }
    WindowDcGuard(const WindowDcGuard&) = delete;
    WindowDcGuard& operator=(const WindowDcGuard&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    ~SelectGuard() {
        if (previous_ && previous_ != HGDI_ERROR) {
            ::SelectObject(dc_, previous_);
        }
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory DC with a compatible bitmap: paint into dc(), then Present() copies it in one
// block transfer, so skinned windows never flicker.
class DoubleBuffer {
public:
    DoubleBuffer(HDC target, int width, int height)
        : target_(target),
          width_(width),
          height_(height),
          dc_(::CreateCompatibleDC(target)),
          bitmap_(::CreateCompatibleBitmap(target, width, height)),
          select_(dc_.get(), bitmap_.get()) {}
    HDC dc() const { return dc_.get(); }
    void Present(int x = 0, int y = 0) const {
        ::BitBlt(target_, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
    }

private:
    HDC target_;
    int width_;
    int height_;
    UniqueDc dc_;
    UniqueBitmap bitmap_;
    SelectGuard select_;  // declared last: deselects before the bitmap and DC go
};

}  // namespace k2q::win
