// The monitor's hidden main window. The configuration program finds it by its title and talks
// to it only with posted messages.
#pragma once

#include "common/win/Window.h"

namespace k2q::monitor {

inline constexpr wchar_t kMonitorWindowTitle[] = L"TavikK2qGamingMouseMon";

class CTavikMon : public win::Window {
public:
    bool CreateHidden();

protected:
    void OnClose() override;
    void OnDestroy() override;
};

}  // namespace k2q::monitor
