// The Win32 tests of every window rest on two pieces of the test rig: input injected as a
// user's reaches the window under the pointer (or with the focus) at the right place, and the
// GDI object count sees objects come and go. If either were wrong, every window test built on
// them would pass or fail for the wrong reason.
#include <gtest/gtest.h>

#include <vector>

#include "common/win/Window.h"
#include "support/win/GdiObjects.h"
#include "support/win/MessagePump.h"
#include "support/win/UserInput.h"

namespace k2q::testing {
namespace {

struct Seen {
    UINT msg;
    WPARAM wParam;
    POINT pt;
};

class InputTarget : public win::Window {
public:
    std::vector<Seen> seen;

protected:
    void OnMouseMove(UINT keys, POINT pt) override { seen.push_back({WM_MOUSEMOVE, keys, pt}); }
    void OnLButtonDown(UINT keys, POINT pt) override {
        seen.push_back({WM_LBUTTONDOWN, keys, pt});
    }
    void OnLButtonUp(UINT keys, POINT pt) override { seen.push_back({WM_LBUTTONUP, keys, pt}); }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_KEYDOWN || msg == WM_KEYUP) {
            seen.push_back({msg, wParam, {}});
        }
        return Window::WndProc(msg, wParam, lParam);
    }
};

bool Has(const std::vector<Seen>& seen, UINT msg) {
    for (const Seen& s : seen) {
        if (s.msg == msg) {
            return true;
        }
    }
    return false;
}

TEST(TestRig, PointerAndKeysReachTheWindowAsAUsersInput) {
    PointerGuard pointer;
    InputTarget target;
    win::Window::CreateParams p;
    p.className = L"K2qTestRigTarget";
    p.style = WS_POPUP | WS_VISIBLE;
    p.x = 200;
    p.y = 150;
    p.width = 120;
    p.height = 80;
    ASSERT_TRUE(target.Create(p));
    ::SetForegroundWindow(target.hwnd());
    ::SetFocus(target.hwnd());
    PumpQueued();
    target.seen.clear();

    MovePointer(230, 170);
    ASSERT_TRUE(PumpUntil([&] { return Has(target.seen, WM_MOUSEMOVE); },
                          std::chrono::seconds(5)));
    EXPECT_EQ(target.seen.back().pt.x, 30);
    EXPECT_EQ(target.seen.back().pt.y, 20);

    LeftClick(250, 190);
    ASSERT_TRUE(PumpUntil([&] { return Has(target.seen, WM_LBUTTONUP); },
                          std::chrono::seconds(5)));
    for (const Seen& s : target.seen) {
        if (s.msg == WM_LBUTTONDOWN || s.msg == WM_LBUTTONUP) {
            EXPECT_EQ(s.pt.x, 50);
            EXPECT_EQ(s.pt.y, 40);
        }
    }

    PressKey('K');
    ASSERT_TRUE(PumpUntil([&] { return Has(target.seen, WM_KEYUP); }, std::chrono::seconds(5)));
    EXPECT_TRUE(Has(target.seen, WM_KEYDOWN));
}

TEST(TestRig, GdiObjectCountFollowsObjectsThatComeAndGo) {
    const DWORD before = GdiObjectCount();
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 10; ++i) {
        brushes.push_back(::CreateSolidBrush(RGB(i, 0, 0)));
    }
    EXPECT_EQ(GdiObjectCount(), before + 10);
    for (HBRUSH b : brushes) {
        ::DeleteObject(b);
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
}  // namespace k2q::testing
