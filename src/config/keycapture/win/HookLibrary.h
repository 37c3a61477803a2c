// KbSnare.dll as the windows that read the keyboard through it (the combination-key dialog,
// the macro editor) hold it: loaded from the program's own folder by its full path, never
// through the search path, with each of its three entry points called only where found. A
// missing library or entry point is not an error: the calls are skipped and no key arrives.
#pragma once

#include <windows.h>

#include <string>

#include "common/win/UniqueHandle.h"

namespace k2q::config::win {

class HookLibrary {
  public:
    // Loads "KbSnare.dll" from the running program's folder.
    HookLibrary();
    // Loads it from the given folder (a full path ending in a backslash); anything that is
    // not an absolute folder loads nothing.
    explicit HookLibrary(const std::wstring& folder);
    // Switches delivery off and removes the hook (each where found), then frees the library.
    ~HookLibrary();
    HookLibrary(const HookLibrary&) = delete;
    HookLibrary& operator=(const HookLibrary&) = delete;

    // installhook: the window that is to receive WM_HOOK_KEY.
    void Install(HWND window) const;
    // SetHookStatus: start (true) or stop delivering.
    void SetStatus(bool on) const;

    bool loaded() const { return static_cast<bool>(module_); }
    // Whether delivery can be switched at all (the macro editor cannot record without it).
    bool canSwitch() const { return setStatus_ != nullptr; }

  private:
    using InstallFn = void(HWND);
    using SetStatusFn = void(int);
    using RemoveFn = void();

    k2q::win::UniqueModule module_;
    InstallFn* install_ = nullptr;
    SetStatusFn* setStatus_ = nullptr;
    RemoveFn* remove_ = nullptr;
};

}  // namespace k2q::config::win
