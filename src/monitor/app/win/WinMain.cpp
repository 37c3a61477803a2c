// K2q_Mouse.exe: the background monitor.
#include <windows.h>

#include "monitor/app/win/MouseApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    k2q::monitor::CK2Q_MouseApp app;
    return app.Run();
}
