#include "monitor/app/win/TavikMon.h"

namespace k2q::monitor {

bool CTavikMon::CreateHidden() {
    CreateParams p;
    p.className = L"TavikK2qMonitorWindow";
    p.title = kMonitorWindowTitle;
    p.style = WS_POPUP;  // never shown
    p.x = 1;
    p.y = 1;
    p.width = 1;
    p.height = 1;
    return Create(p);
}

void CTavikMon::OnClose() { Destroy(); }

void CTavikMon::OnDestroy() {
    // Destroying the main window ends the program.
    ::PostQuitMessage(0);
}

}  // namespace k2q::monitor
