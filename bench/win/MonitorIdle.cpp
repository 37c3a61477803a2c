// The monitor at rest, with no mouse attached: its CPU time, its private memory and how often
// it wakes up, beside an empty Win32 program measured at the same time under the same Wine.
// The shipped K2q_Mouse.exe gives the CPU and memory figures; its wake-ups are counted on the
// same main window hosted here with the production services, whose message loop can count.
// K2Q_IDLE_SECONDS shortens the default 60 s.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/Messages.h"
#include "common/win/Gdiplus.h"
#include "common/win/ModulePath.h"
#include "common/win/Win32Registry.h"
#include "common/settings/win/Win32SystemParameters.h"
#include "monitor/app/OsClass.h"
#include "monitor/app/win/PaintingClock.h"
#include "monitor/app/win/TavikMon.h"
#include "monitor/device/win/Win32DriverPort.h"
#include "support/Stats.h"
#include "support/win/Processes.h"

namespace {

using namespace k2q;

struct Figures {
    double cpuMs = -1;
    double privateKb = -1;  // resident anonymous memory: what the process itself allocated
};

std::string ReadSmallFile(const std::wstring& path) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string text(8192, '\0');
    DWORD got = 0;
    ::ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
    ::CloseHandle(file);
    text.resize(got);
    return text;
}

// Wine's own process counters of other processes read 0, so the figures come from the host's
// /proc (Wine maps the host's root to Z:): the process whose command line names the program.
Figures HostFigures(const std::string& program) {
    Figures figures;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) {
        return figures;
    }
    do {
        const std::wstring dir = std::wstring(L"Z:\\proc\\") + found.cFileName;
        if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') {
            continue;
        }
        std::string cmdline = ReadSmallFile(dir + L"\\cmdline");
        for (char& c : cmdline) {
            c = c == '\0' ? ' ' : c;
        }
        if (cmdline.find(program) == std::string::npos) {
            continue;
        }
        const std::string stat = ReadSmallFile(dir + L"\\stat");
        const std::size_t close = stat.rfind(')');
        unsigned long utime = 0, stime = 0;
        if (close != std::string::npos &&
            std::sscanf(stat.c_str() + close + 2,
                        "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime,
                        &stime) == 2) {
            figures.cpuMs = static_cast<double>(utime + stime) * 10.0;  // 100 ticks a second
        }
        const std::string status = ReadSmallFile(dir + L"\\status");
        const std::size_t rss = status.find("RssAnon:");
        if (rss != std::string::npos) {
            figures.privateKb = std::atof(status.c_str() + rss + 9);
        }
        break;
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return figures;
}

// Runs the monitor's main window here for the given time, counting the messages its loop gets.
long HostedMonitorMessages(int seconds) {
    win::GdiplusSession gdiplus;
    auto settings = std::make_unique<std::pair<ButtonSetting, MacroSetting>>();
    win::Win32Registry registry;
    monitor::Win32DriverPort port;
    monitor::MessageHold hold;
    monitor::PaintingClock clock(hold);
    monitor::MonitorServices services;
    services.registry = &registry;
    services.driverPort = &port;
    services.clock = &clock;
    services.hold = &hold;
    services.osClass = &monitor::GetOsClass;
    services.systemParameters = [](HWND window) -> std::unique_ptr<SystemParameters> {
        return std::make_unique<win::Win32SystemParameters>(window);
    };
    monitor::CTavikMon window(std::move(services), settings->first, settings->second);
    window.CreateHidden();
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    long messages = 0;
    for (;;) {
        const DWORD now = ::GetTickCount();
        if (static_cast<LONG>(end - now) <= 0) {
            break;
        }
        if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT) ==
            WAIT_OBJECT_0) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ++messages;
                ::DispatchMessageW(&msg);
            }
        }
    }
    return messages;
}

std::wstring Sibling(const wchar_t* file) { return win::ModuleFolder() + file; }

}  // namespace

int main() {
    const char* env = std::getenv("K2Q_IDLE_SECONDS");
    const int seconds = env ? std::max(5, std::atoi(env)) : 60;

    // The shipped monitor and the empty program run side by side for the same time.
    testing::ChildProcess shipped = testing::ChildProcess::Start(testing::DistPath(L"K2q_Mouse.exe"));
    const std::wstring empty = Sibling(L"bench_EmptyProgram.exe");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readOut = nullptr, writeOut = nullptr;
    ::CreatePipe(&readOut, &writeOut, &inherit, 0);
    ::SetHandleInformation(readOut, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{sizeof si};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeOut;
    si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION baseline{};
    std::wstring command = L"\"" + empty + L"\" " + std::to_wstring(seconds);
    ::CreateProcessW(empty.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                     &si, &baseline);
    ::CloseHandle(writeOut);

    // Meanwhile the hosted window counts its wake-ups; then both programs are sampled.
    const long hostedMessages = HostedMonitorMessages(seconds - 2);
    const Figures monitorFigures = HostFigures("K2q_Mouse.exe");
    const Figures emptyFigures = HostFigures("bench_EmptyProgram.exe");
    shipped.Kill();

    ::WaitForSingleObject(baseline.hProcess, 30'000);
    char output[256] = {};
    DWORD got = 0;
    ::ReadFile(readOut, output, sizeof output - 1, &got, nullptr);
    long emptyMessages = -1;
    std::sscanf(output, "messages %ld", &emptyMessages);
    ::CloseHandle(readOut);
    ::CloseHandle(baseline.hThread);
    ::CloseHandle(baseline.hProcess);

    std::printf("idle for %d s, no device\n", seconds);
    bench::PrintComparison("CPU time", monitorFigures.cpuMs, emptyFigures.cpuMs, "ms");
    bench::PrintComparison("private memory", monitorFigures.privateKb, emptyFigures.privateKb,
                           "KiB");
    bench::PrintComparison("messages handled per minute", hostedMessages * 60.0 / (seconds - 2),
                           emptyMessages * 60.0 / seconds, "");
    std::printf("targets: wake only for the retry timer (not armed without a device arrival); "
                "memory within 1.5x of the empty program\n");
    return 0;
}
