// The baseline of the idle benchmark: an empty Win32 program with a hidden window and a message
// loop. Run with a number of seconds, it idles that long and prints how many messages it
// handled; without one it only says what it is for.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr UINT_PTR kEndTimer = 1;

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kEndTimer) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("the idle baseline of bench_MonitorIdle; run it with a number of seconds\n");
        return 0;
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"K2qEmptyProgram";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    ::SetTimer(hwnd, kEndTimer, static_cast<UINT>(std::atoi(argv[1]) * 1000), nullptr);
    long messages = 0;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ++messages;
        ::DispatchMessageW(&msg);
    }
    std::printf("messages %ld\n", messages - 1);  // less the timer that ends the run
    std::fflush(stdout);
    return 0;
}
