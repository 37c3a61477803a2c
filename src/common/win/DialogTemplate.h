// Dialog templates built in memory, for dialogs of the shared code: resource scripts are
// compiled only into the programs, so a dialog that both programs show cannot live in one.
//
// Usage:
//     DialogTemplate t(WS_POPUP, 0, 0, 100, 50);
//     t.AddControl(1001, WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 80, 10, kStaticClass, L"");
//     dialog.DoModalIndirect(t.get(), parent);
// Sizes and positions are in dialog units, as in a resource script.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace k2q::win {

// The predefined control classes, by their atoms.
inline constexpr WORD kButtonClass = 0x0080;
inline constexpr WORD kEditClass = 0x0081;
inline constexpr WORD kStaticClass = 0x0082;

class DialogTemplate {
  public:
    DialogTemplate(DWORD style, DWORD exStyle, short x, short y, short width, short height,
                   std::wstring_view title = {});
    void AddControl(WORD id, DWORD style, short x, short y, short width, short height,
                    WORD classAtom, std::wstring_view text, DWORD exStyle = 0);
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void AddDword(DWORD value);
    void AddText(std::wstring_view text);
    void AlignToDword();

    std::vector<WORD> words_;  // the heap keeps it DWORD-aligned
};

}  // namespace k2q::win
