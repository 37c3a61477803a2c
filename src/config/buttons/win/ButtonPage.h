// CButtonPage: the first page of the main dialog, where each button and wheel direction of
// the mouse gets its function. Seven labels show the functions of the seven records of the
// in-memory button block; a click on a label opens a function menu beside the pointer, and the
// main dialog, which owns the menu and receives the choice, hands the choice back through
// ApplyFunctionChoice. The page changes only the records; storing them is the main dialog's
// business.
#pragma once

#include <windows.h>

#include <memory>

#include "config/buttons/FunctionMenu.h"
#include "config/shell/win/PageHost.h"

namespace k2q::config::win {

// The page's dialog template in the program's resources.
inline constexpr UINT kButtonPageTemplate = 129;
// Control identifiers of the labels (label i is kFirstLabelId + i) and the mode caption.
inline constexpr UINT kFirstLabelId = 1600;
inline constexpr UINT kModeCaptionId = 1607;

class CButtonPage {
  public:
    // The page opens the real combination-key dialog and macro editor.
    explicit CButtonPage(PageHost& host);
    // A test hands in its own stand-ins for those dialogs and the refusal message.
    CButtonPage(PageHost& host, ChoiceDialogs& dialogs);
    ~CButtonPage();  // destroys the page's window
    CButtonPage(const CButtonPage&) = delete;
    CButtonPage& operator=(const CButtonPage&) = delete;

    // Creates the page as a hidden child of parent, sized to its picture; the caller moves it
    // into place. Reads the host's blocks while it initializes.
    bool Create(HWND parent);

    // Recaptions all seven labels from the records (after a reset or a profile import too).
    void RefreshButtonLabels();

    // choice is WM_BMPMENU_CHOSEN's lParam from the function menu: the function in the high
    // word, the submenu entry's command in the low word. Written into the current button's
    // record; the caller has closed the function menu first.
    void ApplyFunctionChoice(LPARAM choice);

    // Closes the open function menu, if any.
    void CloseFunctionMenu();
    bool HasFunctionMenu() const;

    // The label whose menu was opened last (0..6), or kNoButton.
    int CurrentButton() const;
    void SetCurrentButton(int button);

    // The page's window (null before Create): the main dialog moves, shows and hides it.
    HWND hwnd() const;

  private:
    class PageWindow;  // the page's dialog window, kept out of this header
    std::unique_ptr<PageWindow> window_;
};

}  // namespace k2q::config::win
