#include "config/keycapture/win/HookLibrary.h"

#include <shlwapi.h>

#include "common/win/ModulePath.h"

namespace k2q::config::win {
namespace {

template <class Fn>
Fn* EntryPoint(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn*>(reinterpret_cast<void*>(::GetProcAddress(module, name)))
                  : nullptr;
}

}  // namespace

HookLibrary::HookLibrary() : HookLibrary(k2q::win::ModuleFolder()) {}

HookLibrary::HookLibrary(const std::wstring& folder) {
    // A relative or empty folder would hand the bare name to the loader's search, which could
    // pick up a planted library from the current directory.
    if (folder.empty() || ::PathIsRelativeW(folder.c_str())) {
        return;
    }
    module_.reset(::LoadLibraryW((folder + L"KbSnare.dll").c_str()));
    install_ = EntryPoint<InstallFn>(module_.get(), "installhook");
    setStatus_ = EntryPoint<SetStatusFn>(module_.get(), "SetHookStatus");
    remove_ = EntryPoint<RemoveFn>(module_.get(), "removehook");
}

HookLibrary::~HookLibrary() {
    SetStatus(false);
    if (remove_) {
        remove_();
    }
}

void HookLibrary::Install(HWND window) const {
    if (install_) {
        install_(window);
    }
}

void HookLibrary::SetStatus(bool on) const {
    if (setStatus_) {
        setStatus_(on ? 1 : 0);
    }
}

}  // namespace k2q::config::win
