#include "monitor/actions/FindScrollBar.h"

namespace k2q::monitor {
namespace {

// A scroll bar of a program's own frame lies within this many pixels of either side of the
// document window it scrolls.
constexpr std::int64_t kFrameBarSlack = 25;

bool IsScrollBarClass(std::u16string_view className) {
    return className == kScrollBarClass || className == kNuiScrollBarClass;
}

bool IsAfxContainer(std::u16string_view className) {
    return className == kAfxWnd70Class || className == kAfxWnd42Class;
}

}  // namespace

bool CFindScrollBar::Visit() {
    if (visitsLeft_ <= 0) {
        return false;
    }
    --visitsLeft_;
    return true;
}

bool CFindScrollBar::IsDesktopIconView(WindowRef window, std::u16string_view className) {
    if (className != kListViewClass) {
        return false;
    }
    for (WindowRef a = windows_.Parent(window); a != 0 && Visit(); a = windows_.Parent(a)) {
        if (windows_.ClassName(a) == kProgramManagerClass) {
            return true;
        }
    }
    return false;
}

bool CFindScrollBar::IsScrollTarget(WindowRef window) {
    return window != 0 && window != windows_.DesktopWindow() &&
           !IsDesktopIconView(window, windows_.ClassName(window));
}

bool CFindScrollBar::IsHorizontalBar(WindowRef window) {
    const std::u16string className = windows_.ClassName(window);
    if (className == kBrowserClass) {
        return true;
    }
    if (!IsScrollBarClass(className)) {
        return (windows_.Style(window) & kStyleHScroll) != 0;
    }
    const std::optional<ScreenRect> r = windows_.WindowRect(window);
    if (!r) {
        return false;
    }
    // A rectangle of another program may hold anything: compute in a wider type.
    const std::int64_t width = std::int64_t{r->right} - r->left;
    const std::int64_t height = std::int64_t{r->bottom} - r->top;
    return width > height && pointer_.x < r->right;
}

WindowRef CFindScrollBar::SearchChildren(WindowRef window) {
    if (window == 0 || !Visit()) {
        return 0;
    }
    const WindowRef child = windows_.FirstChild(window);
    if (child == 0) {
        return 0;
    }
    return IsHorizontalBar(child) ? child : SearchSiblings(child);
}

WindowRef CFindScrollBar::AvlScrollBar(WindowRef container, std::u16string& className) {
    if (className != kAvlScrollBarClass) {
        return 0;
    }
    const WindowRef child = windows_.FirstChild(container);
    if (child == 0) {
        return 0;
    }
    className = windows_.ClassName(child);
    const bool horizontal = (windows_.Style(child) & (kScrollBarVertical | kScrollBarSizeBox)) == 0;
    return className == kScrollBarClass && horizontal ? child : 0;
}

WindowRef CFindScrollBar::SearchSiblings(WindowRef window) {
    if (window == 0) {
        return 0;
    }
    for (WindowRef s = windows_.NextSibling(window); s != 0 && Visit();
         s = windows_.NextSibling(s)) {
        std::u16string className = windows_.ClassName(s);
        if (const WindowRef bar = AvlScrollBar(s, className)) {
            return bar;
        }
        if (IsScrollBarClass(className) && IsHorizontalBar(s)) {
            return s;
        }
    }
    for (WindowRef s = windows_.PreviousSibling(window); s != 0 && Visit();
         s = windows_.PreviousSibling(s)) {
        std::u16string className = windows_.ClassName(s);
        const bool container = IsAfxContainer(className);
        if (const WindowRef bar = AvlScrollBar(s, className)) {
            return bar;
        }
        if (IsScrollBarClass(className) && IsHorizontalBar(s)) {
            return s;
        }
        // One level down only: the children's own sibling passes never reach another
        // container in a tree that holds still, and one that is rearranged meanwhile must not
        // lead the search ever deeper.
        if (container && nesting_ == 0) {
            ++nesting_;
            const WindowRef bar = SearchChildren(s);
            --nesting_;
            if (bar != 0) {
                return bar;
            }
        }
    }
    return 0;
}

WindowRef CFindScrollBar::SearchBelowFrame(WindowRef window) {
    const std::optional<ScreenRect> reference = windows_.WindowRect(window);
    // Without a parent the system would offer every top-level window instead.
    const WindowRef frame = windows_.Parent(window);
    if (!reference || frame == 0) {
        return 0;
    }
    WindowRef found = 0;
    windows_.EnumerateDescendants(frame, [&](WindowRef w) {
        if (!Visit()) {
            return false;
        }
        if (!IsScrollBarClass(windows_.ClassName(w)) || !IsHorizontalBar(w)) {
            return true;
        }
        const std::optional<ScreenRect> r = windows_.WindowRect(w);
        if (r && r->left >= reference->left - kFrameBarSlack &&
            r->right <= reference->right + kFrameBarSlack) {
            found = w;
            return false;
        }
        return true;
    });
    return found;
}

WindowRef CFindScrollBar::FindHorizontalScrollBar(WindowRef window) {
    if (!IsScrollTarget(window)) {
        return 0;
    }
    WindowRef c = windows_.ChildAt(window, pointer_);
    if (c == 0) {
        c = window;
    }
    WindowRef result = IsHorizontalBar(c) ? c : 0;
    const std::u16string className = windows_.ClassName(c);
    if (className == kMozillaClass) {
        result = windows_.Parent(c);
    }
    if (className == kDirectUiClass) {
        const WindowRef first = windows_.FirstChild(c);
        if (result == 0) {
            result = SearchChildren(first);
        }
        const WindowRef second = first != 0 ? windows_.NextSibling(first) : 0;
        if (result == 0) {
            result = SearchChildren(second);
        }
    }
    if (className != kScrollBarClass) {
        if (result != 0) {
            return result;
        }
        if (const WindowRef bar = SearchChildren(c)) {
            return bar;
        }
        result = SearchSiblings(c);
    }
    if (result != 0) {
        return result;
    }
    if (className == kPaneClass || className == kVisioClass) {
        return SearchBelowFrame(c);
    }
    return 0;
}

}  // namespace k2q::monitor
