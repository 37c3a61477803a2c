// CResetDlg: asks before every button and mouse parameter goes back to its factory value.
// The reset itself is the main dialog's, after this ends with OK.
#pragma once

#include "common/ui/win/BitmapBtn.h"
#include "common/ui/win/SkinnedWindow.h"

namespace k2q::config::win {

class CResetDlg : public k2q::win::SkinnedDialog {
  public:
    // IDOK from its OK button or Enter; IDCANCEL from its Cancel or close button or Escape.
    INT_PTR DoModal(HWND parent);

  protected:
    BOOL OnInitDialog() override;
    void PaintOverSkin(HDC dc) override;

  private:
    k2q::win::CBitmapBtn ok_;
    k2q::win::CBitmapBtn cancel_;
    k2q::win::CBitmapBtn close_;
};

}  // namespace k2q::config::win
