// What every skinned window shares: its set of pictures (normal, pointer-over, pressed), its
// size taken from the normal picture, a place centred in the full-screen work area for the
// windows that open on their own, a background that is never erased separately, painting into
// an off-screen bitmap copied in one block (or straight onto the window), buttons cut from the
// set, and a press on the background that drags the window.
//
// Usage:
//     class CResetDlg : public win::SkinnedDialog {
//       protected:
//         BOOL OnInitDialog() override {
//             LoadSkin(skin::reset::kArea, skin::reset::kNormalFile, skin::reset::kOverFile,
//                      skin::reset::kDownFile);              // loads and sizes the window
//             CentreInWorkArea();
//             AddButton(ok_, IDOK, skin::reset::kOk, UiText(UiKey::tc_ok));
//             return TRUE;
//         }
//         void PaintOverSkin(HDC dc) override { /* DrawGrayCaption(dc, ...) */ }
//       private:
//         win::CBitmapBtn ok_;
//     };
// SkinnedWindow is the same for plain popup windows (menus). A window that must do more on a
// background press (close menus first) overrides OnLButtonDown and calls DragByBackground; a
// child page that must not drag its parent overrides OnLButtonDown without calling it.
#pragma once

#include <windows.h>

#include <string_view>

#include "common/ui/Placement.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/BitmapBtn.h"
#include "common/ui/win/SkinImage.h"
#include "common/win/Dialog.h"
#include "common/win/Gdi.h"
#include "common/win/Window.h"

namespace k2q::win {

// The three pictures of one window, each showing the whole window in one state.
struct SkinSet {
    SkinImage normal;
    SkinImage over;
    SkinImage down;

    // Loads skins\<area>\<file> beside the program for each; a missing file gives an empty image.
    static SkinSet Load(std::u16string_view area, std::u16string_view normalFile,
                        std::u16string_view overFile, std::u16string_view downFile) {
        return {LoadSkinImage(MakeSkinPath(area, normalFile)),
                LoadSkinImage(MakeSkinPath(area, overFile)),
                LoadSkinImage(MakeSkinPath(area, downFile))};
    }
    // The picture a button shows while checked: the normal one unless the table says down.
    const SkinImage& CheckedImage(skin::Checked checked) const {
        return checked == skin::Checked::Down ? down : normal;
    }
};

// Moves a window so that a width x height window stands centred in the full-screen work area
// (never pushed off its top-left corner), and gives it that size.
inline void CentreInFullScreenArea(HWND hwnd, int width, int height) {
    const Point at = CenteredOrigin(::GetSystemMetrics(SM_CXFULLSCREEN),
                                    ::GetSystemMetrics(SM_CYFULLSCREEN), width, height);
    ::SetWindowPos(hwnd, nullptr, at.x, at.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Lets the system drag a window whose background was pressed at a client point: the window is
// told the press was on its caption, so the system's move loop follows the held button.
inline void DragByBackground(HWND hwnd, POINT clientPoint) {
    POINT screen = clientPoint;
    ::ClientToScreen(hwnd, &screen);
    ::PostMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
}

enum class SkinPaint {
    OffScreen,  // background and captions into a memory bitmap, one block transfer
    Direct,     // GDI+ straight onto the window (the main dialog, the macro editor)
};

enum class SkinSizing { ToPicture, Keep };

template <class Base>
class Skinned : public Base {
  public:
    const SkinSet& skin() const { return skin_; }

  protected:
    // Loads the set and sizes the window to the normal picture. Without the picture the
    // window keeps the size it was made with (a dialog's template), so its buttons can still
    // be found and pressed rather than vanishing with a 0 x 0 window.
    void LoadSkin(std::u16string_view area, std::u16string_view normalFile,
                  std::u16string_view overFile, std::u16string_view downFile) {
        UseSkin(SkinSet::Load(area, normalFile, overFile, downFile));
    }
    // Takes a set made elsewhere (tests, windows whose pictures are not files, cuts of an
    // owner's picture) and sizes to it unless asked to keep the window's size.
    void UseSkin(SkinSet set, SkinSizing sizing = SkinSizing::ToPicture) {
        skin_ = std::move(set);
        if (sizing == SkinSizing::ToPicture && this->hwnd() && !skin_.normal.empty()) {
            ::SetWindowPos(this->hwnd(), nullptr, 0, 0, skin_.normal.width(), skin_.normal.height(),
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (this->hwnd()) {
            ::InvalidateRect(this->hwnd(), nullptr, FALSE);
        }
    }
    void CentreInWorkArea() {
        RECT r{};
        ::GetWindowRect(this->hwnd(), &r);
        const bool picture = !skin_.normal.empty();
        CentreInFullScreenArea(this->hwnd(), picture ? skin_.normal.width() : r.right - r.left,
                               picture ? skin_.normal.height() : r.bottom - r.top);
    }

    // Creates a button of this window at rect, cut from the set, with a centred horizontal
    // caption (none when empty).
    bool AddButton(CBitmapBtn& button, UINT id, const skin::Rect& rect,
                   std::wstring_view caption = {}, skin::Checked checked = skin::Checked::Normal) {
        if (!button.Create(this->hwnd(), id, rect)) {
            return false;
        }
        button.SetSkin(skin_.normal, skin_.over, skin_.down, skin_.CheckedImage(checked), rect);
        button.SetCaption(caption, 0, 0, 1);
        return true;
    }

    void SetPaintMode(SkinPaint mode) { paintMode_ = mode; }

    // Draws the window's own captions and marks over the background, into the same surface.
    virtual void PaintOverSkin(HDC /*dc*/) {}

    void OnPaint() override {
        PaintGuard paint(this->hwnd());
        RECT client;
        ::GetClientRect(this->hwnd(), &client);
        if (client.right <= 0 || client.bottom <= 0) {
            return;
        }
        if (paintMode_ == SkinPaint::Direct) {
            {
                Gdiplus::Graphics graphics(paint.dc());
                skin_.normal.Draw(graphics, 0, 0);
            }
            PaintOverSkin(paint.dc());
            return;
        }
        DoubleBuffer buffer(paint.dc(), client.right, client.bottom);
        {
            Gdiplus::Graphics graphics(buffer.dc());
            skin_.normal.Draw(graphics, 0, 0);
        }
        PaintOverSkin(buffer.dc());
        buffer.Present();
    }
    LRESULT OnEraseBackground(HDC) override { return 1; }
    void OnLButtonDown(UINT, POINT pt) override { DragByBackground(this->hwnd(), pt); }

  private:
    SkinSet skin_;
    SkinPaint paintMode_ = SkinPaint::OffScreen;
};

using SkinnedDialog = Skinned<Dialog>;
using SkinnedWindow = Skinned<Window>;

}  // namespace k2q::win
