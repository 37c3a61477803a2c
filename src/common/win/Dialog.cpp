#include "common/win/Dialog.h"

namespace k2q::win {
namespace {

bool ReturnsResultDirectly(UINT msg) {
    switch (msg) {
        case WM_CHARTOITEM:
        case WM_COMPAREITEM:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_INITDIALOG:
        case WM_QUERYDRAGICON:
        case WM_VKEYTOITEM:
            return true;
        default:
            return false;
    }
}

}  // namespace

INT_PTR Dialog::DoModal(UINT resourceId, HWND parent) {
    modal_ = true;
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), parent,
                             &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR Dialog::DoModalIndirect(const DLGTEMPLATE* dialogTemplate, HWND parent) {
    modal_ = true;
    return ::DialogBoxIndirectParamW(::GetModuleHandleW(nullptr), dialogTemplate, parent,
                                     &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(UINT resourceId, HWND parent) {
    modal_ = false;
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId), parent,
                                &Dialog::StaticDialogProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool Dialog::CreateModelessIndirect(const DLGTEMPLATE* dialogTemplate, HWND parent) {
    modal_ = false;
    return ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), dialogTemplate, parent,
                                        &Dialog::StaticDialogProc,
                                        reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
    if (!hwnd()) {
        return;
    }
    if (modal_) {
        ::EndDialog(hwnd(), result);
    } else {
        ::DestroyWindow(hwnd());
    }
}

bool Dialog::IsOurDialog(HWND hwnd) {
    return reinterpret_cast<DLGPROC>(::GetWindowLongPtrW(hwnd, DWLP_DLGPROC)) ==
           &Dialog::StaticDialogProc;
}

LRESULT Dialog::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        return OnInitDialog();
    }
    // OK and Cancel arrive from their buttons, from Enter and Escape, all with code 0.
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
            case IDOK:
                OnOK();
                return 0;
            case IDCANCEL:
                OnCancel();
                return 0;
            default:
                break;
        }
    }
    return Window::WndProc(msg, wParam, lParam);
}

LRESULT Dialog::DefaultProcessing(UINT, WPARAM, LPARAM) {
    handled_ = false;
    return 0;
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        if (self) {
            self->Bind(hwnd);
        }
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) {
        return FALSE;
    }
    const bool outer = self->handled_;
    self->handled_ = true;
    const LRESULT result = self->Dispatch(msg, wParam, lParam);
    const bool handled = self->handled_;
    self->handled_ = outer;
    if (!handled) {
        return FALSE;
    }
    if (ReturnsResultDirectly(msg)) {
        return static_cast<INT_PTR>(result);
    }
    ::SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace k2q::win
