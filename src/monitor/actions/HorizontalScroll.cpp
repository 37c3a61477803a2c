#include "monitor/actions/HorizontalScroll.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "monitor/actions/FindScrollBar.h"

namespace k2q::monitor {
namespace {

// Classes of document windows whose program reads sideways scrolling only from its own
// scroll bar's notifications.
constexpr std::u16string_view kNotifiedClasses[] = {u"_WwG",        u"paneClassDC",
                                                    u"VISIOG",      u"PSViewC",
                                                    u"EditControl", u"FrontPageEditorDocumentView",
                                                    u"AVL_AVView",  u"OGrid",
                                                    u"OFormSub",    u"OPrtPrevPage"};
constexpr std::u16string_view kArrowClickClass = u"EXCEL7";

// The key messages of an arrow key as the keyboard sends them: repeat count 1, the key's scan
// code, the extended-key bit, and for the release the previous-state and transition bits.
struct ArrowKey {
    std::uintptr_t vk;
    std::intptr_t down;
    std::intptr_t up;
};
constexpr ArrowKey kLeftArrow = {0x25, 0x014B0001, 0xC14B0001};
constexpr ArrowKey kRightArrow = {0x27, 0x014D0001, 0xC14D0001};

// Screen points of real windows are small; a rectangle read from a hostile window is kept from
// overflowing instead.
std::int32_t Offset(std::int32_t coordinate, std::int32_t by) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(std::int64_t{coordinate} + by, INT32_MIN, INT32_MAX));
}

}  // namespace

ScrollMethod MethodForClass(std::u16string_view className) {
    if (std::find(std::begin(kNotifiedClasses), std::end(kNotifiedClasses), className) !=
        std::end(kNotifiedClasses)) {
        return ScrollMethod::Notification;
    }
    if (className == kArrowClickClass) {
        return ScrollMethod::ArrowClicks;
    }
    if (className == kMozillaClass) {
        return ScrollMethod::ArrowKeys;
    }
    if (className == kBrowserClass) {
        return ScrollMethod::Browser;
    }
    return ScrollMethod::PlainMessage;
}

void CHorizontalScroll::ScrollHorizontal(int count) {
    if (count == 0) {
        return;
    }
    const bool left = count > 0;
    const int steps = static_cast<int>(std::min<std::int64_t>(std::llabs(count), kMaxScrollSteps));

    const ScreenPoint pointer = windows_.PointerPosition();
    const WindowRef target = windows_.WindowAt(pointer);
    const ScrollMethod method = MethodForClass(windows_.ClassName(target));
    const WindowRef bar = CFindScrollBar(windows_, pointer).FindHorizontalScrollBar(target);
    if (bar == 0) {
        return;
    }
    if (method == ScrollMethod::ArrowClicks) {
        return ClickArrow(bar, pointer, left, steps);
    }
    for (int step = 0; step < steps; ++step) {
        bool delivered = false;
        switch (method) {
            case ScrollMethod::Notification:
                delivered = Notify(bar, left);
                break;
            case ScrollMethod::ArrowKeys:
                delivered = PressArrowKey(bar, left);
                break;
            case ScrollMethod::Browser:
                delivered = ScrollBrowserDocument(left);
                break;
            case ScrollMethod::PlainMessage:
                delivered = SendPlainMessage(target, left);
                break;
            case ScrollMethod::ArrowClicks:  // clicked above, all steps at once
                return;
        }
        if (!delivered) {
            return;
        }
    }
}

bool CHorizontalScroll::Notify(WindowRef bar, bool left) {
    // A message posted to no window would land in the monitor's own queue.
    const WindowRef owner = windows_.Parent(bar);
    return owner != 0 && effects_.PostWindowMessage(owner, kHScrollMessage,
                                                    left ? kScrollLineLeft : kScrollLineRight,
                                                    static_cast<std::intptr_t>(bar));
}

void CHorizontalScroll::ClickArrow(WindowRef bar, ScreenPoint pointer, bool left, int steps) {
    const std::optional<ScreenRect> r = windows_.WindowRect(bar);
    if (!r) {
        return;
    }
    const ScreenPoint arrow{left ? Offset(r->left, kArrowInset) : Offset(r->right, -kArrowInset),
                            Offset(r->top, kArrowInset)};
    // Injected button events are physical: with swapped buttons the right one is the click.
    const bool swapped = windows_.ButtonsSwapped();
    const std::uint32_t down = kMouseAbsolute | (swapped ? kMouseRightDown : kMouseLeftDown);
    const std::uint32_t up = kMouseAbsolute | (swapped ? kMouseRightUp : kMouseLeftUp);
    effects_.MovePointer(arrow);
    for (int step = 0; step < steps; ++step) {
        input_.Mouse({down, arrow.x, arrow.y, 0, ExtraInfo::Zero});
        input_.Mouse({up, arrow.x, arrow.y, 0, ExtraInfo::Zero});
    }
    effects_.MovePointer(pointer);
}

bool CHorizontalScroll::PressArrowKey(WindowRef bar, bool left) {
    const ArrowKey& key = left ? kLeftArrow : kRightArrow;
    return effects_.PostWindowMessage(bar, kKeyDownMessage, key.vk, key.down) &&
           effects_.PostWindowMessage(bar, kKeyUpMessage, key.vk, key.up);
}

bool CHorizontalScroll::SendPlainMessage(WindowRef target, bool left) {
    if (left) {
        return effects_.PostWindowMessage(target, kHScrollMessage, kScrollLineLeft, 0);
    }
    return effects_.SendWindowMessage(target, kHScrollMessage, kScrollLineRight, 0, kSendBoundMs);
}

bool CHorizontalScroll::ScrollBrowserDocument(bool left) {
    // The pointer is read anew: this step is the same whether it is the first or a repetition.
    const WindowRef window = windows_.WindowAt(windows_.PointerPosition());
    if (windows_.ClassName(window) != kBrowserClass) {
        return false;
    }
    const std::int32_t dx = left ? -kBrowserStepPixels : kBrowserStepPixels;
    switch (browser_.ScrollBy(window, dx, kSendBoundMs)) {
        case BrowserScroll::Scrolled:
            return true;
        case BrowserScroll::ScrollFailed:
        // The window answered with its document, so it is alive and the plain message is the
        // one way left to move it.
        case BrowserScroll::NoScriptWindow:
            return effects_.SendWindowMessage(window, kHScrollMessage,
                                              left ? kScrollLineLeft : kScrollLineRight, 0,
                                              kSendBoundMs);
        case BrowserScroll::NoEngine:
        case BrowserScroll::NoAnswer:
        case BrowserScroll::NoDocument:
            return false;
    }
    return false;
}

}  // namespace k2q::monitor
