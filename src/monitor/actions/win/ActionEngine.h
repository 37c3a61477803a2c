// The monitor's action engine with the real system behind it: the main window hands it every
// button-event message (0x7EB) together with its in-memory blocks and the configuration window
// it knows, and the engine carries out the record's function on the calling (user-interface)
// thread. Macros hold that thread until they end; later events wait in the queue, in order.
#pragma once

#include <windows.h>

#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroSetting.h"
#include "monitor/actions/HorizontalScroll.h"
#include "monitor/actions/SystemPort.h"
#include "monitor/actions/win/PreciseClock.h"
#include "monitor/actions/win/Win32Input.h"
#include "monitor/actions/win/Win32ScrollPorts.h"
#include "monitor/actions/win/Win32SystemPort.h"

namespace k2q::monitor {

class ActionEngine {
  public:
    ActionEngine() = default;
    ActionEngine(const ActionEngine&) = delete;
    ActionEngine& operator=(const ActionEngine&) = delete;

    // The handler of 0x7EB: wParam is the event code. configWindow is the configuration
    // program's window from 0x602, or nullptr. Always returns 1.
    LRESULT OnButtonEvent(WPARAM eventCode, const ButtonSetting& buttons,
                          const MacroSetting& macros, HWND configWindow);

    // Sideways scrolling is carried out by this scroller (not owned; it must outlive the
    // engine); nullptr goes back to the start value, the scroller of the window under the
    // pointer.
    void SetHorizontalScroller(HorizontalScroller* scroller);

  private:
    Win32InputSink input_;
    Win32KeyboardLayout layout_;
    Win32SystemPort system_;
    PreciseClock clock_;
    Win32WindowInspector windows_;
    Win32WindowEffects windowEffects_;
    Win32BrowserDocument browser_;
    CHorizontalScroll foreignScroll_{windows_, windowEffects_, input_, browser_};
    HorizontalScroller* scroller_ = &foreignScroll_;
};

}  // namespace k2q::monitor
