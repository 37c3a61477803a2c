// A registry value as it is stored, read with the plain API, so tests check what the programs
// wrote without going through the code under test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace k2q::testing {

struct RawValue {
    DWORD type = 0;
    std::vector<std::uint8_t> bytes;
};

// The value under HKEY_CURRENT_USER, or nothing when the key or the value is missing.
inline std::optional<RawValue> ReadRaw(const wchar_t* key, const wchar_t* name) {
    HKEY h = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &h) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RawValue value;
    DWORD size = 0;
    LONG rc = ::RegQueryValueExW(h, name, nullptr, &value.type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        value.bytes.resize(size);
        rc = ::RegQueryValueExW(h, name, nullptr, &value.type, value.bytes.data(), &size);
    }
    ::RegCloseKey(h);
    if (rc != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

}  // namespace k2q::testing
