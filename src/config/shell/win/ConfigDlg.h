// The configuration program's only top-level window: a borderless skinned dialog that shows
// one of its two pages, carries the buttons acting on the settings as a whole and the menu
// bar, and is the program's end of the conversation with the monitor. It owns the program's
// in-memory copies of both settings blocks: the pages and editors change them in place, and
// only Apply and OK write them back.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/platform/Registry.h"
#include "common/ui/win/BitmapBtn.h"
#include "common/ui/win/SkinnedWindow.h"
#include "common/win/UniqueHandle.h"
#include "config/shell/MainButtons.h"
#include "config/shell/ShellRules.h"
#include "config/shell/win/MainMenuBar.h"
#include "config/shell/win/PageHost.h"
#include "config/shell/win/ProfileDialogs.h"
#include "config/shell/win/Win32MonitorLink.h"

namespace k2q::config::win {

class CButtonPage;
class CSensitivityPage;

class CK2Q_ConfigDlg : public k2q::win::SkinnedDialog, public PageHost {
  public:
    // What to do when the monitor is missing at start, after the message: the program ends
    // at once with exit code 0 unless a test hosting the dialog says otherwise.
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

    // For hosted tests: the pages, the buttons of the table (in table order) and the menus.
    CButtonPage* buttonPage() const { return buttonPage_.get(); }
    CSensitivityPage* sensitivityPage() const { return sensitivityPage_.get(); }
    k2q::win::CBitmapBtn& button(MainAction action);
    const MainMenuBar& menus() const { return menus_; }

  protected:
    BOOL OnInitDialog() override;
    void OnPaint() override;
    void PaintOverSkin(HDC dc) override;
    void OnCommand(UINT id, UINT code, HWND control) override;
    void OnLButtonDown(UINT keys, POINT pt) override;
    void OnDestroy() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    struct Settings;

    void AddAboutEntry();
    void SetIcons();
    void LayOut();
    void CreatePages();
    void Act(MainAction action);
    void OnMenuChoice(LPARAM choice);
    void RunMainCommand(std::uint16_t command);
    void RunReset();
    std::optional<std::wstring> AskProfile(ProfileDialog kind);
    void ImportProfile();
    void ExportProfile();
    void ShowAbout();
    void RefreshPages();
    void CloseFunctionMenu();
    void Tell(UiKey message);

    Registry& registry_;
    Win32MonitorLink& monitor_;
    MonitorMissing monitorMissing_;
    std::unique_ptr<Settings> settings_;

    std::unique_ptr<CButtonPage> buttonPage_;
    std::unique_ptr<CSensitivityPage> sensitivityPage_;
    std::array<k2q::win::CBitmapBtn, 12> buttons_;
    int currentPage_ = kButtonPage;
    MainMenuBar menus_;
    k2q::win::UniqueIcon bigIcon_;
    k2q::win::UniqueIcon smallIcon_;
};

}  // namespace k2q::config::win
