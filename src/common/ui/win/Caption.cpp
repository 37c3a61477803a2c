#include "common/ui/win/Caption.h"

#include <memory>

#include "common/win/Gdiplus.h"
#include "common/win/Text.h"

namespace k2q::win {

void DrawCaption(HDC dc, std::wstring_view text, float points, CaptionAlign align,
                 std::uint32_t argb, const CaptionRect& rect) {
    if (text.empty()) {
        return;
    }
    Gdiplus::Graphics graphics(dc);
    auto family = std::make_unique<Gdiplus::FontFamily>(L"Arial");
    const Gdiplus::FontFamily* use = family.get();
    if (family->GetLastStatus() != Gdiplus::Ok) {
        use = Gdiplus::FontFamily::GenericSansSerif();  // may be null without any fonts
        if (!use) {
            return;
        }
    }
    Gdiplus::Font font(use, points, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    Gdiplus::StringFormat format;
    format.SetAlignment(static_cast<Gdiplus::StringAlignment>(align));
    Gdiplus::SolidBrush brush{Gdiplus::Color(argb)};
    graphics.DrawString(text.data(), static_cast<INT>(text.size()), &font,
                        Gdiplus::RectF(rect.x, rect.y, rect.width, rect.height), &format, &brush);
}

void DrawGrayCaptions(HDC dc, float points, std::initializer_list<UiCaption> captions) {
    for (const UiCaption& c : captions) {
        DrawGrayCaption(dc, ToWide(UiText(c.key)), points, CaptionAlign::Near,
                        CaptionRectOf(c.rect));
    }
}

}  // namespace k2q::win
