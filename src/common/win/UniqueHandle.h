// Move-only owners for every kind of Win32 handle. Borrowed handles stay raw; anything that
// must be released goes into one of these, so no path forgets it and none releases it twice.
#pragma once

#include <windows.h>

#include <utility>

namespace k2q::win {

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }

    Handle release() { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle h = Traits::Invalid()) {
        Handle old = std::exchange(handle_, h);
        if (Traits::IsValid(old)) {
            Traits::Close(old);
        }
    }

private:
    Handle handle_ = Traits::Invalid();
};

template <class H, auto CloseFn>
struct NullInvalidTraits {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { CloseFn(h); }
};

// Kernel handles that use nullptr for "none" (threads, events, semaphores, mutexes).
using UniqueKernelHandle = UniqueHandle<NullInvalidTraits<HANDLE, ::CloseHandle>>;

// File and device handles, which use INVALID_HANDLE_VALUE for "none".
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

inline void CloseRegistryKey(HKEY key) { ::RegCloseKey(key); }
inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void DeleteMemoryDc(HDC dc) { ::DeleteDC(dc); }

using UniqueKey = UniqueHandle<NullInvalidTraits<HKEY, CloseRegistryKey>>;
using UniqueFont = UniqueHandle<NullInvalidTraits<HFONT, DeleteGdiObject>>;
using UniqueBrush = UniqueHandle<NullInvalidTraits<HBRUSH, DeleteGdiObject>>;
using UniquePen = UniqueHandle<NullInvalidTraits<HPEN, DeleteGdiObject>>;
using UniqueBitmap = UniqueHandle<NullInvalidTraits<HBITMAP, DeleteGdiObject>>;
using UniqueRegion = UniqueHandle<NullInvalidTraits<HRGN, DeleteGdiObject>>;
using UniqueDc = UniqueHandle<NullInvalidTraits<HDC, DeleteMemoryDc>>;
using UniqueIcon = UniqueHandle<NullInvalidTraits<HICON, ::DestroyIcon>>;
using UniqueCursor = UniqueHandle<NullInvalidTraits<HCURSOR, ::DestroyCursor>>;
using UniqueMenu = UniqueHandle<NullInvalidTraits<HMENU, ::DestroyMenu>>;
using UniqueHook = UniqueHandle<NullInvalidTraits<HHOOK, ::UnhookWindowsHookEx>>;
using UniqueModule = UniqueHandle<NullInvalidTraits<HMODULE, ::FreeLibrary>>;
// A window this code created and nothing else destroys (a tool tip, a helper popup).
using UniqueWindow = UniqueHandle<NullInvalidTraits<HWND, ::DestroyWindow>>;

}  // namespace k2q::win
