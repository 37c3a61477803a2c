#include "monitor/app/win/ProgressDlg.h"

#include "common/ui/SkinLayout.h"
#include "common/ui/win/Caption.h"

namespace k2q::monitor {
namespace {

namespace layout = skin::progress;

win::SkinImage LoadProgressImage(std::u16string_view file) {
    return win::LoadSkinImage(win::MakeSkinPath(layout::kArea, file));
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
    ::SetWindowTextW(hwnd(), kProgressWindowTitle);
    UseSkin({LoadProgressImage(layout::kNormalFile), {}, {}});
    fill_ = LoadProgressImage(layout::kFillFile);
    CentreInWorkArea();

    const skin::Rect& r = layout::kBar;
    bar_.CreateChild(hwnd(), RECT{r.left, r.top, r.right, r.bottom});
    bar_.SetImages(skin().normal.Crop(r.left, r.top, r.Width(), r.Height()),
                   fill_.Crop(r.left, r.top, r.Width(), r.Height()));
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

void CProgressDlg::PaintOverSkin(HDC dc) {
    win::DrawGrayCaption(dc, updateText_, 8, win::CaptionAlign::Near,
                         win::CaptionRectOf(layout::kUpdateCaption));
    win::DrawGrayCaption(dc, waitingText_, 8, win::CaptionAlign::Near,
                         win::CaptionRectOf(layout::kWaitingCaption));
}

}  // namespace k2q::monitor
