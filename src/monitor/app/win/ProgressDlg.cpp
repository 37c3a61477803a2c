#include "monitor/app/win/ProgressDlg.h"

#include "common/ui/Placement.h"
#include "common/ui/win/Caption.h"
#include "common/win/Gdi.h"
#include "common/win/ModulePath.h"

namespace k2q::monitor {
namespace {

constexpr RECT kBarRect{16, 71, 279, 86};

win::SkinImage LoadProgressImage(const wchar_t* file) {
    return win::LoadSkinImage(win::ModuleFolder() + L"skins\\progress\\" + file);
}

}  // namespace

CProgressDlg::CProgressDlg(std::wstring updateText, std::wstring waitingText)
    : updateText_(std::move(updateText)), waitingText_(std::move(waitingText)) {}

bool CProgressDlg::Open() {
    if (!CreateModeless(kProgressDialogId, nullptr)) {
        return false;
    }
    ::ShowWindow(hwnd(), SW_SHOW);
    // The thread goes straight on with the reload: paint the whole popup before it does.
    ::UpdateWindow(hwnd());
    return true;
}

BOOL CProgressDlg::OnInitDialog() {
    ::SetWindowTextW(hwnd(), kProgressTitle);
    background_ = LoadProgressImage(L"progress_n.png");
    fill_ = LoadProgressImage(L"pregross_d.png");

    const Point at = CenteredOrigin(::GetSystemMetrics(SM_CXFULLSCREEN),
                                    ::GetSystemMetrics(SM_CYFULLSCREEN), background_.width(),
                                    background_.height());
    ::SetWindowPos(hwnd(), nullptr, at.x, at.y, background_.width(), background_.height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd(), nullptr, FALSE);

    bar_.CreateChild(hwnd(), kBarRect);
    const int w = kBarRect.right - kBarRect.left;
    const int h = kBarRect.bottom - kBarRect.top;
    bar_.SetImages(background_.Crop(kBarRect.left, kBarRect.top, w, h),
                   fill_.Crop(kBarRect.left, kBarRect.top, w, h));
    bar_.mouseDisabled = true;
    bar_.SetRange(0, 100);
    bar_.SetPosition(0);
    bar_.RedrawNow();

    BringToForeground();
    return TRUE;
}

void CProgressDlg::BringToForeground() {
    HWND foreground = ::GetForegroundWindow();
    if (!foreground) {
        return;
    }
    // Another program owns the foreground; sharing its input state lets this one take it.
    const DWORD theirs = ::GetWindowThreadProcessId(foreground, nullptr);
    const DWORD ours = ::GetCurrentThreadId();
    const bool attached = theirs != ours && ::AttachThreadInput(theirs, ours, TRUE);
    ::SetForegroundWindow(hwnd());
    if (attached) {
        ::AttachThreadInput(theirs, ours, FALSE);
    }
}

void CProgressDlg::SetProgress(int value) {
    requested_ = value;
    bar_.SetPosition(value);
    bar_.RedrawNow();
}

void CProgressDlg::OnPaint() {
    win::PaintGuard paint(hwnd());
    RECT client;
    ::GetClientRect(hwnd(), &client);
    win::DoubleBuffer buffer(paint.dc(), client.right, client.bottom);
    {
        Gdiplus::Graphics graphics(buffer.dc());
        background_.Draw(graphics, 0, 0);
    }
    win::DrawGrayCaption(buffer.dc(), updateText_, 8, win::CaptionAlign::Near, {35, 5, 200, 25});
    win::DrawGrayCaption(buffer.dc(), waitingText_, 8, win::CaptionAlign::Near, {20, 40, 320, 25});
    buffer.Present();
}

}  // namespace k2q::monitor
