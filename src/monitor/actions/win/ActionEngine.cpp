#include "monitor/actions/win/ActionEngine.h"

#include "monitor/actions/ButtonEvent.h"

namespace k2q::monitor {

LRESULT ActionEngine::OnButtonEvent(WPARAM eventCode, const ButtonSetting& buttons,
                                    const MacroSetting& macros, HWND configWindow) {
    const ActionPorts ports{input_, layout_, system_, clock_, *scroller_};
    const MonitorState monitor{buttons, macros, reinterpret_cast<WindowRef>(configWindow)};
    return HandleButtonEvent(eventCode, monitor, ports);
}

void ActionEngine::SetHorizontalScroller(HorizontalScroller* scroller) {
    scroller_ = scroller ? scroller : &foreignScroll_;
}

}  // namespace k2q::monitor
