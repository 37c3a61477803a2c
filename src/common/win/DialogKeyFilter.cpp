#include "common/win/DialogKeyFilter.h"

#include <algorithm>
#include <vector>

#include "common/win/UniqueHandle.h"

namespace k2q::win {
namespace {

// One hook per thread serves every filtered window of that thread; a hook procedure carries
// no context, so the windows are listed here. User-interface thread only.
thread_local std::vector<HWND> t_roots;
thread_local UniqueHook t_hook;

LRESULT CALLBACK FilterProc(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == MSGF_DIALOGBOX && lParam) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        for (HWND root : t_roots) {
            if (DialogKeyFilter::Swallows(root, msg)) {
                return TRUE;
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

DialogKeyFilter::DialogKeyFilter(HWND root) : root_(root) {
    if (t_roots.empty()) {
        t_hook.reset(
            ::SetWindowsHookExW(WH_MSGFILTER, &FilterProc, nullptr, ::GetCurrentThreadId()));
    }
    t_roots.push_back(root_);
}

DialogKeyFilter::~DialogKeyFilter() {
    t_roots.erase(std::find(t_roots.begin(), t_roots.end(), root_));
    if (t_roots.empty()) {
        t_hook.reset();
    }
}

bool DialogKeyFilter::Swallows(HWND root, const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP) {
        return false;
    }
    if (msg.wParam != VK_RETURN && msg.wParam != VK_ESCAPE) {
        return false;
    }
    return msg.hwnd == root || ::IsChild(root, msg.hwnd);
}

}  // namespace k2q::win
