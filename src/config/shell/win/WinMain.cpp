// K2q_Config.exe: the configuration program.
#include <windows.h>

#include "config/shell/win/ConfigApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    k2q::config::win::CK2Q_ConfigApp app;
    return app.Run();
}
