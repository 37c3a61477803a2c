// Dialogs of the framework, modal or modeless, from a resource or an in-memory template. A
// handler that calls Default() (every typed handler that is not overridden) leaves the message
// unhandled, so the dialog manager does its own processing; handled results go back through
// DWLP_MSGRESULT except for the messages that return them directly.
#pragma once

#include "common/win/Window.h"

namespace k2q::win {

class Dialog : public Window {
public:
    INT_PTR DoModal(UINT resourceId, HWND parent);
    INT_PTR DoModalIndirect(const DLGTEMPLATE* dialogTemplate, HWND parent);
    bool CreateModeless(UINT resourceId, HWND parent);
    bool CreateModelessIndirect(const DLGTEMPLATE* dialogTemplate, HWND parent);

    // Ends a modal dialog with a result, or destroys a modeless one.
    void EndDialog(INT_PTR result);

    static bool IsOurDialog(HWND hwnd);

protected:
    // Return TRUE to let the system focus the first control.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefaultProcessing(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    bool modal_ = false;
    bool handled_ = false;
};

}  // namespace k2q::win
