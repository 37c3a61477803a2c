// A stand-in for the configuration program's main dialog, for tests that host one page in the
// test process: a real top-level dialog that owns the in-memory blocks, counts CloseAllMenus,
// owns the function menus and passes their choices, the wheel and the monitor's scroll notices
// to its page as the main dialog does. Its OK and Cancel are only counted, so a test sees
// whether Enter or Escape reached it. Messages are pumped through the dialog manager
// (PumpDialogUntil), as the program's modal loop does.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstring>
#include <memory>

#include "common/Messages.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/BitmapBtn.h"
#include "common/win/Dialog.h"
#include "config/buttons/FunctionMenu.h"
#include "config/buttons/win/ButtonPage.h"
#include "config/sensitivity/win/SensitivityPage.h"
#include "config/shell/win/PageHost.h"
#include "support/win/UserInput.h"

namespace k2q::testing {

// Runs this thread's messages through the dialog manager of dialog until done() holds or the
// bound passes; returns done().
template <class Done>
bool PumpDialogUntil(HWND dialog, Done done,
                     std::chrono::milliseconds bound = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + bound;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!::IsWindow(dialog) || !::IsDialogMessageW(dialog, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

inline void PumpDialogFor(HWND dialog, std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    PumpDialogUntil(
        dialog, [&] { return std::chrono::steady_clock::now() >= end; }, duration);
}

class StandInMainDialog : public win::Dialog, public config::win::PageHost {
  public:
    StandInMainDialog() : macros_(std::make_unique<MacroSetting>()) {
        std::memset(macros_.get(), 0, sizeof *macros_);
        SetButtonDefaults(buttons_);
        buttons_.mouse = {3, 3, 550, 5, 0, 1, 1, 1, {0, 0}};
    }

    // Shows the dialog at a screen point with the main dialog's size, active, with one plain
    // push button of its own outside the page area (control id kOwnButton).
    static constexpr UINT kOwnButton = 1001;
    bool Open(int x, int y) {
        // An empty template: no menu, the dialog class, no title, no controls.
        struct alignas(DWORD) Template {
            DLGTEMPLATE header;
            WORD menu, windowClass, title;
        } empty{{WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, 400, 300}, 0, 0, 0};
        if (!CreateModelessIndirect(&empty.header, nullptr)) {
            return false;
        }
        ::CreateWindowExW(0, L"BUTTON", L"Own", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                          5, 5, 40, 20, hwnd(), reinterpret_cast<HMENU>(kOwnButton), nullptr,
                          nullptr);
        ::SetWindowPos(hwnd(), HWND_TOP, x, y, skin::main_dialog::kWidth,
                       skin::main_dialog::kHeight, SWP_SHOWWINDOW);
        ::SetForegroundWindow(hwnd());
        PumpDialogFor(hwnd(), std::chrono::milliseconds(50));
        return true;
    }

    // Creates a page as the main dialog does: a hidden child moved into the page area, then
    // shown.
    template <class Page>
    bool Host(Page& page) {
        if (!page.Create(hwnd())) {
            return false;
        }
        const skin::Rect& area = skin::main_dialog::kPageArea;
        ::SetWindowPos(page.hwnd(), nullptr, area.left, area.top, area.Width(), area.Height(),
                       SWP_NOZORDER | SWP_SHOWWINDOW);
        PumpDialogFor(hwnd(), std::chrono::milliseconds(50));
        return true;
    }

    ButtonSetting& Buttons() override { return buttons_; }
    MacroSetting& Macros() override { return *macros_; }
    void CloseAllMenus() override { ++closeAllMenus; }
    HWND MenuOwner() const override { return hwnd(); }

    config::win::CButtonPage* buttonPage = nullptr;
    config::win::CSensitivityPage* sensitivityPage = nullptr;
    int closeAllMenus = 0;
    int okCommands = 0;
    int cancelCommands = 0;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_BMPMENU_CHOSEN && buttonPage &&
            config::IsFunctionChoice(static_cast<std::uint32_t>(lParam))) {
            buttonPage->CloseFunctionMenu();
            buttonPage->ApplyFunctionChoice(lParam);
        } else if (msg == WM_MOUSEWHEEL && sensitivityPage) {
            sensitivityPage->WheelTest(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? 1 : -1);
        } else if (msg == kScrollNoticeMessage && sensitivityPage) {
            sensitivityPage->TiltTest(wParam);
            return 0;
        }
        return win::Dialog::WndProc(msg, wParam, lParam);
    }
    void OnOK() override { ++okCommands; }
    void OnCancel() override { ++cancelCommands; }

  private:
    ButtonSetting buttons_{};
    std::unique_ptr<MacroSetting> macros_;
};

// Whether the skinned button under a screen point has lit up: it then holds the mouse, so a
// press there reaches it (a press goes to whichever window holds the mouse).
inline bool SkinnedButtonLitAt(POINT at) {
    auto* button = dynamic_cast<win::CBitmapBtn*>(win::Window::FromHandle(::WindowFromPoint(at)));
    return button && button->hover();
}

// A click on a skinned button where a person would click: the press waits until the button
// under the pointer has lit up, moving the pointer again meanwhile as a hand would. wait(bound)
// lets the button's thread run for at most bound and says whether it lit up.
template <class Wait>
void ClickSkinnedButton(POINT at, Wait wait) {
    for (int move = 0; move < 50; ++move) {
        MovePointer(at);
        if (wait(std::chrono::milliseconds(100))) {
            break;
        }
    }
    LeftDown();
    LeftUp();
}

// The same on this thread, pumping through the dialog manager of dialog while it waits.
inline void ClickSkinnedButtonOf(HWND dialog, POINT at) {
    ClickSkinnedButton(at, [&](std::chrono::milliseconds bound) {
        return PumpDialogUntil(
            dialog, [&] { return SkinnedButtonLitAt(at); }, bound);
    });
}

// Presses the left button at a point, drags the pointer by (dx, dy) and lets go.
inline void DragBy(HWND dialog, POINT from, int dx, int dy) {
    MovePointer(from);
    LeftDown();
    for (int step = 1; step <= 4; ++step) {
        PumpDialogFor(dialog, std::chrono::milliseconds(20));
        MovePointer(from.x + dx * step / 4, from.y + dy * step / 4);
    }
    PumpDialogFor(dialog, std::chrono::milliseconds(20));
    LeftUp();
    PumpDialogFor(dialog, std::chrono::milliseconds(50));
}

inline RECT RectOf(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

inline bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

// The skinned button with a control id inside a page, or nullptr.
inline win::CBitmapBtn* PageButton(HWND page, int id) {
    return dynamic_cast<win::CBitmapBtn*>(win::Window::FromHandle(::GetDlgItem(page, id)));
}

// A screen point inside a page, from page client coordinates.
inline POINT PagePoint(HWND page, int x, int y) {
    POINT pt{x, y};
    ::ClientToScreen(page, &pt);
    return pt;
}

inline POINT CentreOf(const skin::Rect& r, HWND page) {
    return PagePoint(page, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

}  // namespace k2q::testing
