#include "common/win/Win32Registry.h"

#include <windows.h>

#include "common/win/Text.h"
#include "common/win/UniqueHandle.h"

namespace k2q::win {
namespace {

// Read, set value and create subkey (0x2001F): the rights both programs open their keys with.
constexpr REGSAM kAccess = KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

class Win32RegistryKey final : public RegistryKey {
public:
    explicit Win32RegistryKey(HKEY key) : key_(key) {}

    RegistryRead Query(std::u16string_view name, void* buffer, std::size_t capacity) override {
        const std::wstring n = ToWide(name);
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(capacity);
        const LONG rc = ::RegQueryValueExW(key_.get(), n.c_str(), nullptr, &type,
                                           static_cast<BYTE*>(buffer), &size);
        RegistryRead read;
        read.type = type;
        read.size = size;
        switch (rc) {
            case ERROR_SUCCESS:
                read.status = RegistryStatus::Ok;
                break;
            case ERROR_FILE_NOT_FOUND:
                read.status = RegistryStatus::NotFound;
                break;
            case ERROR_MORE_DATA:
                read.status = RegistryStatus::MoreData;
                break;
            default:
                read.status = RegistryStatus::Failed;
                break;
        }
        return read;
    }

    bool Set(std::u16string_view name, std::uint32_t type, const void* data,
             std::size_t size) override {
        const std::wstring n = ToWide(name);
        return ::RegSetValueExW(key_.get(), n.c_str(), 0, type, static_cast<const BYTE*>(data),
                                static_cast<DWORD>(size)) == ERROR_SUCCESS;
    }

private:
    UniqueKey key_;
};

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::Open(std::u16string_view path) {
    const std::wstring p = ToWide(path);
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, p.c_str(), 0, kAccess, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32RegistryKey>(key);
}

std::unique_ptr<RegistryKey> Win32Registry::Create(std::u16string_view path) {
    const std::wstring p = ToWide(path);
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, p.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          kAccess, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return std::make_unique<Win32RegistryKey>(key);
}

}  // namespace k2q::win
