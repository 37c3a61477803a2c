// K2q_Mouse.exe: the background monitor. One instance per session, a hidden main window, and a
// message loop that runs until that window is destroyed.
#include <windows.h>

#include "common/win/UniqueHandle.h"
#include "monitor/app/win/TavikMon.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    k2q::win::UniqueKernelHandle mutex(::CreateMutexW(nullptr, FALSE, L"TAVIKK2q_K2qMON_MUTEX"));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        return 0;  // another monitor is running: leave without a word
    }
    k2q::monitor::CTavikMon monitor;
    if (!monitor.CreateHidden()) {
        return 1;
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
