// CComBoDlg: the modal dialog in which the user presses a key combination for a button. Keys
// arrive from KbSnare.dll as WM_HOOK_KEY, so system keys and the dialog's own Enter, Esc and
// Space are captured rather than acted on; the dialog shows the combination as text and hands
// it back after OK.
//
// Usage (the button page, for the key-combination function):
//     CComBoDlg dialog(record.comboModifiers, record.comboKey1, record.comboKey2);
//     if (dialog.DoModal(page) == IDOK && dialog.captured()) {
//         record.comboModifiers = dialog.modifiers(); ...; record.function = 5;
//     }
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "common/ui/win/BitmapBtn.h"
#include "common/ui/win/SkinnedWindow.h"
#include "common/win/UniqueHandle.h"
#include "config/keycapture/ComboCapture.h"
#include "config/keycapture/win/HookLibrary.h"

namespace k2q::config::win {

// The dialog's template and controls (ComBoDlg.rc).
inline constexpr UINT kComboDialogResource = 140;
inline constexpr UINT kComboOkId = 1400;
inline constexpr UINT kComboCancelId = 1401;
inline constexpr UINT kComboCloseId = 1402;

class CComBoDlg : public k2q::win::SkinnedDialog {
  public:
    // The combination the caller's record holds now. The dialog starts empty and never shows
    // it; it is what the results give back when the user captures nothing.
    CComBoDlg(std::uint8_t modifiers = 0, std::uint8_t key1 = 0, std::uint8_t key2 = 0);

    // Loads KbSnare.dll from this folder (a full path ending in a backslash) instead of the
    // program's own; for tests, which keep their copy of the library in a folder of their own.
    void SetHookFolder(std::wstring folder) { hookFolder_ = std::move(folder); }

    // IDOK (the OK button) or IDCANCEL (the Cancel or close button).
    INT_PTR DoModal(HWND parent);

    // Whether the user pressed a combination and confirmed it with OK. Only then is it news for
    // the record: the results below are otherwise the record's own three bytes.
    bool captured() const { return confirmed_ && !capture_.combination().empty(); }
    std::uint8_t modifiers() const { return Result().modifiers; }
    std::uint8_t key1() const { return Result().key1; }
    std::uint8_t key2() const { return Result().key2; }

  protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    void OnCommand(UINT id, UINT code, HWND control) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PaintOverSkin(HDC dc) override;

  private:
    const Combination& Result() const { return captured() ? capture_.combination() : record_; }
    static LRESULT CALLBACK FilterDialogKeys(int code, WPARAM wParam, LPARAM lParam) noexcept;

    Combination record_;
    ComboCapture capture_;
    bool confirmed_ = false;  // ended with OK
    std::optional<std::wstring> hookFolder_;
    std::optional<HookLibrary> hook_;
    k2q::win::UniqueHook keyFilter_;
    k2q::win::CBitmapBtn ok_;
    k2q::win::CBitmapBtn cancel_;
    k2q::win::CBitmapBtn close_;
};

}  // namespace k2q::config::win
