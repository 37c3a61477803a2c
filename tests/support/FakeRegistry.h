// An in-memory registry with the same read rules as the real one (a too-small buffer fails
// with "more data", a shorter value fills only its bytes), that can be told to refuse opening
// or creating keys, and that counts every write.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/platform/Registry.h"
#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroSetting.h"

namespace k2q::testing {

class FakeRegistry : public Registry {
  public:
    struct Value {
        std::uint32_t type = kRegBinary;
        std::vector<std::uint8_t> bytes;
    };
    using Key = std::map<std::u16string, Value>;

    std::unique_ptr<RegistryKey> Open(std::u16string_view path) override;
    std::unique_ptr<RegistryKey> Create(std::u16string_view path) override;

    // Test side.
    std::map<std::u16string, Key> keys;
    bool failOpen = false;
    bool failCreate = false;
    bool failSet = false;
    int writes = 0;
    std::set<std::u16string> writtenKeys;  // every key a value was written to

    void SetString(std::u16string_view path, std::u16string_view name, std::u16string_view text,
                   std::uint32_t type = kRegSz);
    void SetBytes(std::u16string_view path, std::u16string_view name,
                  std::vector<std::uint8_t> bytes, std::uint32_t type = kRegBinary);
    const Value* Find(std::u16string_view path, std::u16string_view name) const;
    // The Control Panel mouse and wheel values of a fresh Windows profile, as strings:
    // speed "10", double click "500", acceleration "1", "6", "10", wheel lines "3".
    void SeedFreshControlPanel();
    // Both blocks of the settings store, as a program last wrote them.
    void SeedStore(const ButtonSetting& buttons, const MacroSetting& macros);
};

}  // namespace k2q::testing
