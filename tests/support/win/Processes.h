// Running the shipped programs from a Win32 test: start one from dist/, wait for a window of
// it, and make sure it is gone when the test ends.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

#include "common/win/UniqueHandle.h"

namespace k2q::testing {

// A path in the laid-out dist/ folder, as Wine sees it.
std::wstring DistPath(const wchar_t* file);

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(ChildProcess&&) = default;
    ChildProcess& operator=(ChildProcess&&) = default;
    ~ChildProcess();  // kills a process that is still running

    // Starts exe, with arguments after its quoted path when given.
    static ChildProcess Start(const std::wstring& exe, const std::wstring& arguments = {});

    bool running() const;
    // The exit code, or -1 when it did not end within the timeout.
    long Wait(std::chrono::milliseconds timeout);
    void Kill();
    HANDLE handle() const { return process_.get(); }
    DWORD id() const { return id_; }

private:
    win::UniqueKernelHandle process_;
    DWORD id_ = 0;
};

// Polls FindWindowW until the title appears; nullptr on timeout.
HWND WaitForWindow(const wchar_t* title, std::chrono::milliseconds timeout);
// Polls until no window has the title; false on timeout.
bool WaitForNoWindow(const wchar_t* title, std::chrono::milliseconds timeout);

}  // namespace k2q::testing
