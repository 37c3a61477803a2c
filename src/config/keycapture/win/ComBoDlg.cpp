#include "config/keycapture/win/ComBoDlg.h"

#include "common/Messages.h"
#include "common/localization/UiStrings.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/Caption.h"
#include "common/win/Text.h"
#include "common/win/Win32KeyboardLayout.h"
#include "config/keycapture/KeyNames.h"

namespace k2q::config::win {
namespace {

using k2q::win::CaptionAlign;
using k2q::win::CaptionRectOf;
using k2q::win::ToWide;

constexpr float kCaptionPoints = 8.0f;

}  // namespace

CComBoDlg::CComBoDlg(std::uint8_t modifiers, std::uint8_t key1, std::uint8_t key2)
    : record_{modifiers, key1, key2} {}

INT_PTR CComBoDlg::DoModal(HWND parent) {
    return Dialog::DoModal(kComboDialogResource, parent);
}

BOOL CComBoDlg::OnInitDialog() {
    namespace combo = skin::combo;
    ::SetWindowTextW(hwnd(), ToWide(UiText(UiKey::tc_combo_tittle)).c_str());
    LoadSkin(combo::kArea, combo::kNormalFile, combo::kOverFile, combo::kDownFile);
    CentreInWorkArea();
    AddButton(ok_, kComboOkId, combo::kOk, ToWide(UiText(UiKey::tc_ok)));
    AddButton(cancel_, kComboCancelId, combo::kCancel, ToWide(UiText(UiKey::tc_cancel)));
    AddButton(close_, kComboCloseId, combo::kClose);

    if (hookFolder_) {
        hook_.emplace(*hookFolder_);
    } else {
        hook_.emplace();
    }
    hook_->Install(hwnd());
    hook_->SetStatus(true);
    // The dialog manager turns Enter, Esc, Space and Alt+F4 into button presses and closing
    // before any handler of ours sees them; a message filter is the one place ahead of it.
    keyFilter_.reset(::SetWindowsHookExW(WH_MSGFILTER, &CComBoDlg::FilterDialogKeys, nullptr,
                                         ::GetCurrentThreadId()));
    return TRUE;
}

void CComBoDlg::OnDestroy() {
    keyFilter_.reset();
    hook_.reset();  // delivery off, hook removed, library freed
    k2q::win::SkinnedDialog::OnDestroy();
}

void CComBoDlg::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
        case kComboOkId:
            confirmed_ = true;
            EndDialog(IDOK);
            return;
        case kComboCancelId:
        case kComboCloseId:
            EndDialog(IDCANCEL);
            return;
        default:
            k2q::win::SkinnedDialog::OnCommand(id, code, control);
    }
}

LRESULT CComBoDlg::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_HOOK_KEY) {
        if (capture_.OnHookKey(wParam, static_cast<std::uintptr_t>(lParam))) {
            const skin::Rect& area = skin::combo::kTextArea;
            const RECT dirty{area.left, area.top, area.right, area.bottom};
            ::InvalidateRect(hwnd(), &dirty, FALSE);
        }
        return 0;
    }
    return k2q::win::SkinnedDialog::WndProc(msg, wParam, lParam);
}

void CComBoDlg::PaintOverSkin(HDC dc) {
    namespace combo = skin::combo;
    k2q::win::DrawCaption(dc, ToWide(UiText(UiKey::tc_combo_tittle)), kCaptionPoints,
                          CaptionAlign::Near, skin::kComboText.normal,
                          CaptionRectOf(combo::kTitle));
    k2q::win::DrawCaption(dc, ToWide(UiText(UiKey::tc_combo_tips)), kCaptionPoints,
                          CaptionAlign::Near, skin::kComboText.normal, CaptionRectOf(combo::kTips));
    k2q::win::Win32KeyboardLayout layout;
    const Combination& shown = capture_.combination();
    k2q::win::DrawCaption(dc,
                          ToWide(CombinationText(shown.modifiers, shown.key1, shown.key2, layout)),
                          kCaptionPoints, CaptionAlign::Near, skin::kBlackText.normal,
                          CaptionRectOf(combo::kCombination));
}

// Runs on the dialog's thread inside its modal loop, for every message before the dialog
// manager handles it; only the keys aimed at a combination-key dialog are kept from it.
LRESULT CALLBACK CComBoDlg::FilterDialogKeys(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == MSGF_DIALOGBOX) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (DialogDiscardsKey(msg->message, msg->wParam, msg->lParam) &&
            dynamic_cast<CComBoDlg*>(
                k2q::win::Window::FromHandle(::GetAncestor(msg->hwnd, GA_ROOT))) != nullptr) {
            return 1;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace k2q::config::win
