#include "common/win/Window.h"

#include <gtest/gtest.h>

#include <vector>

#include "common/win/Dialog.h"

namespace k2q::win {
namespace {

class Recorder : public Window {
public:
    std::vector<UINT>* log = nullptr;
    bool* finalSeen = nullptr;

protected:
    LRESULT OnCreate(CREATESTRUCTW*) override {
        log->push_back(WM_CREATE);
        return 0;
    }
    void OnTimer(UINT_PTR id) override { log->push_back(WM_TIMER + static_cast<UINT>(id)); }
    void OnDestroy() override { log->push_back(WM_DESTROY); }
    void OnFinalMessage() override {
        EXPECT_EQ(hwnd(), nullptr);  // the handle is cleared before the final call
        *finalSeen = true;
    }
};

TEST(Window, IsCreatedHiddenFoundByTitleDispatchedAndDestroyed) {
    std::vector<UINT> log;
    bool finalSeen = false;
    Recorder w;
    w.log = &log;
    w.finalSeen = &finalSeen;
    Window::CreateParams p;
    p.className = L"K2qTestRecorder";
    p.title = L"K2qFrameworkTestWindow";
    p.width = p.height = 1;
    ASSERT_TRUE(w.Create(p));

    const HWND found = ::FindWindowW(nullptr, L"K2qFrameworkTestWindow");
    EXPECT_EQ(found, w.hwnd());
    EXPECT_FALSE(::IsWindowVisible(found));
    EXPECT_EQ(Window::FromHandle(found), &w);

    ::SendMessageW(found, WM_TIMER, 7, 0);
    w.Destroy();
    EXPECT_EQ(::FindWindowW(nullptr, L"K2qFrameworkTestWindow"), nullptr);
    EXPECT_FALSE(::IsWindow(found));
    EXPECT_EQ(w.hwnd(), nullptr);
    EXPECT_TRUE(finalSeen);
    EXPECT_EQ(log, (std::vector<UINT>{WM_CREATE, WM_TIMER + 7, WM_DESTROY}));
}

TEST(Window, DestructorDestroysALiveWindowWithoutCallingItsHandlers) {
    std::vector<UINT> log;
    bool finalSeen = false;
    HWND hwnd = nullptr;
    {
        Recorder w;
        w.log = &log;
        w.finalSeen = &finalSeen;
        Window::CreateParams p;
        p.className = L"K2qTestRecorder";
        ASSERT_TRUE(w.Create(p));
        hwnd = w.hwnd();
    }
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(log, (std::vector<UINT>{WM_CREATE}));  // unbound before destruction
    EXPECT_FALSE(finalSeen);
}

TEST(Window, FromHandleKnowsOnlyOurWindows) {
    EXPECT_EQ(Window::FromHandle(nullptr), nullptr);
    EXPECT_EQ(Window::FromHandle(::GetDesktopWindow()), nullptr);
    HWND plain = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(Window::FromHandle(plain), nullptr);

    // A subclassed standard control is bound and unbound with its object.
    {
        Window attached;
        ASSERT_TRUE(attached.Attach(plain));
        EXPECT_EQ(Window::FromHandle(plain), &attached);
    }
    EXPECT_EQ(Window::FromHandle(plain), nullptr);
    EXPECT_TRUE(::IsWindow(plain));  // the control is not ours to destroy
    ::DestroyWindow(plain);
}

// A modal dialog from an in-memory template: OnInitDialog runs, a posted command reaches it,
// and EndDialog's result comes back from DoModal.
class ClosingDialog : public Dialog {
public:
    bool initialized = false;

protected:
    BOOL OnInitDialog() override {
        initialized = true;
        ::PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(1234, 0), 0);
        return TRUE;
    }
    void OnCommand(UINT id, UINT, HWND) override {
        if (id == 1234) {
            EndDialog(42);
        }
    }
};

TEST(Dialog, RunsModallyFromATemplateAndReturnsItsResult) {
    struct alignas(4) {
        DLGTEMPLATE header{WS_POPUP, 0, 0, 0, 0, 10, 10};
        WORD menu = 0, windowClass = 0, title = 0;
    } dialogTemplate;
    ClosingDialog dialog;
    EXPECT_EQ(dialog.DoModalIndirect(&dialogTemplate.header, nullptr), 42);
    EXPECT_TRUE(dialog.initialized);
    EXPECT_EQ(dialog.hwnd(), nullptr);
}

}  // namespace
}  // namespace k2q::win
