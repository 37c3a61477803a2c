// The search for the horizontal scroll bar that belongs to the window under the pointer. Many
// programs draw their documents in one window and keep the scroll bar in another (a sibling, a
// child of a container beside it, or somewhere else below the same frame), so the search knows
// the containers of the common ones by their class names.
//
// The windows searched may belong to any program and change while the search runs, so every
// walk is bounded: a sibling list that loops or a tree of any size ends the search with none.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "monitor/actions/ScrollPorts.h"

namespace k2q::monitor {

// The window classes the search and the choice of method know.
inline constexpr std::u16string_view kScrollBarClass = u"ScrollBar";
inline constexpr std::u16string_view kNuiScrollBarClass = u"NUIScrollbar";
inline constexpr std::u16string_view kAvlScrollBarClass = u"AVL_AVScrollBar";
inline constexpr std::u16string_view kDirectUiClass = u"DirectUIHWND";
inline constexpr std::u16string_view kAfxWnd70Class = u"AfxWnd70";
inline constexpr std::u16string_view kAfxWnd42Class = u"AfxWnd42";
inline constexpr std::u16string_view kMozillaClass = u"MozillaWindowClass";
inline constexpr std::u16string_view kBrowserClass = u"Internet Explorer_Server";
inline constexpr std::u16string_view kPaneClass = u"paneClassDC";
inline constexpr std::u16string_view kVisioClass = u"VISIOG";
inline constexpr std::u16string_view kListViewClass = u"SysListView32";
inline constexpr std::u16string_view kProgramManagerClass = u"Progman";

// Window styles the search reads.
enum : std::uint32_t {
    kStyleHScroll = 0x00100000,
    kScrollBarVertical = 0x0001,  // SBS_VERT
    kScrollBarSizeBox = 0x0008,   // SBS_SIZEBOX
};

// The most windows one search looks at; more than a session can hold, so only a sibling list
// that loops while it is walked ever reaches it.
inline constexpr int kMaxWindowsVisited = 65536;

// Made for one scroll and dropped after it; it holds the pointer position taken at its start.
class CFindScrollBar {
  public:
    CFindScrollBar(WindowInspector& windows, ScreenPoint pointer)
        : windows_(windows), pointer_(pointer) {}

    // The window the chosen method addresses (usually the horizontal scroll bar), or 0.
    WindowRef FindHorizontalScrollBar(WindowRef window);

    // False for no window, the desktop window and the desktop's icon view.
    bool IsScrollTarget(WindowRef window);
    // Whether a window can take the horizontal scroll.
    bool IsHorizontalBar(WindowRef window);
    WindowRef SearchChildren(WindowRef window);
    WindowRef SearchSiblings(WindowRef window);

  private:
    // Counts one window against the search's bound; false once the bound is spent.
    bool Visit();
    bool IsDesktopIconView(WindowRef window, std::u16string_view className);
    // The scroll bar inside a container of class "AVL_AVScrollBar", if it is horizontal; the
    // class read last goes to className.
    WindowRef AvlScrollBar(WindowRef container, std::u16string& className);
    WindowRef SearchBelowFrame(WindowRef window);

    WindowInspector& windows_;
    ScreenPoint pointer_;
    int visitsLeft_ = kMaxWindowsVisited;
    int nesting_ = 0;  // containers searched inside a sibling pass
};

}  // namespace k2q::monitor
