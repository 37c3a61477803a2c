// CBitmapBtn: the skinned push button of every configuration window and menu.
//
// Usage (an owner that is a framework Window or Dialog, so WM_DRAWITEM is reflected here):
//     CBitmapBtn ok;
//     ok.Create(hwnd(), IDOK, skin::about::kOk);                 // visible child, owner-drawn
//     ok.SetSkin(set.normal, set.over, set.down, set.normal,    // cut once from the window's
//                r.left, r.top, r.Width(), r.Height());          // pictures, at its own rect
//     ok.SetCaption(L"OK", 0, 0, 1);
// Skinned<Base>::AddButton (SkinnedWindow.h) does those three steps in one call.
//
// A click reaches the owner as WM_COMMAND (id, BN_CLICKED, button). With SetNotify(true) every
// press and release is also posted as WM_BITMAPBTN_MOUSE (WM_LBUTTONDOWN / WM_LBUTTONUP,
// button). With SetToggleMode(true) a click flips the checked flag first. Every mouse move
// over the button, or while it holds the capture, is posted to the owner as WM_MOUSEMOVE with
// the pointer in SCREEN coordinates. The button keeps its own copies of the pictures.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/ui/ButtonLook.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/SkinImage.h"
#include "common/win/Window.h"

namespace k2q::win {

class CBitmapBtn : public Window {
  public:
    static constexpr COLORREF kNormalColour = 0x676153;
    static constexpr COLORREF kOverColour = 0xFFFFFF;
    static constexpr COLORREF kDownColour = 0x248DEB;
    // The down colour after SetTextColors, whatever it was before.
    static constexpr COLORREF kQuietDownColour = 0x828180;

    CBitmapBtn() = default;
    ~CBitmapBtn() override;

    // Creates the button as a visible owner-drawn child of owner at rect (owner's client
    // coordinates), with an empty window text.
    bool Create(HWND owner, UINT id, const skin::Rect& rect);

    // Replaces the four pictures with copies of the area (x, y, width, height) of each source;
    // an empty source leaves that state without a picture. Drops the border and tab stop.
    void SetSkin(const SkinImage& normal, const SkinImage& over, const SkinImage& down,
                 const SkinImage& checked, int x, int y, int width, int height);
    void SetSkin(const SkinImage& normal, const SkinImage& over, const SkinImage& down,
                 const SkinImage& checked, const skin::Rect& rect) {
        SetSkin(normal, over, down, checked, rect.left, rect.top, rect.Width(), rect.Height());
    }

    // orientation: 0 or 1 horizontal, 2 reading upwards, 3 reading downwards; dx, dy move the
    // centred text.
    void SetCaption(std::wstring_view text, int dx, int dy, int orientation);
    // Repaints only when the flag changes.
    void SetChecked(bool on);
    // Sets the normal and over colours; the down colour becomes kQuietDownColour.
    void SetTextColors(COLORREF normal, COLORREF over);
    void SetToggleMode(bool on) { toggleMode_ = on; }
    void SetNotify(bool on) { notify_ = on; }

    bool checked() const { return checked_; }
    bool toggleMode() const { return toggleMode_; }
    bool notify() const { return notify_; }
    bool hover() const { return hover_; }
    const std::wstring& caption() const { return caption_; }
    UINT id() const;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnMouseMove(UINT keys, POINT pt) override;
    void OnLButtonDown(UINT keys, POINT pt) override;
    void OnLButtonDblClk(UINT keys, POINT pt) override;
    void OnLButtonUp(UINT keys, POINT pt) override;
    LRESULT OnEraseBackground(HDC) override { return 1; }
    bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void Repaint();
    void Paint(const DRAWITEMSTRUCT& dis) const;
    void PaintCaption(HDC dc, int width, int height, COLORREF colour) const;
    const SkinImage& ImageOf(ButtonImage image) const;
    COLORREF ColourOf(ButtonColour colour) const;
    void PostMouseNote(WPARAM what);

    bool checked_ = false;
    bool toggleMode_ = false;
    bool notify_ = false;
    bool hover_ = false;
    SkinImage normal_;
    SkinImage over_;
    SkinImage down_;
    SkinImage checkedImage_;
    std::wstring caption_;
    int captionDx_ = 0;
    int captionDy_ = 0;
    int orientation_ = 0;
    COLORREF normalColour_ = kNormalColour;
    COLORREF overColour_ = kOverColour;
    COLORREF downColour_ = kDownColour;
};

}  // namespace k2q::win
