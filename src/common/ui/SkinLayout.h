// The skin table (SkinLayout.inc) as C++: for every window the folder and the exact names of
// its pictures, its size, and the rectangles of its controls and painted texts, the same values
// the pictures are generated from. A window takes its rectangles from here, for example
// skin::main_dialog::kOk or skin::macro::kEventList, instead of repeating the numbers.
#pragma once

#include <cstdint>
#include <string_view>

namespace k2q::skin {

// Client coordinates; right and bottom are exclusive, as in a Windows RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

constexpr Rect FromXywh(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Line {
    Point from;
    Point to;
};

enum class Kind : std::uint8_t {
    Button,       // skinned button with a caption
    Glyph,        // skinned button drawn with a symbol, no caption
    Check,        // captionless check box
    Level,        // resolution button
    MouseButton,  // a pictured mouse button
    Plate,        // disabled skinned button that only shows its caption
    Caption,      // text the window paints itself
    Link,
    List,
    Field,
    Slider,
    TextArea,
    Picture,
    Bar,
    Page,
};

// The picture a control shows while its checked flag is on.
enum class Checked : std::uint8_t { Never, Normal, Down };

// ARGB colours of a caption by the state of its control; 0 for a state it never shows.
struct TextColours {
    std::uint32_t normal = 0;
    std::uint32_t over = 0;
    std::uint32_t down = 0;
    std::uint32_t checked = 0;
};

#define K2Q_SKIN_TEXT(style, normal, over, down, checked) \
    inline constexpr TextColours k##style{normal, over, down, checked};
#include "common/ui/SkinLayout.inc"

// One namespace per window: kArea, kWidth, kHeight, k<Role>File, k<Control>, and for menus
// kItemCount, kItemPitch, kItemHeight.
#define K2Q_SKIN_WINDOW(window, area, width, height)       \
    namespace window {                                     \
    inline constexpr std::u16string_view kArea = u"" area; \
    inline constexpr int kWidth = width;                   \
    inline constexpr int kHeight = height;                 \
    }
#define K2Q_SKIN_FILE(window, role, file)                          \
    namespace window {                                             \
    inline constexpr std::u16string_view k##role##File = u"" file; \
    }
#define K2Q_SKIN_LTRB(window, control, kind, style, checked, left, top, right, bottom) \
    namespace window {                                                                 \
    inline constexpr Rect k##control{left, top, right, bottom};                        \
    }
#define K2Q_SKIN_XYWH(window, control, kind, style, checked, x, y, width, height) \
    namespace window {                                                            \
    inline constexpr Rect k##control = FromXywh(x, y, width, height);             \
    }
#define K2Q_SKIN_POINT(window, name, x, y) \
    namespace window {                     \
    inline constexpr Point k##name{x, y};  \
    }
#define K2Q_SKIN_LINE(window, name, x1, y1, x2, y2)    \
    namespace window {                                 \
    inline constexpr Line k##name{{x1, y1}, {x2, y2}}; \
    }
#define K2Q_SKIN_ITEMS(window, count, pitch, height, style, checked) \
    namespace window {                                               \
    inline constexpr int kItemCount = count;                         \
    inline constexpr int kItemPitch = pitch;                         \
    inline constexpr int kItemHeight = height;                       \
    }
#include "common/ui/SkinLayout.inc"

// The whole table as lists, for code that walks it (tests, tools).
struct WindowEntry {
    std::string_view window;
    std::u16string_view area;
    int width = 0;
    int height = 0;
};

struct FileEntry {
    std::string_view window;
    std::string_view role;
    std::u16string_view file;
};

struct ControlEntry {
    std::string_view window;
    std::string_view control;
    Kind kind = Kind::Button;
    TextColours text;
    Checked checked = Checked::Never;
    Rect rect;
};

inline constexpr WindowEntry kWindows[] = {
#define K2Q_SKIN_WINDOW(window, area, width, height) {#window, u"" area, width, height},
#include "common/ui/SkinLayout.inc"
};

inline constexpr FileEntry kFiles[] = {
#define K2Q_SKIN_FILE(window, role, file) {#window, #role, u"" file},
#include "common/ui/SkinLayout.inc"
};

inline constexpr ControlEntry kControls[] = {
#define K2Q_SKIN_LTRB(window, control, kind, style, checked, left, top, right, bottom) \
    {#window, #control, Kind::kind, k##style, Checked::checked, {left, top, right, bottom}},
#define K2Q_SKIN_XYWH(window, control, kind, style, checked, x, y, width, height) \
    {#window, #control, Kind::kind, k##style, Checked::checked, FromXywh(x, y, width, height)},
#include "common/ui/SkinLayout.inc"
};

}  // namespace k2q::skin
