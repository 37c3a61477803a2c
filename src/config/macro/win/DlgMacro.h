// CDlgMacro: the modal macro editor. The user keeps the macro table here: new, rename,
// delete, record keys from the keyboard (through KbSnare.dll) and clicks of three pictured
// mouse buttons, pauses, loops. Every decision is MacroEditor's; this window shows its state
// and hands it the user's actions.
//
// The button page opens it for a button given the macro function:
//     CDlgMacro editor(host.Macros(), host.Buttons(), initialMacro, buttonRecord);
//     if (editor.DoModal(page) == IDOK) { use editor.selectedMacro() (-1 for none) }
// OK rewrites the program's macro block and the store's "MacroSetting" value, and carries a
// deletion's renumbering into the button block; Cancel and close leave everything as it was.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/platform/Registry.h"
#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroSetting.h"
#include "common/ui/win/BitmapBtn.h"
#include "common/ui/win/SkinnedWindow.h"
#include "common/win/UniqueHandle.h"
#include "common/win/Win32KeyboardLayout.h"
#include "config/macro/MacroEditor.h"
#include "config/macro/win/ListBoxEx.h"

namespace k2q::config::win {

class HookLibrary;

// Where the editor writes and where it finds KbSnare.dll; by default the current user's
// registry and the program's own folder.
struct DlgMacroOptions {
    Registry* store = nullptr;
    std::wstring hookFolder;
};

class CDlgMacro : public k2q::win::SkinnedDialog {
  public:
    using Options = DlgMacroOptions;

    // initialMacro: the button's macroIndex when its function is the macro function, else -1;
    // button: the record number (0 to 6) of the control being given a macro.
    CDlgMacro(MacroSetting& macros, ButtonSetting& buttons, int initialMacro, int button,
              Options options = {});
    ~CDlgMacro() override;

    INT_PTR DoModal(HWND parent);

    // After IDOK: the macro chosen for the button, -1 when none is selected.
    int selectedMacro() const { return selectedMacro_; }

    // The decisions behind the window, for a test on the window's thread.
    const MacroEditor* editor() const { return editor_.get(); }

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnCommand(UINT id, UINT code, HWND control) override;
    void OnDestroy() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintOverSkin(HDC dc) override;

  private:
    class Delivery;

    void PlaceControls();
    void Sync();
    void SyncMacroList();
    void SyncEventList();
    void SyncField(int id, const std::u16string& text, std::u16string& shown);
    LRESULT FieldColours(HDC dc);
    static LRESULT CALLBACK FilterKeys(int code, WPARAM wParam, LPARAM lParam) noexcept;

    MacroSetting& macros_;
    ButtonSetting& buttons_;
    int initialMacro_;
    int button_;
    Options options_;
    std::unique_ptr<Registry> ownStore_;
    k2q::win::Win32KeyboardLayout layout_;
    std::unique_ptr<HookLibrary> hook_;
    std::unique_ptr<Delivery> delivery_;
    std::unique_ptr<MacroEditor> editor_;
    int selectedMacro_ = -1;

    CListBoxEx macroList_;
    CListBoxEx eventList_;
    k2q::win::CBitmapBtn ok_, cancel_, close_, new_, delete_, record_, loopBox_, delayBox_,
        modifyDelay_, leftButton_, middleButton_, rightButton_;
    k2q::win::UniqueBrush fieldBrush_;
    k2q::win::UniqueHook keyFilter_;

    // What the controls show, as last taken from the editor.
    bool syncing_ = false;
    std::vector<std::u16string> shownNames_;
    std::vector<EventItem> shownItems_;
    int shownItem_ = -1;
    bool shownRecording_ = false;
    std::u16string shownLoopField_;
    std::u16string shownDelayField_;
};

}  // namespace k2q::config::win
