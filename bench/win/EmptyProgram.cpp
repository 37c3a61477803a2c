// The baseline of the idle and memory benchmarks: an empty Win32 program with a hidden window and
// a message loop. Run with a number of seconds, it idles that long and prints how many messages
// it handled; without one it only says what it is for.
//
// Given also a program and a number of threads, it first makes itself like that program at
// rest without doing its work: it loads every library the program imports, starts GDI+ when
// the program uses it (GDI+ keeps a thread of its own), and adds idle threads until it has as
// many as the host counts in the program. What the program's memory is above this baseline is
// then its own.
//   bench_EmptyProgram <seconds> [<program.exe> <threads>]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "HostProcess.h"

namespace {

constexpr UINT_PTR kEndTimer = 1;

LRESULT CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kEndTimer) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

// The names of the libraries a program imports, read from its import table.
std::vector<std::string> ImportedLibraries(const wchar_t* program) {
    std::vector<std::string> names;
    HMODULE image = ::LoadLibraryExW(program, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (!image) {
        return names;
    }
    auto* base = reinterpret_cast<const BYTE*>(image);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress != 0) {
        for (auto* entry =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             entry->Name != 0; ++entry) {
            names.emplace_back(reinterpret_cast<const char*>(base + entry->Name));
        }
    }
    ::FreeLibrary(image);
    return names;
}

// GDI+ is started through its exported entry point, so that this program imports nothing the
// program it stands for does not.
void StartGdiplus(HMODULE gdiplus) {
    struct StartupInput {
        UINT32 version = 1;
        void* debugCallback = nullptr;
        BOOL suppressBackgroundThread = FALSE;
        BOOL suppressExternalCodecs = FALSE;
    } input;
    using Startup = int(WINAPI*)(ULONG_PTR*, const StartupInput*, void*);
    if (auto start = reinterpret_cast<Startup>(
            reinterpret_cast<void (*)()>(::GetProcAddress(gdiplus, "GdiplusStartup")))) {
        ULONG_PTR token = 0;
        start(&token, &input, nullptr);
    }
}

DWORD WINAPI IdleThread(void*) {
    ::Sleep(INFINITE);
    return 0;
}

void BecomeLike(const wchar_t* program, int threads) {
    for (const std::string& name : ImportedLibraries(program)) {
        HMODULE library = ::LoadLibraryA(name.c_str());
        if (library && _stricmp(name.c_str(), "gdiplus.dll") == 0) {
            StartGdiplus(library);
        }
    }
    const int own = k2q::bench::ReadHostFigures(k2q::bench::OwnPath()).threads;
    for (int i = own; own > 0 && i < threads; ++i) {
        ::CloseHandle(::CreateThread(nullptr, 0, &IdleThread, nullptr, 0, nullptr));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf(
            "the baseline of the idle and memory benchmarks; run it with a number of "
            "seconds\n");
        return 0;
    }
    if (argc >= 4) {
        const std::string program = argv[2];
        BecomeLike(std::wstring(program.begin(), program.end()).c_str(), std::atoi(argv[3]));
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Procedure;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"K2qEmptyProgram";
    ::RegisterClassW(&wc);
    HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  wc.hInstance, nullptr);
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
