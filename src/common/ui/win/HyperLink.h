// CHyperLink: a static text control that turns into a web link. It changes colour under the
// pointer, shows a hand cursor and a tool tip with its address, and opens the address in the
// user's browser when clicked.
//
// Usage (the static control belongs to a framework Window or Dialog, which reflects its
// WM_CTLCOLORSTATIC and WM_COMMAND here):
//     CHyperLink home;
//     home.AttachTo(::GetDlgItem(hwnd(), 1001));
//     ::SetWindowTextW(home.hwnd(), address.c_str());
//     home.SetURL(address);
//     home.SetColours(0x949494, 0x949494, 0x0E72EE);   // link, visited, hover (0x00BBGGRR)
//     home.SetUnderline(CHyperLink::kUnderlineNever);
// The text is drawn without a background, so the parent's picture shows through; the link
// repaints the parent's area under it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "common/ui/Hyperlink.h"
#include "common/win/UniqueHandle.h"
#include "common/win/Window.h"

namespace k2q::win {

class CHyperLink : public Window {
  public:
    static constexpr int kUnderlineHover = -1;  // underlined while the pointer is over it
    static constexpr int kUnderlineNever = 2;
    static constexpr UINT_PTR kHoverTimer = 100;

    CHyperLink();
    ~CHyperLink() override;

    // Takes over an existing static control (see the file comment).
    bool AttachTo(HWND staticControl);

    void SetURL(std::wstring_view address);
    void SetColours(COLORREF link, COLORREF visited, COLORREF hover);
    void SetUnderline(int mode);
    void SetAutoSize(bool on) { autoSize_ = on; }
    // Fits the control to its window text, keeping its anchored edge (see AnchoredRect).
    void SizeToText();
    // Replaces how addresses are opened (tests); null puts the system's way back.
    void SetShell(HyperlinkShell* shell);

    const std::wstring& url() const { return url_; }
    bool over() const { return over_; }
    bool visited() const { return visited_; }
    HWND tooltip() const { return tooltip_.get(); }
    HCURSOR cursor() const { return cursor_; }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnMouseMove(UINT keys, POINT pt) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    bool OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void MakeFonts();
    void LoadHandCursor();
    void CreateTooltip();
    void UpdateTooltipText();
    void Repaint();
    void Open();

    LinkColours colours_;
    bool over_ = false;
    bool visited_ = false;
    int underline_ = kUnderlineHover;
    bool autoSize_ = true;
    std::wstring url_;
    UniqueFont normalFont_;
    UniqueFont underlinedFont_;
    HCURSOR cursor_ = nullptr;  // the one below, or the system's shared hand
    UniqueCursor ownedCursor_;  // a copy from the help program's file, when it has one
    UniqueWindow tooltip_;
    std::unique_ptr<HyperlinkShell> systemShell_;
    HyperlinkShell* shell_ = nullptr;
};

}  // namespace k2q::win
