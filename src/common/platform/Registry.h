// The current user's registry as a seam. The operations mirror the Win32 calls closely
// (fixed-capacity reads that report the stored type and size, a too-small buffer failing with
// "more data"), because the store's rules are written in terms of exactly those results.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace k2q {

// Value types, numbered as the system numbers them.
enum RegistryType : std::uint32_t {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiSz = 7,
};

enum class RegistryStatus {
    Ok,
    NotFound,
    MoreData,  // the value is longer than the buffer; the buffer's contents are undefined
    Failed,
};

struct RegistryRead {
    RegistryStatus status = RegistryStatus::Failed;
    std::uint32_t type = kRegNone;
    std::size_t size = 0;  // bytes the value holds (also when it did not fit)
};

class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // Reads a value into buffer; a shorter value fills only its own bytes.
    virtual RegistryRead Query(std::u16string_view name, void* buffer, std::size_t capacity) = 0;
    virtual bool Set(std::u16string_view name, std::uint32_t type, const void* data,
                     std::size_t size) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;
    // Opens a key below HKEY_CURRENT_USER for reading and writing values; nullptr when absent.
    virtual std::unique_ptr<RegistryKey> Open(std::u16string_view path) = 0;
    // Opens the key, creating it (and its parents) when missing; nullptr on failure.
    virtual std::unique_ptr<RegistryKey> Create(std::u16string_view path) = 0;
};

}  // namespace k2q
