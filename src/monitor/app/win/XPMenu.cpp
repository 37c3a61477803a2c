#include "monitor/app/win/XPMenu.h"

#include "common/win/Gdi.h"

namespace k2q::monitor {
namespace {

constexpr COLORREF kSelectedFill = RGB(177, 185, 207);
constexpr COLORREF kNormalFill = RGB(219, 216, 209);
constexpr COLORREF kSelectedText = RGB(0, 60, 145);
// Single line, centred both ways, ellipsis at the end, no clipping (with the word-break bit,
// which a single line ignores).
constexpr UINT kTextFormat = 0x8135;

// Icons come from the monitor's own resources each time an item is drawn.
void DrawResourceIcon(HDC dc, std::uint32_t id, int x, int y) {
    win::UniqueIcon icon(static_cast<HICON>(::LoadImageW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    if (icon) {
        ::DrawIconEx(dc, x, y, icon.get(), 16, 16, 0, nullptr, DI_NORMAL);
    }
}

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    win::UniqueBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &r, brush.get());
}

}  // namespace

void CXPMenu::MeasureItem(MEASUREITEMSTRUCT& mis) {
    mis.itemWidth = kItemWidth;
    mis.itemHeight = kItemHeight;
}

void CXPMenu::DrawItem(const DRAWITEMSTRUCT& dis) {
    const auto* item = reinterpret_cast<const XPMenuItem*>(dis.itemData);
    if (!item) {
        return;
    }
    HDC dc = dis.hDC;
    const RECT r = dis.rcItem;
    ::SetBkMode(dc, TRANSPARENT);
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    if (selected) {
        {
            win::SelectGuard brush(dc, ::GetStockObject(HOLLOW_BRUSH));
            win::SelectGuard pen(dc, ::GetStockObject(BLACK_PEN));
            ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
        }
        RECT inner = r;
        ::InflateRect(&inner, -1, -1);
        Fill(dc, inner, kSelectedFill);
        DrawResourceIcon(dc, item->selectedIcon, r.left + 2, r.top + 2);
    } else {
        Fill(dc, RECT{r.left, r.top, r.left + 25, r.bottom}, kNormalFill);
        Fill(dc, RECT{r.left + 25, r.top, r.right, r.bottom}, kNormalFill);
        DrawResourceIcon(dc, item->normalIcon, r.left + 3, r.top + 3);
    }
    win::UniqueFont font(::CreateFontW(14, 0, 0, 0, 500, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       FF_SWISS, L"Arial"));
    win::SelectGuard selectFont(dc, font.get());
    ::SetTextColor(dc, selected ? kSelectedText : RGB(0, 0, 0));
    RECT text{r.left + 33, r.top, r.right, r.bottom};
    ::DrawTextW(dc, item->text.c_str(), -1, &text, kTextFormat);
}

}  // namespace k2q::monitor
