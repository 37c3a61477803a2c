// System functions that may be missing (WtsApi32, OLEACC, Wow64 redirection) are looked up at
// run time, each checked for absence, through this one helper.
#pragma once

#include <windows.h>

#include "common/win/UniqueHandle.h"

namespace k2q::win {

// One function of a library, loaded with the library and released with it.
template <class Fn>
class OptionalFunction {
public:
    OptionalFunction(const wchar_t* library, const char* name)
        : module_(::LoadLibraryW(library)) {
        if (module_) {
            fn_ = reinterpret_cast<Fn*>(reinterpret_cast<void*>(::GetProcAddress(module_.get(), name)));
        }
    }
    explicit operator bool() const { return fn_ != nullptr; }
    Fn* get() const { return fn_; }

private:
    UniqueModule module_;
    Fn* fn_ = nullptr;
};

}  // namespace k2q::win
