#include "config/buttons/win/FunctionDialogs.h"

#include "common/localization/UiStrings.h"
#include "common/win/Text.h"
#include "config/keycapture/win/ComBoDlg.h"

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

MacroEditorOutcome FunctionDialogs::RunMacroEditor(int, int) {
    (void)host_;
    return {};
}

}  // namespace k2q::config::win
