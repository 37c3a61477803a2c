#include "support/win/Processes.h"

#include <thread>

namespace k2q::testing {

std::wstring DistPath(const wchar_t* file) {
    // K2Q_DIST_DIR is a Unix path; Wine maps the Unix root to drive Z:.
    std::wstring path = L"Z:";
    for (const char* p = K2Q_DIST_DIR; *p; ++p) {
        path += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    }
    path += L'\\';
    path += file;
    return path;
}

ChildProcess::~ChildProcess() { Kill(); }

ChildProcess ChildProcess::Start(const std::wstring& exe, const std::wstring& arguments) {
    ChildProcess child;
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + exe + L"\"";
    if (!arguments.empty()) {
        command += L" " + arguments;
    }
    if (::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         nullptr, &si, &pi)) {
        ::CloseHandle(pi.hThread);
        child.process_.reset(pi.hProcess);
        child.id_ = pi.dwProcessId;
    }
    return child;
}

bool ChildProcess::running() const {
    return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

long ChildProcess::Wait(std::chrono::milliseconds timeout) {
    if (!process_ ||
        ::WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    return static_cast<long>(code);
}

void ChildProcess::Kill() {
    if (running()) {
        ::TerminateProcess(process_.get(), 99);
        ::WaitForSingleObject(process_.get(), 5000);
    }
}

HWND WaitForWindow(const wchar_t* title, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (HWND hwnd = ::FindWindowW(nullptr, title)) {
            return hwnd;
        }
        if (std::chrono::steady_clock::now() > end) {
            return nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool WaitForNoWindow(const wchar_t* title, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (::FindWindowW(nullptr, title)) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace k2q::testing
