// CAboutDlg: the about box, with the version and support texts of the language file over its
// skin and two links, to the maker's home page and forum. Both programs can show it, so its
// dialog template is built in memory rather than taken from a program's resources.
//
// Usage:
//     CAboutDlg about;
//     about.DoModal(hwnd());   // IDOK from its OK button or Enter, IDCANCEL from its close
//                              // button or Escape
#pragma once

#include <windows.h>

#include "common/ui/win/BitmapBtn.h"
#include "common/ui/win/HyperLink.h"
#include "common/ui/win/SkinnedWindow.h"

namespace k2q::win {

class CAboutDlg : public SkinnedDialog {
  public:
    static constexpr UINT kHomeLinkId = 1001;
    static constexpr UINT kForumLinkId = 1002;

    INT_PTR DoModal(HWND parent);

    CHyperLink& homeLink() { return home_; }
    CHyperLink& forumLink() { return forum_; }
    CBitmapBtn& okButton() { return ok_; }
    CBitmapBtn& closeButton() { return close_; }

  protected:
    BOOL OnInitDialog() override;
    void PaintOverSkin(HDC dc) override;

  private:
    void SetUpLink(CHyperLink& link, UINT id, const skin::Rect& rect, std::u16string_view url);

    CBitmapBtn ok_;
    CBitmapBtn close_;
    CHyperLink home_;
    CHyperLink forum_;
};

}  // namespace k2q::win
