#include "config/shell/win/ResetDlg.h"

#include "common/localization/UiStrings.h"
#include "common/ui/win/Caption.h"
#include "common/win/Text.h"
#include "config/shell/win/ShellResources.h"

namespace k2q::config::win {
namespace {

namespace layout = skin::reset;

std::wstring Text(UiKey key) { return k2q::win::ToWide(UiText(key)); }

}  // namespace

INT_PTR CResetDlg::DoModal(HWND parent) { return Dialog::DoModal(IDD_CONFIG_RESET, parent); }

BOOL CResetDlg::OnInitDialog() {
    LoadSkin(layout::kArea, layout::kNormalFile, layout::kOverFile, layout::kDownFile);
    CentreInWorkArea();
    // The buttons carry the standard identifiers, so their clicks, Enter and Escape all end
    // the dialog through the same OK and Cancel.
    AddButton(ok_, IDOK, layout::kOk, Text(UiKey::tc_ok));
    AddButton(cancel_, IDCANCEL, layout::kCancel, Text(UiKey::tc_cancel));
    AddButton(close_, IDCANCEL, layout::kClose);
    return TRUE;
}

void CResetDlg::PaintOverSkin(HDC dc) {
    k2q::win::DrawGrayCaptions(dc, 8,
                               {{UiKey::tc_retitle, layout::kTitle}, {UiKey::tc_reinfo, layout::kInfo}});
}

}  // namespace k2q::config::win
