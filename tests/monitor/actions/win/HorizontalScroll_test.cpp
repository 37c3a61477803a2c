// Sideways scrolling of real windows: windows of the classes the scroller knows, real scroll
// bar controls, the real pointer and injected clicks seen by low-level hooks, and windows on
// another thread that stop answering.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/win/UniqueHandle.h"
#include "common/win/Window.h"
#include "monitor/actions/HorizontalScroll.h"
#include "monitor/actions/win/Win32Input.h"
#include "monitor/actions/win/Win32ScrollPorts.h"
#include "support/win/LowLevelHooks.h"
#include "support/win/MessagePump.h"
#include "support/win/UserInput.h"

namespace k2q::testing {
namespace {

using namespace k2q::monitor;
using namespace std::chrono_literals;

const UINT kHtmlGetObject = ::RegisterWindowMessageW(L"WM_HTML_GETOBJECT");

struct Seen {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

bool operator==(const Seen& a, const Seen& b) {
    return a.msg == b.msg && a.wParam == b.wParam && a.lParam == b.lParam;
}

std::ostream& operator<<(std::ostream& os, const Seen& s) {
    return os << std::hex << "{" << s.msg << " " << s.wParam << " " << s.lParam << "}";
}

// A window of any class that notes the scrolling messages and keys it gets and answers the
// browser's document request with a set value.
class Recorder : public win::Window {
  public:
    Recorder(const wchar_t* className, DWORD style, RECT r, HWND parent = nullptr) {
        CreateParams p;
        p.className = className;
        p.style = style | WS_VISIBLE | (parent ? WS_CHILD : WS_POPUP);
        p.x = r.left;
        p.y = r.top;
        p.width = r.right - r.left;
        p.height = r.bottom - r.top;
        p.parent = parent;
        EXPECT_TRUE(Create(p)) << ::GetLastError();
    }
    // Notes what a standard control gets.
    explicit Recorder(HWND control) { EXPECT_TRUE(Attach(control)); }
    std::vector<Seen> seen;
    LRESULT documentAnswer = 0;
    HANDLE hangUntil = nullptr;  // set: the scroll and document messages hang until it is

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_HSCROLL || msg == WM_KEYDOWN || msg == WM_KEYUP || msg == kHtmlGetObject) {
            seen.push_back({msg, wParam, lParam});
            if (hangUntil && msg != WM_KEYDOWN && msg != WM_KEYUP) {
                ::WaitForSingleObject(hangUntil, 20000);
            }
        }
        if (msg == kHtmlGetObject) {
            return documentAnswer;
        }
        return Window::WndProc(msg, wParam, lParam);
    }
};

// A real scroll bar control, destroyed with its parent.
HWND ScrollBarControl(HWND parent, RECT r, DWORD style = SBS_HORZ) {
    return ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, parent, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
}

POINT PointerNow() {
    POINT pt{};
    ::GetCursorPos(&pt);
    return pt;
}

// A window on a thread of its own that answers as any window until it gets a scroll or
// document message, and hangs in its handler until it is let go.
class HangingWindow {
  public:
    HangingWindow(const wchar_t* className, DWORD style, RECT r) {
        thread_ = std::thread([=, this] {
            Recorder window(className, style, r);
            window.hangUntil = release_.get();
            hwnd_ = window.hwnd();
            ready_.store(true);
            const HANDLE release = release_.get();
            while (::MsgWaitForMultipleObjects(1, &release, FALSE, INFINITE, QS_ALLINPUT) !=
                   WAIT_OBJECT_0) {
                PumpQueued();
            }
            PumpQueued();
            scrolls_.store(Count(window, WM_HSCROLL));
            requests_.store(Count(window, kHtmlGetObject));
        });
        while (!ready_.load()) {
            std::this_thread::yield();
        }
    }
    ~HangingWindow() { Release(); }
    HWND hwnd() const { return hwnd_; }

    // Lets the window handle what waited; returns once it has.
    void Release() {
        if (thread_.joinable()) {
            ::SetEvent(release_.get());
            thread_.join();
        }
    }
    int scrolls() const { return scrolls_.load(); }
    int requests() const { return requests_.load(); }

  private:
    static int Count(const Recorder& w, UINT msg) {
        int n = 0;
        for (const Seen& s : w.seen) {
            n += s.msg == msg;
        }
        return n;
    }

    win::UniqueKernelHandle release_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> ready_{false};
    std::atomic<int> scrolls_{0};
    std::atomic<int> requests_{0};
    HWND hwnd_ = nullptr;
    std::thread thread_;
};

// A browser that always gives the same answer, for the steps after the real document lookup.
class AnsweringBrowser : public BrowserDocument {
  public:
    explicit AnsweringBrowser(BrowserScroll answer) : answer_(answer) {}
    BrowserScroll ScrollBy(WindowRef, std::int32_t, std::uint32_t) override { return answer_; }

  private:
    BrowserScroll answer_;
};

class ForeignScroll : public ::testing::Test {
  protected:
    void SetUp() override {
        ::GetDesktopWindow();  // the pointer moves only once the process has its desktop
        swappedAtStart_ = ::GetSystemMetrics(SM_SWAPBUTTON) != 0;
    }
    // Whatever a test did, the buttons are as they were.
    void TearDown() override { ::SwapMouseButton(swappedAtStart_); }

    // Puts the pointer on a point of a window and scrolls with the real system.
    void ScrollAt(POINT pt, int count) {
        ASSERT_TRUE(::SetCursorPos(pt.x, pt.y));
        scroller.ScrollHorizontal(count);
    }

    static constexpr RECT kFrame{200, 150, 700, 500};
    static constexpr RECT kDoc{0, 0, 480, 320};    // in the frame
    static constexpr RECT kBar{0, 320, 480, 337};  // below the document, in the frame

    PointerGuard pointerGuard;
    bool swappedAtStart_ = false;
    Win32WindowInspector windows;
    Win32WindowEffects effects;
    Win32InputSink input;
    Win32BrowserDocument browser;
    CHorizontalScroll scroller{windows, effects, input, browser};
};

TEST_F(ForeignScroll, TheNotificationReachesTheBarsParentWithTheBarsHandle) {
    // "_WwG" finds the bar beside it; "paneClassDC" finds it inside another child of the frame.
    for (const wchar_t* docClass : {L"_WwG", L"paneClassDC"}) {
        Recorder frame(L"K2qScrollFrame", 0, kFrame);
        Recorder doc(docClass, 0, kDoc, frame.hwnd());
        const bool nested = std::wstring(docClass) == L"paneClassDC";
        Recorder container(L"K2qBarBox", 0, kBar, frame.hwnd());
        const HWND bar = ScrollBarControl(nested ? container.hwnd() : frame.hwnd(),
                                          nested ? RECT{0, 0, 480, 17} : kBar);
        ASSERT_NE(bar, nullptr);
        Recorder& owner = nested ? container : frame;

        ScrollAt(CentreOf(doc.hwnd()), 2);
        ScrollAt(CentreOf(doc.hwnd()), -1);
        PumpQueued();
        const LPARAM b = reinterpret_cast<LPARAM>(bar);
        EXPECT_EQ(owner.seen, (std::vector<Seen>{{WM_HSCROLL, SB_LINELEFT, b},
                                                 {WM_HSCROLL, SB_LINELEFT, b},
                                                 {WM_HSCROLL, SB_LINERIGHT, b}}))
            << nested;
        EXPECT_TRUE(doc.seen.empty());
    }
}

TEST_F(ForeignScroll, APlainWindowIsPostedALeftStepAndSentARightStep) {
    // Any unknown class, the longest one the system keeps among them.
    const std::wstring longName = L"K2q" + std::wstring(252, L'x');
    for (const wchar_t* className : {L"K2qPlainScroll", longName.c_str()}) {
        Recorder plain(className, WS_HSCROLL, kFrame);
        ScrollAt(CentreOf(plain.hwnd()), 2);
        EXPECT_TRUE(plain.seen.empty()) << "posted, so not yet handled";
        PumpQueued();
        EXPECT_EQ(plain.seen, (std::vector<Seen>(2, {WM_HSCROLL, SB_LINELEFT, 0})));

        plain.seen.clear();
        ScrollAt(CentreOf(plain.hwnd()), -2);
        EXPECT_EQ(plain.seen, (std::vector<Seen>(2, {WM_HSCROLL, SB_LINERIGHT, 0})))
            << "sent, so handled on return";
    }
}

TEST_F(ForeignScroll, TheDesktopsIconViewIsLeftAloneAndOtherListViewsScroll) {
    // A real list view with a horizontal scroll bar beside it, in the desktop's program
    // manager window and in any other window.
    for (const bool onDesktop : {true, false}) {
        Recorder top(onDesktop ? L"Progman" : L"K2qScrollFrame", 0, kFrame);
        Recorder view(L"SHELLDLL_DefView", 0, kFrame, top.hwnd());
        Recorder icons(::CreateWindowExW(0, L"SysListView32", L"", WS_CHILD | WS_VISIBLE, kDoc.left,
                                         kDoc.top, kDoc.right - kDoc.left, kDoc.bottom - kDoc.top,
                                         view.hwnd(), nullptr, ::GetModuleHandleW(nullptr),
                                         nullptr));
        ASSERT_TRUE(ScrollBarControl(view.hwnd(), kBar));
        ScrollAt(CentreOf(icons.hwnd()), 1);
        PumpQueued();
        EXPECT_EQ(icons.seen, (std::vector<Seen>(onDesktop ? 0 : 1, {WM_HSCROLL, SB_LINELEFT, 0})))
            << onDesktop;
    }
}

TEST_F(ForeignScroll, ArrowClicksHitTheBarsArrowsWithTheLogicalLeftButtonAndPutThePointerBack) {
    LowLevelHooks hooks;
    ASSERT_TRUE(hooks.installed());
    Recorder frame(L"K2qScrollFrame", 0, kFrame);
    Recorder sheet(L"EXCEL7", 0, kDoc, frame.hwnd());
    const HWND bar = ScrollBarControl(frame.hwnd(), kBar);
    RECT r{};
    ASSERT_TRUE(::GetWindowRect(bar, &r));
    const POINT start = CentreOf(sheet.hwnd());

    for (const bool swapped : {false, true}) {
        ::SwapMouseButton(swapped);
        ASSERT_EQ(::GetSystemMetrics(SM_SWAPBUTTON) != 0, swapped);
        hooks.Clear();
        ScrollAt(start, 2);
        ScrollAt(start, -1);
        const POINT now = PointerNow();
        EXPECT_EQ(now.x, start.x);
        EXPECT_EQ(now.y, start.y);

        const UINT down = swapped ? WM_RBUTTONDOWN : WM_LBUTTONDOWN;
        const UINT up = swapped ? WM_RBUTTONUP : WM_LBUTTONUP;
        const POINT left{r.left + 5, r.top + 5};
        const POINT right{r.right - 5, r.top + 5};
        const struct {
            UINT message;
            POINT at;
        } expected[] = {{down, left}, {up, left},    {down, left},
                        {up, left},   {down, right}, {up, right}};
        const std::vector<HookedInput> seen = hooks.WaitFor(std::size(expected));
        ASSERT_EQ(seen.size(), std::size(expected)) << swapped;
        for (std::size_t i = 0; i < seen.size(); ++i) {
            EXPECT_TRUE(seen[i].SameInput(Button(expected[i].message, 0, 0))) << seen[i];
            EXPECT_EQ(seen[i].pt.x, expected[i].at.x) << i << " " << swapped;
            EXPECT_EQ(seen[i].pt.y, expected[i].at.y) << i << " " << swapped;
        }
    }
    PumpQueued();
    EXPECT_TRUE(frame.seen.empty());  // nothing but the clicks
}

TEST_F(ForeignScroll, ArrowKeysGoToTheParentOfAMozillaWindow) {
    Recorder frame(L"K2qScrollFrame", 0, kFrame);
    Recorder content(L"MozillaWindowClass", 0, kDoc, frame.hwnd());
    ScrollAt(CentreOf(content.hwnd()), 1);
    ScrollAt(CentreOf(content.hwnd()), -1);
    PumpQueued();
    EXPECT_EQ(frame.seen, (std::vector<Seen>{{WM_KEYDOWN, VK_LEFT, 0x014B0001},
                                             {WM_KEYUP, VK_LEFT, 0xC14B0001},
                                             {WM_KEYDOWN, VK_RIGHT, 0x014D0001},
                                             {WM_KEYUP, VK_RIGHT, 0xC14D0001}}));
    EXPECT_TRUE(content.seen.empty());
}

TEST_F(ForeignScroll, ABrowserWindowWithoutADocumentIsAskedOnceAndNotScrolled) {
    // No answer, and an answer that is no document: the real lookup fails and the step ends
    // without the fallback message, and the repetition with it.
    for (const LRESULT answer : {LRESULT{0}, LRESULT{0x1234}}) {
        Recorder page(L"Internet Explorer_Server", 0, kFrame);
        page.documentAnswer = answer;
        ASSERT_TRUE(::SetCursorPos(CentreOf(page.hwnd()).x, CentreOf(page.hwnd()).y));
        EXPECT_EQ(browser.ScrollBy(reinterpret_cast<WindowRef>(page.hwnd()), -10, kSendBoundMs),
                  BrowserScroll::NoDocument);
        page.seen.clear();
        ScrollAt(CentreOf(page.hwnd()), 3);
        PumpQueued();
        EXPECT_EQ(page.seen, (std::vector<Seen>{{kHtmlGetObject, 0, 0}})) << answer;
    }
}

TEST_F(ForeignScroll, ABrowserWhoseDocumentCannotScrollGetsThePlainMessageSent) {
    Recorder page(L"Internet Explorer_Server", 0, kFrame);
    for (const BrowserScroll answer : {BrowserScroll::ScrollFailed, BrowserScroll::Scrolled}) {
        AnsweringBrowser fake(answer);
        page.seen.clear();
        ASSERT_TRUE(::SetCursorPos(CentreOf(page.hwnd()).x, CentreOf(page.hwnd()).y));
        CHorizontalScroll(windows, effects, input, fake).ScrollHorizontal(-2);
        const bool fallback = answer == BrowserScroll::ScrollFailed;
        EXPECT_EQ(page.seen, (std::vector<Seen>(fallback ? 2 : 0, {WM_HSCROLL, SB_LINERIGHT, 0})))
            << "sent, so handled on return";
    }
}

TEST_F(ForeignScroll, AWindowThatHangsHoldsTheMonitorOnlyForTheBound) {
    // Each scroll returns while the window still hangs in its handler; unbounded, it would
    // wait for the release that only comes after it.
    {  // A right step is sent: the unanswered one ends the repetition.
        HangingWindow hung(L"K2qHungScroll", WS_HSCROLL, kFrame);
        ScrollAt(CentreOf(hung.hwnd()), -3);
        hung.Release();
        EXPECT_EQ(hung.scrolls(), 1);
    }
    {  // A browser that does not hand out its document gets no fallback message.
        HangingWindow hung(L"Internet Explorer_Server", 0, kFrame);
        ASSERT_TRUE(::SetCursorPos(CentreOf(hung.hwnd()).x, CentreOf(hung.hwnd()).y));
        EXPECT_EQ(browser.ScrollBy(reinterpret_cast<WindowRef>(hung.hwnd()), 10, 200),
                  BrowserScroll::NoAnswer);
        ScrollAt(CentreOf(hung.hwnd()), -3);
        hung.Release();
        EXPECT_GE(hung.requests(), 1);
        EXPECT_EQ(hung.scrolls(), 0);
    }
}

}  // namespace
}  // namespace k2q::testing
