#include "common/ui/win/AboutDlg.h"

#include "common/localization/UiStrings.h"
#include "common/ui/WebAddresses.h"
#include "common/ui/win/Caption.h"
#include "common/win/DialogTemplate.h"
#include "common/win/Text.h"

namespace k2q::win {
namespace {

namespace layout = skin::about;

constexpr COLORREF kLinkGrey = 0x949494;
constexpr COLORREF kLinkHover = 0x0E72EE;

}  // namespace

INT_PTR CAboutDlg::DoModal(HWND parent) {
    // Sizes are set again from the picture when the dialog starts; the two statics only have
    // to exist to become the links. An address is one line, never wrapped.
    DialogTemplate t(WS_POPUP, 0, 0, 0, 10, 10);
    for (UINT id : {kHomeLinkId, kForumLinkId}) {
        t.AddControl(static_cast<WORD>(id), WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOTIFY,
                     0, 0, 10, 10, kStaticClass, L"");
    }
    return DoModalIndirect(t.get(), parent);
}

BOOL CAboutDlg::OnInitDialog() {
    LoadSkin(layout::kArea, layout::kNormalFile, layout::kOverFile, layout::kDownFile);
    CentreInWorkArea();
    AddButton(ok_, IDOK, layout::kOk, ToWide(UiText(UiKey::tc_ok)));
    AddButton(close_, IDCANCEL, layout::kClose);
    SetUpLink(home_, kHomeLinkId, layout::kHomeLink, HomePageAddress());
    SetUpLink(forum_, kForumLinkId, layout::kForumLink, ForumAddress());
    return TRUE;
}

void CAboutDlg::SetUpLink(CHyperLink& link, UINT id, const skin::Rect& rect,
                          std::u16string_view url) {
    HWND control = ::GetDlgItem(hwnd(), static_cast<int>(id));
    ::SetWindowPos(control, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    const std::wstring address = ToWide(url);
    ::SetWindowTextW(control, address.c_str());
    link.AttachTo(control);
    link.SetURL(address);
    link.SetColours(kLinkGrey, kLinkGrey, kLinkHover);
    link.SetUnderline(CHyperLink::kUnderlineNever);
}

void CAboutDlg::PaintOverSkin(HDC dc) {
    DrawGrayCaptions(dc, 8,
                     {{UiKey::tc_version, layout::kVersionCaption},
                      {UiKey::tc_suport, layout::kSupportCaption},
                      {UiKey::tc_tvkfam, layout::kForumCaption},
                      {UiKey::tc_info, layout::kInfoCaption}});
}

}  // namespace k2q::win
