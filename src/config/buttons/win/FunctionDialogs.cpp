#include "config/buttons/win/FunctionDialogs.h"

#include "common/localization/UiStrings.h"
#include "common/win/Text.h"
#include "config/keycapture/win/ComBoDlg.h"
#include "config/macro/win/DlgMacro.h"

namespace k2q::config::win {

using k2q::win::AsWide;

void FunctionDialogs::ShowRefusal() {
    ::MessageBoxW(owner_, AsWide(UiText(UiKey::tc_msg1).c_str()),
                  AsWide(UiText(UiKey::tc_title).c_str()), MB_OK);
}

CombinationOutcome FunctionDialogs::RunCombinationDialog() {
    CComBoDlg dialog;
    const bool ok = dialog.DoModal(owner_) == IDOK;
    // Without a captured combination the dialog's results are its empty starting bytes, which
    // leave the record as it is.
    return {ok, dialog.modifiers(), dialog.key1(), dialog.key2()};
}

MacroEditorOutcome FunctionDialogs::RunMacroEditor(int startIndex, int button) {
    CDlgMacro editor(host_.Macros(), host_.Buttons(), startIndex, button);
    const bool ok = editor.DoModal(owner_) == IDOK;
    return {ok, editor.selectedMacro()};
}

}  // namespace k2q::config::win
