#include "monitor/app/win/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>

#include "common/Messages.h"

namespace k2q::monitor {

bool AddTrayIcon(HWND window, std::wstring_view tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;  // the full structure of this platform
    data.hWnd = window;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    const std::size_t n = std::min<std::size_t>(tip.size(), std::size(data.szTip) - 1);
    std::copy_n(tip.data(), n, data.szTip);
    return ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
}

void RemoveTrayIcon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = kTrayIconId;
    ::Shell_NotifyIconW(NIM_DELETE, &data);
}

}  // namespace k2q::monitor
