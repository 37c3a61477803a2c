// The registry seam over the real HKEY_CURRENT_USER.
#pragma once

#include "common/platform/Registry.h"

namespace k2q::win {

class Win32Registry final : public Registry {
public:
    std::unique_ptr<RegistryKey> Open(std::u16string_view path) override;
    std::unique_ptr<RegistryKey> Create(std::u16string_view path) override;
};

}  // namespace k2q::win
