// What the two pages of the configuration dialog (buttons, sensitivity) and the editors they
// open need from the main dialog that hosts them. The main dialog owns the program's in-memory
// copies of both settings blocks for the whole run; pages and editors change them in place and
// only the main dialog's Apply and OK write them to the store. Pages are written against this
// interface, so a test can host one page without the main dialog.
#pragma once

#include <windows.h>

#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroSetting.h"

namespace k2q::config::win {

class PageHost {
public:
    virtual ~PageHost() = default;

    // The program's in-memory blocks, loaded at start (or created with defaults).
    virtual ButtonSetting& Buttons() = 0;
    virtual MacroSetting& Macros() = 0;

    // Closes every open menu of the main dialog's menu bar (profile, setting, help, link).
    virtual void CloseAllMenus() = 0;

    // The window that owns the pages' popup menus and receives their WM_BMPMENU_CHOSEN.
    virtual HWND MenuOwner() const = 0;
};

}  // namespace k2q::config::win
