// Painted captions of the skinned windows: one line of GDI+ text in Arial (or the generic
// sans-serif family where Arial is missing) within a layout rectangle in pixels.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "common/localization/UiStrings.h"
#include "common/ui/SkinLayout.h"

namespace k2q::win {

enum class CaptionAlign { Near = 0, Center = 1, Far = 2 };

struct CaptionRect {
    float x, y, width, height;
};

// A caption's rectangle from the skin table.
inline CaptionRect CaptionRectOf(const skin::Rect& r) {
    return {float(r.left), float(r.top), float(r.Width()), float(r.Height())};
}

inline constexpr std::uint32_t kCaptionGray = 0xFF808080;  // about box, reset, sensitivity
inline constexpr std::uint32_t kCaptionDark = 0xFF525252;  // main dialog

void DrawCaption(HDC dc, std::wstring_view text, float points, CaptionAlign align,
                 std::uint32_t argb, const CaptionRect& rect);

inline void DrawGrayCaption(HDC dc, std::wstring_view text, float points, CaptionAlign align,
                            const CaptionRect& rect) {
    DrawCaption(dc, text, points, align, kCaptionGray, rect);
}

inline void DrawDarkCaption(HDC dc, std::wstring_view text, float points, CaptionAlign align,
                            const CaptionRect& rect) {
    DrawCaption(dc, text, points, align, kCaptionDark, rect);
}

// A painted caption: the language file's text for key, in a rectangle of the skin table.
struct UiCaption {
    UiKey key;
    skin::Rect rect;
};

// Draws each caption's text (from the program's UiStrings) in grey, near-aligned.
void DrawGrayCaptions(HDC dc, float points, std::initializer_list<UiCaption> captions);

}  // namespace k2q::win
