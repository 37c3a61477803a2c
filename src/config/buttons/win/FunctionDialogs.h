// The windows a function choice of the button page may open: the refusal message, the
// combination-key dialog and the macro editor, each modal over the page.
#pragma once

#include <windows.h>

#include "config/buttons/FunctionMenu.h"
#include "config/shell/win/PageHost.h"

namespace k2q::config::win {

class FunctionDialogs final : public ChoiceDialogs {
  public:
    explicit FunctionDialogs(PageHost& host) : host_(host) {}
    // The page the dialogs open over; set once the page's window exists.
    void SetOwner(HWND owner) { owner_ = owner; }

    void ShowRefusal() override;
    CombinationOutcome RunCombinationDialog() override;
    MacroEditorOutcome RunMacroEditor(int startIndex, int button) override;

  private:
    PageHost& host_;
    HWND owner_ = nullptr;
};

}  // namespace k2q::config::win
