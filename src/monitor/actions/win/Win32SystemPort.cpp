#include "monitor/actions/win/Win32SystemPort.h"

#include <windows.h>

#include "common/win/OptionalApi.h"
#include "monitor/app/OsClass.h"

namespace k2q::monitor {
namespace {

HWND AsWindow(WindowRef window) {
    return reinterpret_cast<HWND>(window);
}
WindowRef AsRef(HWND window) {
    return reinterpret_cast<WindowRef>(window);
}

// The redirection switches exist only on systems with Wow64, so they are looked up by name.
using DisableRedirectionFn = BOOL WINAPI(PVOID*);
using RevertRedirectionFn = BOOL WINAPI(PVOID);
constexpr wchar_t kKernel32[] = L"Kernel32.dll";

}  // namespace

int Win32SystemPort::OsClass() {
    return GetOsClass();
}

std::uint16_t Win32SystemPort::NativeArchitecture() {
    SYSTEM_INFO info{};
    ::GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture;
}

void Win32SystemPort::LockWorkStation() {
    ::LockWorkStation();
}

FsRedirection Win32SystemPort::DisableFsRedirection() {
    const win::OptionalFunction<DisableRedirectionFn> disable(kKernel32,
                                                              "Wow64DisableWow64FsRedirection");
    FsRedirection result;
    if (!disable) {
        return result;
    }
    result.available = true;
    PVOID old = nullptr;
    result.disabled = disable.get()(&old) != FALSE;
    result.oldValue = reinterpret_cast<std::uintptr_t>(old);
    return result;
}

void Win32SystemPort::RevertFsRedirection(std::uintptr_t oldValue) {
    const win::OptionalFunction<RevertRedirectionFn> revert(kKernel32,
                                                            "Wow64RevertWow64FsRedirection");
    if (revert) {
        revert.get()(reinterpret_cast<PVOID>(oldValue));
    }
}

WindowRef Win32SystemPort::ForegroundWindow() {
    return AsRef(::GetForegroundWindow());
}

WindowRef Win32SystemPort::DesktopWindow() {
    return AsRef(::GetDesktopWindow());
}

std::uint32_t Win32SystemPort::WindowStyle(WindowRef window) {
    return static_cast<std::uint32_t>(::GetWindowLongW(AsWindow(window), GWL_STYLE));
}

void Win32SystemPort::SendSystemCommand(WindowRef window, std::uint32_t command) {
    ::SendMessageW(AsWindow(window), WM_SYSCOMMAND, command, 0);
}

void Win32SystemPort::PostWindowMessage(WindowRef window, std::uint32_t message,
                                        std::uintptr_t wParam, std::intptr_t lParam) {
    ::PostMessageW(AsWindow(window), message, wParam, lParam);
}

}  // namespace k2q::monitor
