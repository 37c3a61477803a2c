// The macro editor run as the button page runs it: modal, on the test's own thread, with the
// real KbSnare.dll, while a second thread plays the user with the real pointer and keyboard.
// The user's side reads the editor through the window's thread (OnUi), so nothing is read
// while the window changes it.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <type_traits>

#include "common/ui/SkinLayout.h"
#include "common/win/Window.h"
#include "config/macro/win/DlgMacro.h"
#include "support/win/MessagePump.h"
#include "support/win/UserInput.h"

namespace k2q::config::win {

// Runs functions on the thread that owns it: a message-only window answers a sent message by
// calling the function it carries.
class UiThreadCaller : public k2q::win::Window {
  public:
    static constexpr UINT kRun = WM_APP + 0x51;
    UiThreadCaller() {
        CreateParams p;
        p.className = L"K2qUiThreadCaller";
        p.parent = HWND_MESSAGE;
        p.style = 0;
        Create(p);
    }
    ~UiThreadCaller() override { Destroy(); }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kRun) {
            (*reinterpret_cast<std::function<void()>*>(lParam))();
            return 0;
        }
        return Window::WndProc(msg, wParam, lParam);
    }
};

// The user's side of a session, on its own thread.
class EditorUser {
  public:
    EditorUser(const CDlgMacro& dialog, HWND window, HWND caller)
        : dialog_(dialog), window_(window), caller_(caller) {}

    HWND window() const { return window_; }

    // Runs f on the editor's thread and returns its result.
    template <class F>
    auto OnUi(F f) -> decltype(f()) {
        using R = decltype(f());
        if constexpr (std::is_void_v<R>) {
            std::function<void()> run = f;
            ::SendMessageW(caller_, UiThreadCaller::kRun, 0, reinterpret_cast<LPARAM>(&run));
        } else {
            R result{};
            std::function<void()> run = [&] { result = f(); };
            ::SendMessageW(caller_, UiThreadCaller::kRun, 0, reinterpret_cast<LPARAM>(&run));
            return result;
        }
    }

    // Waits, within a bound against hangs, until pred() holds on the editor's thread.
    template <class Pred>
    bool WaitFor(Pred pred, std::chrono::milliseconds bound = std::chrono::seconds(10)) {
        const auto end = std::chrono::steady_clock::now() + bound;
        for (;;) {
            if (OnUi([&] { return pred(); })) {
                return true;
            }
            if (std::chrono::steady_clock::now() >= end || !::IsWindow(window_)) {
                return false;
            }
            ::Sleep(5);
        }
    }
    // The same for a condition on the editor's decisions.
    template <class Pred>
    bool WaitForEditor(Pred pred, std::chrono::milliseconds bound = std::chrono::seconds(10)) {
        return WaitFor([&] { return dialog_.hwnd() && pred(*dialog_.editor()); }, bound);
    }

    // A click where a person would click. A skinned button takes the mouse while the pointer
    // rests on it, and the system gives a press to whichever window holds the mouse: so the
    // press waits until the pointer's arrival has been seen, the button it left has let go
    // and, on a skinned button, the button under it has taken the mouse. The pointer moves
    // again while that has not happened, as a person's hand would.
    void ClickAt(POINT p) {
        bool arrived = false;
        for (int move = 0; move < 50 && !arrived; ++move) {
            testing::MovePointer(p);
            arrived = WaitFor(
                [&] {
                    const HWND under = ::WindowFromPoint(p);
                    const bool skinned = dynamic_cast<k2q::win::CBitmapBtn*>(
                                             k2q::win::Window::FromHandle(under)) != nullptr;
                    return ::GetCapture() == (skinned ? under : nullptr);
                },
                std::chrono::milliseconds(100));
        }
        EXPECT_TRUE(arrived) << "the pointer did not arrive at " << p.x << "," << p.y;
        testing::LeftDown();
        testing::LeftUp();
    }
    void DoubleClickAt(POINT p) {
        ClickAt(p);
        testing::LeftDown();
        testing::LeftUp();
    }

    // The centre of a control's rectangle.
    POINT PointOf(const skin::Rect& r) const {
        return testing::ScreenPointOf(window(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void Click(const skin::Rect& r) { ClickAt(PointOf(r)); }
    // The middle of a list's item row.
    POINT ItemPoint(const skin::Rect& list, int index, int itemHeight = 16) const {
        return testing::ScreenPointOf(window(), list.left + 40,
                                      list.top + index * itemHeight + itemHeight / 2);
    }
    void ClickItem(const skin::Rect& list, int index) { ClickAt(ItemPoint(list, index)); }
    // Clicks into a number field and waits for it to have the keyboard: the keyboard hook
    // judges each key as it is typed, before the window has seen the click that went first.
    void ClickField(int id, const skin::Rect& r) {
        Click(r);
        if (!WaitFor([&] { return ::GetFocus() == ::GetDlgItem(window_, id); })) {
            ADD_FAILURE() << "field " << id << " did not take the keyboard";
        }
    }

  private:
    const CDlgMacro& dialog_;
    HWND window_;
    HWND caller_;
};

// Opens the dialog modally on this thread and runs user() on a second one once the window is
// up; a dialog that user() leaves open is cancelled, so a failing test never hangs. Returns what
// DoModal returned.
inline INT_PTR RunEditor(CDlgMacro& dialog, const std::function<void(EditorUser&)>& user) {
    testing::PointerGuard pointer;
    UiThreadCaller caller;
    std::atomic<bool> finished{false};
    std::thread side([&] {
        struct Done {
            std::atomic<bool>& flag;
            ~Done() { flag = true; }
        } done{finished};
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        HWND window = nullptr;
        while (std::chrono::steady_clock::now() < end) {
            window = ::FindWindowW(nullptr, L"CDlgMacro");
            if (window && ::IsWindowVisible(window)) {
                break;
            }
            ::Sleep(5);
        }
        if (!window) {
            ADD_FAILURE() << "the editor did not open";
            return;
        }
        EditorUser person(dialog, window, caller.hwnd());
        person.OnUi([&] { ::SetForegroundWindow(window); });
        // Input is taken only once the window is in front and drawn, as a person sees it.
        if (!person.WaitFor([&] {
                return ::GetForegroundWindow() == window &&
                       !::GetUpdateRect(window, nullptr, FALSE);
            })) {
            ADD_FAILURE() << "the editor did not come to the front";
        }
        user(person);
        // The user's last click (OK, Cancel) may still be on its way.
        const auto closing = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (::IsWindow(window) && std::chrono::steady_clock::now() < closing) {
            ::Sleep(5);
        }
        if (::IsWindow(window)) {
            ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    });
    const INT_PTR result = dialog.DoModal(nullptr);
    // The user's side may still ask this thread for something: keep answering until it ends.
    testing::PumpUntil([&] { return finished.load(); }, std::chrono::seconds(60));
    side.join();
    return result;
}

}  // namespace k2q::config::win
