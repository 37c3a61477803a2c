// What the skinned-control tests share: pictures of one flat colour per state, so a screen
// pixel tells which picture a control shows, and a visible, active host window that records
// what its controls tell it.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "common/ui/win/SkinImage.h"
#include "common/win/Gdiplus.h"
#include "common/win/Window.h"
#include "support/win/MessagePump.h"
#include "support/win/Screenshot.h"

namespace k2q::testing {

// Screen colours (0x00RRGGBB, as CaptureScreen reads them) of the flat test pictures.
inline constexpr std::uint32_t kNormalRgb = 0x204080;
inline constexpr std::uint32_t kOverRgb = 0x30A030;
inline constexpr std::uint32_t kDownRgb = 0xA03030;
inline constexpr std::uint32_t kCheckedRgb = 0xC0C020;

inline win::SkinImage SolidImage(int width, int height, std::uint32_t rgb) {
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(bitmap.get());
        graphics.Clear(Gdiplus::Color(0xFF000000 | rgb));
    }
    return win::SkinImage(std::move(bitmap));
}

struct Note {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// A plain popup that notes the commands, button notices and mouse moves it receives.
class RecordingHost : public win::Window {
  public:
    std::vector<Note> notes;

    bool Open(int x, int y, int width, int height) {
        CreateParams p;
        p.className = L"K2qUiTestHost";
        p.style = WS_POPUP | WS_VISIBLE;
        p.x = x;
        p.y = y;
        p.width = width;
        p.height = height;
        if (!Create(p)) {
            return false;
        }
        ::SetForegroundWindow(hwnd());
        PumpQueued();
        return true;
    }
    std::vector<Note> Of(UINT msg) const {
        std::vector<Note> out;
        for (const Note& n : notes) {
            if (n.msg == msg) {
                out.push_back(n);
            }
        }
        return out;
    }
    int drawItems = 0;
    std::vector<UINT> noted{WM_COMMAND, WM_MOUSEMOVE};

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_DRAWITEM) {
            ++drawItems;
        }
        for (UINT m : noted) {
            if (m == msg) {
                notes.push_back({msg, wParam, lParam});
            }
        }
        return Window::WndProc(msg, wParam, lParam);
    }
    void OnPaint() override {
        PAINTSTRUCT ps;
        ::BeginPaint(hwnd(), &ps);
        ::FillRect(ps.hdc, &ps.rcPaint, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::EndPaint(hwnd(), &ps);
    }
};

// One screen pixel.
inline std::uint32_t ScreenPixel(POINT pt) {
    return CaptureScreen(RECT{pt.x, pt.y, pt.x + 1, pt.y + 1}).At(0, 0);
}

// Lets paints reach the screen, then reads the pixel.
inline std::uint32_t SettledPixel(POINT pt) {
    PumpFor(std::chrono::milliseconds(30));
    return ScreenPixel(pt);
}

// Polls a condition from a thread that has no windows to pump; false when the bound passed.
inline bool PollUntil(const std::function<bool()>& done,
                      std::chrono::milliseconds bound = std::chrono::seconds(5)) {
    const auto end = std::chrono::steady_clock::now() + bound;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        ::Sleep(5);
    }
    return true;
}

// Plays the user on a second thread while this one runs its windows: needed wherever the
// system enters a loop of its own on this thread (moving a window, a modal dialog, a message
// box), which the input must reach while it runs.
inline bool PlayAsUser(const std::function<void()>& user,
                       std::chrono::milliseconds bound = std::chrono::seconds(20)) {
    std::atomic<bool> finished{false};
    std::thread player([&] {
        ::GetDesktopWindow();  // a thread needs its desktop before SetCursorPos works
        user();
        finished = true;
    });
    const bool done = PumpUntil([&] { return finished.load(); }, bound);
    player.join();
    return done;
}

}  // namespace k2q::testing
