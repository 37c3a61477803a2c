// The popup shown while a reload blocks the monitor's thread for several seconds. The
// configuration program looks for it by its title to learn that a reload is running, so the
// title is fixed.
#pragma once

#include <string>

#include "common/Messages.h"
#include "common/ui/win/SkinImage.h"
#include "common/ui/win/SkinnedWindow.h"
#include "monitor/app/win/PngHProgressBar.h"

namespace k2q::monitor {

inline constexpr UINT kProgressDialogId = 102;

class CProgressDlg : public win::SkinnedDialog {
  public:
    // The two lines of text ("tc_update", "tc_waiting") come from the caller's language table.
    CProgressDlg(std::wstring updateText, std::wstring waitingText);

    // Creates the popup from its dialog resource, without a parent, and shows it painted.
    bool Open();
    void SetProgress(int value);
    int requested() const { return requested_; }
    const CPngHProgressBar& bar() const { return bar_; }

  protected:
    BOOL OnInitDialog() override;
    void PaintOverSkin(HDC dc) override;
    void OnLButtonDown(UINT, POINT) override {}  // it stays where it is while the reload runs
    void OnCancel() override {}  // Escape must not close it while the reload runs
    void OnOK() override {}

  private:
    void BringToForeground();

    std::wstring updateText_;
    std::wstring waitingText_;
    win::SkinImage fill_;
    CPngHProgressBar bar_;
    int requested_ = 0;
};

}  // namespace k2q::monitor
