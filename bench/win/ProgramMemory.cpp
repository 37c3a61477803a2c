// The private memory of the shipped programs at rest, each beside an empty program made like it
// in the same run: the same imported libraries loaded, GDI+ started and as many threads
// (bench_EmptyProgram with a program to stand for). The monitor runs with no mouse attached;
// the configuration program shows its main dialog. The difference is what each program's own
// code, data, pictures and windows cost.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "HostProcess.h"
#include "common/Messages.h"
#include "common/win/ModulePath.h"
#include "support/Stats.h"
#include "support/win/Processes.h"

namespace {

using namespace std::chrono_literals;
using namespace k2q;

// The configuration program's main dialog, titled with the shipped language file's "tc_title".
constexpr wchar_t kConfigTitle[] = L"K2q Gaming Mouse";
constexpr int kSettleMs = 3000;

// Runs the empty program made like `program` (with its thread count) and reads its figures.
bench::HostFigures Baseline(const std::wstring& program, int threads) {
    const std::wstring empty = win::ModuleFolder() + L"bench_EmptyProgram.exe";
    std::wstring command =
        L"\"" + empty + L"\" 10 \"" + program + L"\" " + std::to_wstring(threads);
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(empty.c_str(), command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                          nullptr, nullptr, &si, &pi)) {
        return {};
    }
    ::Sleep(kSettleMs);
    const bench::HostFigures figures = bench::ReadHostFigures(empty);
    ::TerminateProcess(pi.hProcess, 0);
    ::WaitForSingleObject(pi.hProcess, 5000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return figures;
}

void Report(const char* name, const bench::HostFigures& program, const std::wstring& path) {
    if (program.privateKb < 0) {
        std::printf("%-40s not running\n", name);
        return;
    }
    const bench::HostFigures baseline = Baseline(path, program.threads);
    bench::PrintComparison(std::string(name) + " private memory", program.privateKb,
                           baseline.privateKb, "KiB");
    std::printf("%-40s %d threads (baseline %d), %.0f KiB of its own\n", "", program.threads,
                baseline.threads, program.privateKb - baseline.privateKb);
}

}  // namespace

int main() {
    const std::wstring monitorPath = testing::DistPath(L"K2q_Mouse.exe");
    const std::wstring configPath = testing::DistPath(L"K2q_Config.exe");
    testing::ChildProcess monitor = testing::ChildProcess::Start(monitorPath);
    if (!testing::WaitForWindow(kMonitorWindowTitle, 20s)) {
        std::printf("the monitor did not start\n");
        return 1;
    }
    testing::ChildProcess config;
    if (::GetFileAttributesW(configPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        config = testing::ChildProcess::Start(configPath);
        testing::WaitForWindow(kConfigTitle, 20s);
    }
    ::Sleep(kSettleMs);
    const bench::HostFigures monitorFigures = bench::ReadHostFigures(monitorPath);
    const bench::HostFigures configFigures = bench::ReadHostFigures(configPath);

    std::printf(
        "at rest, no device; baselines: empty programs with the same libraries, GDI+ and "
        "threads\n");
    Report("K2q_Mouse.exe", monitorFigures, monitorPath);
    if (config.handle()) {
        Report("K2q_Config.exe (main dialog open)", configFigures, configPath);
    }
    // The monitor closes the configuration program as it ends.
    ::PostMessageW(::FindWindowW(nullptr, kMonitorWindowTitle), WM_CLOSE, 0, 0);
    monitor.Wait(10s);
    config.Wait(10s);
    return 0;
}
