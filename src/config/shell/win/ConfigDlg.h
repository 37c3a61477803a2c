// The configuration program's only top-level window: a borderless skinned dialog that shows
// one of its two pages, carries the buttons acting on the settings as a whole and the menu
// bar, and is the program's end of the conversation with the monitor. It owns the program's
// in-memory copies of both settings blocks: the pages and editors change them in place, and
// only Apply and OK write them back.
#pragma once

#include <functional>
#include <memory>

#include "common/platform/Registry.h"
#include "common/ui/win/SkinImage.h"
#include "common/win/Dialog.h"
#include "common/win/UniqueHandle.h"
#include "config/shell/ShellRules.h"
#include "config/shell/win/PageHost.h"
#include "config/shell/win/Win32MonitorLink.h"

namespace k2q::config::win {

class CK2Q_ConfigDlg : public k2q::win::Dialog, public PageHost {
  public:
    // What to do when the monitor is missing at start, after the message; the program ends
    // at once with exit code 0 unless a test says otherwise.
    using MonitorMissing = std::function<void()>;

    CK2Q_ConfigDlg(Registry& registry, Win32MonitorLink& monitor,
                   MonitorMissing monitorMissing = nullptr);
    ~CK2Q_ConfigDlg() override;

    // Runs the dialog modally, without an owner, until it closes.
    INT_PTR Run();

    // PageHost.
    ButtonSetting& Buttons() override;
    MacroSetting& Macros() override;
    void CloseAllMenus() override;
    HWND MenuOwner() const override { return hwnd(); }

    void ShowPage(int page);
    int currentPage() const { return currentPage_; }

  protected:
    BOOL OnInitDialog() override;
    void OnPaint() override;
    LRESULT OnEraseBackground(HDC) override { return 1; }
    void OnDestroy() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    struct Settings;

    void AddAboutEntry();
    void SetIcons();
    void LayOut();

    Registry& registry_;
    Win32MonitorLink& monitor_;
    MonitorMissing monitorMissing_;
    std::unique_ptr<Settings> settings_;

    k2q::win::SkinImage normal_;
    k2q::win::SkinImage over_;
    k2q::win::SkinImage down_;
    int currentPage_ = kButtonPage;
    k2q::win::UniqueIcon bigIcon_;
    k2q::win::UniqueIcon smallIcon_;
};

}  // namespace k2q::config::win
