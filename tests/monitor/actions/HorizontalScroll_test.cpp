// Sideways scrolling over fake window trees: which method a window's class selects, which
// window the scroll-bar search finds around the pointer, how the step repeats, and what
// happens when the windows of another program loop, vanish or do not answer.
#include "monitor/actions/HorizontalScroll.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>

#include "monitor/actions/FakeWindows.h"
#include "monitor/actions/FindScrollBar.h"

namespace k2q::monitor {
namespace {

using Log = std::vector<std::string>;

constexpr ScreenRect kFrameRect{0, 0, 800, 600};
constexpr ScreenRect kDocRect{10, 20, 790, 580};
constexpr ScreenRect kHorizontalBar{0, 580, 780, 597};
constexpr ScreenRect kVerticalBar{780, 0, 797, 580};
constexpr ScreenRect kSmall{10, 10, 50, 50};  // away from the pointer at 100,100

void Scroll(FakeWindows& w, int count) {
    CHorizontalScroll(w, w, w, w).ScrollHorizontal(count);
}

std::string Narrow(std::u16string_view text) {
    return std::string(text.begin(), text.end());
}

Log Repeat(int times, const Log& step) {
    Log log;
    for (int i = 0; i < times; ++i) {
        log.insert(log.end(), step.begin(), step.end());
    }
    return log;
}

TEST(HorizontalScroll, TheClassUnderThePointerPicksTheMethod) {
    // A document window (0x11) with the scroll-bar style inside a frame (0x10): the search
    // finds the document itself, so the class alone decides what is done.
    const std::string click = " at 15,25 data 0 extra 0";
    const std::string rightClick = " at 785,25 data 0 extra 0";
    struct Case {
        std::u16string className;
        int count;
        bool swapped;
        Log log;
    } cases[] = {
        {u"EXCEL7",
         2,
         false,
         {"pointer 15,25", "mouse 8002" + click, "mouse 8004" + click, "mouse 8002" + click,
          "mouse 8004" + click, "pointer 100,100"}},
        {u"EXCEL7",
         -1,
         false,
         {"pointer 785,25", "mouse 8002" + rightClick, "mouse 8004" + rightClick,
          "pointer 100,100"}},
        {u"EXCEL7",
         1,
         true,
         {"pointer 15,25", "mouse 8008" + click, "mouse 8010" + click, "pointer 100,100"}},
        {u"MozillaWindowClass", 1, false, {"post 10 100 25 14B0001", "post 10 101 25 C14B0001"}},
        {u"MozillaWindowClass", -1, false, {"post 10 100 27 14D0001", "post 10 101 27 C14D0001"}},
        {u"Internet Explorer_Server", 2, false, Repeat(2, {"browser 11 -10 within 1000"})},
        {u"Internet Explorer_Server", -1, false, {"browser 11 10 within 1000"}},
        {u"Edit", 2, false, Repeat(2, {"post 11 114 0 0"})},
        {u"Edit", -2, false, Repeat(2, {"send 11 114 1 0 within 1000"})},
        {u"_wwg", 1, false, {"post 11 114 0 0"}},           // case matters
        {u"SysListView32", 1, false, {"post 11 114 0 0"}},  // not the desktop's
        {u"_WwG", -1, false, {"post 10 114 1 11"}},
    };
    for (const char16_t* notified :
         {u"_WwG", u"paneClassDC", u"VISIOG", u"PSViewC", u"EditControl",
          u"FrontPageEditorDocumentView", u"AVL_AVView", u"OGrid", u"OFormSub", u"OPrtPrevPage"}) {
        FakeWindows w;
        const WindowRef frame = w.Add(0, u"Frame", kFrameRect);
        w.under = w.Add(frame, notified, kDocRect, kStyleHScroll);
        Scroll(w, 2);
        EXPECT_EQ(w.log, Repeat(2, {"post 10 114 0 11"})) << Narrow(notified);
    }
    for (const Case& c : cases) {
        FakeWindows w;
        w.swapped = c.swapped;
        const WindowRef frame = w.Add(0, u"Frame", kFrameRect);
        w.under = w.Add(frame, c.className, kDocRect, kStyleHScroll);
        Scroll(w, c.count);
        EXPECT_EQ(w.log, c.log) << Narrow(c.className) << " " << c.count;
    }
}

TEST(HorizontalScroll, TheSearchFindsTheBarThatBelongsToTheWindowUnderThePointer) {
    // Each tree is built in a frame; build sets the window under the pointer (100,100) and
    // returns the window the search must find, 0 for none.
    using Build = std::function<WindowRef(FakeWindows&, WindowRef frame)>;
    const auto doc = [](FakeWindows& w, WindowRef parent, std::u16string cls = u"Doc",
                        std::uint32_t style = 0) {
        return w.under = w.Add(parent, cls, kDocRect, style);
    };
    const auto bar = [](FakeWindows& w, WindowRef parent, ScreenRect r = kHorizontalBar,
                        std::u16string cls = u"ScrollBar",
                        std::uint32_t style = 0) { return w.Add(parent, cls, r, style); };
    const auto avl = [&](FakeWindows& w, WindowRef parent, std::uint32_t barStyle) {
        const WindowRef container = w.Add(parent, u"AVL_AVScrollBar", kHorizontalBar);
        return bar(w, container, kHorizontalBar, u"ScrollBar", barStyle);
    };
    // A document window and a bar in another child of its frame.
    const auto paneTree = [&](std::u16string cls, ScreenRect barRect, bool found) -> Build {
        return [=](FakeWindows& w, WindowRef f) {
            w.under = w.Add(f, cls, {100, 0, 700, 580});
            const WindowRef b = bar(w, w.Add(f, u"Container", kSmall), barRect);
            return found ? b : 0;
        };
    };
    struct Case {
        const char* what;
        Build build;
        bool found;
    } cases[] = {
        {"the child under the pointer that has the style",
         [&](FakeWindows& w, WindowRef f) {
             w.under = f;
             return w.Add(f, u"Doc", kDocRect, kStyleHScroll);
         },
         true},
        {"a bar among the window's children",
         [&](FakeWindows& w, WindowRef f) {
             const WindowRef d = doc(w, f);
             w.Add(d, u"Static", kSmall);
             return bar(w, d);
         },
         true},
        {"a bar after the window",
         [&](FakeWindows& w, WindowRef f) {
             doc(w, f);
             return bar(w, f);
         },
         true},
        {"a bar before the window",
         [&](FakeWindows& w, WindowRef f) {
             const WindowRef b = bar(w, f);
             doc(w, f);
             return b;
         },
         true},
        {"an NUIScrollbar after the window",
         [&](FakeWindows& w, WindowRef f) {
             doc(w, f);
             return bar(w, f, kHorizontalBar, u"NUIScrollbar");
         },
         true},
        {"a bar taller than wide",
         [&](FakeWindows& w, WindowRef f) {
             doc(w, f);
             bar(w, f, kVerticalBar);
             return WindowRef{0};
         },
         false},
        {"a bar whose right edge is at the pointer",
         [&](FakeWindows& w, WindowRef f) {
             doc(w, f);
             bar(w, f, {0, 580, 100, 597});
             return WindowRef{0};
         },
         false},
        {"a bar whose right edge is just right of the pointer",
         [&](FakeWindows& w, WindowRef f) {
             doc(w, f);
             return bar(w, f, {0, 580, 101, 597});
         },
         true},
        {"the horizontal bar in an AVL container after the window",
         [&](FakeWindows& w, WindowRef f) {
             doc(w, f);
             return avl(w, f, 0);
         },
         true},
        {"the horizontal bar in an AVL container before the window",
         [&](FakeWindows& w, WindowRef f) {
             const WindowRef b = avl(w, f, 0);
             doc(w, f);
             return b;
         },
         true},
        {"a vertical bar in an AVL container",
         [&](FakeWindows& w, WindowRef f) {
             doc(w, f);
             avl(w, f, kScrollBarVertical);
             return WindowRef{0};
         },
         false},
        {"a size box in an AVL container",
         [&](FakeWindows& w, WindowRef f) {
             doc(w, f);
             avl(w, f, kScrollBarSizeBox);
             return WindowRef{0};
         },
         false},
        {"a bar one level down in an AfxWnd70 before the window",
         [&](FakeWindows& w, WindowRef f) {
             const WindowRef b = bar(w, w.Add(f, u"AfxWnd70", kSmall));
             doc(w, f);
             return b;
         },
         true},
        {"a bar one level down in an AfxWnd42 before the window",
         [&](FakeWindows& w, WindowRef f) {
             const WindowRef container = w.Add(f, u"AfxWnd42", kSmall);
             w.Add(container, u"Static", kSmall);
             const WindowRef b = bar(w, container);
             doc(w, f);
             return b;
         },
         true},
        {"an AfxWnd70 after the window is not searched",
         [&](FakeWindows& w, WindowRef f) {
             doc(w, f);
             bar(w, w.Add(f, u"AfxWnd70", kSmall));
             return WindowRef{0};
         },
         false},
        {"a bar below the second child of a DirectUIHWND",
         [&](FakeWindows& w, WindowRef f) {
             const WindowRef d = doc(w, f, u"DirectUIHWND");
             w.Add(d, u"Pane", kSmall);
             const WindowRef second = w.Add(d, u"Pane", kSmall);
             w.Add(second, u"Static", kSmall);
             return bar(w, second);
         },
         true},
        {"a bar below the third child of a DirectUIHWND",
         [&](FakeWindows& w, WindowRef f) {
             const WindowRef d = doc(w, f, u"DirectUIHWND");
             w.Add(d, u"Pane", kSmall);
             w.Add(d, u"Pane", kSmall);
             const WindowRef third = w.Add(d, u"Pane", kSmall);
             w.Add(third, u"Static", kSmall);
             bar(w, third);
             return WindowRef{0};
         },
         false},
        {"the parent of a Mozilla window, style or not",
         [&](FakeWindows& w, WindowRef f) {
             doc(w, f, u"MozillaWindowClass");
             return f;
         },
         true},
        {"a bar anywhere below the frame of a paneClassDC, 25 pixels out on either side",
         paneTree(u"paneClassDC", {75, 580, 725, 597}, true), true},
        {"the same for VISIOG", paneTree(u"VISIOG", {75, 580, 725, 597}, true), true},
        {"a frame bar 26 pixels out on the left",
         paneTree(u"paneClassDC", {74, 580, 725, 597}, false), false},
        {"a frame bar 26 pixels out on the right", paneTree(u"VISIOG", {75, 580, 726, 597}, false),
         false},
        {"no frame search for other classes", paneTree(u"Doc", {75, 580, 725, 597}, false), false},
        {"the desktop's icon view",
         [&](FakeWindows& w, WindowRef) {
             const WindowRef progman = w.Add(0, u"Progman", kFrameRect);
             const WindowRef view = w.Add(progman, u"SHELLDLL_DefView", kFrameRect);
             doc(w, view, u"SysListView32", kStyleHScroll);
             return WindowRef{0};
         },
         false},
        {"a list view anywhere else",
         [&](FakeWindows& w, WindowRef f) {
             const WindowRef view = w.Add(f, u"SHELLDLL_DefView", kFrameRect);
             return doc(w, view, u"SysListView32", kStyleHScroll);
         },
         true},
        {"the desktop window",
         [&](FakeWindows& w, WindowRef) {
             w.under = FakeWindows::kDesktop;
             return WindowRef{0};
         },
         false},
        {"no window under the pointer",
         [&](FakeWindows& w, WindowRef) {
             w.under = 0;
             return WindowRef{0};
         },
         false},
        {"a window without the style or a bar nearby",
         [&](FakeWindows& w, WindowRef f) {
             const WindowRef d = doc(w, f);
             w.Add(d, u"Static", kSmall);
             w.Add(f, u"Static", kSmall);
             return WindowRef{0};
         },
         false},
    };
    for (const Case& c : cases) {
        FakeWindows w;
        const WindowRef frame = w.Add(0, u"Frame", kFrameRect);
        const WindowRef expected = c.build(w, frame);
        ASSERT_EQ(expected != 0, c.found) << c.what;
        EXPECT_EQ(CFindScrollBar(w, w.pointer).FindHorizontalScrollBar(w.under), expected)
            << c.what;
        // With no bar found nothing at all is done.
        if (!c.found) {
            Scroll(w, 3);
            EXPECT_TRUE(w.log.empty()) << c.what;
        }
    }
}

TEST(HorizontalScroll, ACountOfZeroDoesNothingAndTheSearchIsMadeOnce) {
    FakeWindows w;
    const WindowRef frame = w.Add(0, u"Frame", kFrameRect);
    w.under = w.Add(frame, u"Edit", kDocRect, kStyleHScroll);
    Scroll(w, 0);
    EXPECT_TRUE(w.log.empty());
    EXPECT_EQ(w.pointerReads, 0);

    Scroll(w, 3);
    EXPECT_EQ(w.log, Repeat(3, {"post 11 114 0 0"}));
    EXPECT_EQ(w.childAtCalls, 1);
    EXPECT_EQ(w.pointerReads, 1);
}

TEST(HorizontalScroll, TheBrowserStepFallsBackToThePlainMessageOnlyWhenTheDocumentAnswered) {
    const Log fallbackLeft = {"browser 11 -10 within 1000", "send 11 114 0 0 within 1000"};
    struct Case {
        BrowserScroll answer;
        Log log;  // of two steps to the left
    } cases[] = {
        {BrowserScroll::Scrolled, Repeat(2, {"browser 11 -10 within 1000"})},
        {BrowserScroll::ScrollFailed, Repeat(2, fallbackLeft)},
        {BrowserScroll::NoScriptWindow, Repeat(2, fallbackLeft)},
        // Nothing more will come of another try: the repetition ends.
        {BrowserScroll::NoEngine, {"browser 11 -10 within 1000"}},
        {BrowserScroll::NoAnswer, {"browser 11 -10 within 1000"}},
        {BrowserScroll::NoDocument, {"browser 11 -10 within 1000"}},
    };
    for (const Case& c : cases) {
        FakeWindows w;
        w.browserAnswer = c.answer;
        const WindowRef frame = w.Add(0, u"Frame", kFrameRect);
        w.under = w.Add(frame, u"Internet Explorer_Server", kDocRect);
        Scroll(w, 2);
        EXPECT_EQ(w.log, c.log) << static_cast<int>(c.answer);
        // Each step looks at the pointer again.
        const auto steps = std::count_if(c.log.begin(), c.log.end(),
                                         [](const std::string& e) { return e[0] == 'b'; });
        EXPECT_EQ(w.pointerReads, 1 + steps) << static_cast<int>(c.answer);
    }

    // The pointer left the browser window after the search: the step does nothing.
    FakeWindows w;
    const WindowRef frame = w.Add(0, u"Frame", kFrameRect);
    const WindowRef browser = w.Add(frame, u"Internet Explorer_Server", kDocRect);
    w.under = browser;
    CHorizontalScroll scroller(w, w, w, w);
    w.under = w.Add(frame, u"Edit", kDocRect, kStyleHScroll);
    EXPECT_FALSE(scroller.ScrollBrowserDocument(true));
    EXPECT_TRUE(w.log.empty());
}

TEST(HorizontalScroll, AStepThatCannotReachItsWindowEndsTheRepetition) {
    struct Case {
        std::u16string className;
        int count;
        Log log;
    } cases[] = {
        {u"Edit", 5, {"post 11 114 0 0"}},
        {u"Edit", -5, {"send 11 114 1 0 within 1000"}},  // not answered within the bound
        {u"MozillaWindowClass", 5, {"post 10 100 25 14B0001"}},
    };
    for (const Case& c : cases) {
        FakeWindows w;
        const WindowRef frame = w.Add(0, u"Frame", kFrameRect);
        w.under = w.Add(frame, c.className, kDocRect, kStyleHScroll);
        w.refusing = {0x10, 0x11};
        Scroll(w, c.count);
        EXPECT_EQ(w.log, c.log) << Narrow(c.className) << " " << c.count;
    }

    // The notification of a bar without a parent would land in the monitor's own queue.
    FakeWindows w;
    w.under = w.Add(0, u"_WwG", kDocRect, kStyleHScroll);
    Scroll(w, 3);
    EXPECT_TRUE(w.log.empty());
}

TEST(HorizontalScroll, ADamagedAmountIsHeldToTheMostStepsOfAPress) {
    for (const int count : {INT_MAX, INT_MIN, kMaxScrollSteps + 1}) {
        FakeWindows w;
        const WindowRef frame = w.Add(0, u"Frame", kFrameRect);
        w.under = w.Add(frame, u"Edit", kDocRect, kStyleHScroll);
        Scroll(w, count);
        EXPECT_EQ(w.log.size(), static_cast<std::size_t>(kMaxScrollSteps)) << count;
    }
}

TEST(HorizontalScroll, WindowsThatVanishOrLoopEndTheSearchWithoutMovingThePointer) {
    {  // Everything vanished after the pointer was read: nothing is found.
        FakeWindows w;
        const WindowRef frame = w.Add(0, u"Frame", kFrameRect);
        w.under = w.Add(frame, u"EXCEL7", kDocRect, kStyleHScroll);
        w.Remove(w.under);
        w.Remove(frame);
        Scroll(w, 3);
        EXPECT_TRUE(w.log.empty());
    }
    {  // The bar was found, then lost its rectangle: the pointer stays, nothing is clicked.
        FakeWindows w;
        const WindowRef frame = w.Add(0, u"Frame", kFrameRect);
        w.under = w.Add(frame, u"EXCEL7", kDocRect, kStyleHScroll);
        w.withoutRect = {w.under};
        Scroll(w, 3);
        EXPECT_TRUE(w.log.empty());
        EXPECT_EQ(w.pointer, (ScreenPoint{100, 100}));
    }
    for (const bool forward : {true, false}) {  // sibling links that loop
        FakeWindows w;
        const WindowRef frame = w.Add(0, u"Frame", kFrameRect);
        const WindowRef afx = w.Add(frame, u"AfxWnd70", kSmall);
        const WindowRef inner = w.Add(afx, u"Static", kSmall);
        w.under = w.Add(frame, u"Doc", kDocRect);
        const WindowRef other = w.Add(frame, u"Static", kSmall);
        if (forward) {
            w.next[other] = w.under;
        } else {
            // Backwards through a container whose first child leads back to the container.
            w.previous[afx] = other;
            w.previous[inner] = afx;
        }
        Scroll(w, 3);
        EXPECT_TRUE(w.log.empty()) << forward;
    }
    {  // A parent chain that loops, on the way to find the desktop's icon view.
        FakeWindows w;
        const WindowRef a = w.Add(0, u"Frame", kFrameRect);
        const WindowRef b = w.Add(a, u"Frame", kFrameRect);
        w.under = w.Add(b, u"SysListView32", kDocRect);
        w.parent[a] = b;
        Scroll(w, 3);
        EXPECT_TRUE(w.log.empty());
    }
    {  // A frame with more windows than a session can hold and its one bar at the end.
        FakeWindows w;
        const WindowRef frame = w.Add(0, u"Frame", kFrameRect);
        w.under = w.Add(frame, u"paneClassDC", kDocRect);
        for (int i = 0; i < kMaxWindowsVisited + 10; ++i) {
            w.Add(frame, u"Static", kSmall);
        }
        const WindowRef late = w.Add(frame, u"ScrollBar", kHorizontalBar);
        EXPECT_EQ(CFindScrollBar(w, w.pointer).FindHorizontalScrollBar(w.under), 0u);
        // The same bar early in the list is found.
        w.next[w.under] = late;
        EXPECT_EQ(CFindScrollBar(w, w.pointer).FindHorizontalScrollBar(w.under), late);
    }
}

}  // namespace
}  // namespace k2q::monitor
