#include "support/FakeRegistry.h"

#include "common/settings/SettingsStore.h"
#include "common/settings/SystemMouseParams.h"
#include "support/Bytes.h"

#include <algorithm>
#include <cstring>

namespace k2q::testing {
namespace {

class FakeKey : public RegistryKey {
  public:
    FakeKey(FakeRegistry& owner, std::u16string path) : owner_(owner), path_(std::move(path)) {}

    RegistryRead Query(std::u16string_view name, void* buffer, std::size_t capacity) override {
        RegistryRead read;
        auto key = owner_.keys.find(path_);
        if (key == owner_.keys.end()) {
            read.status = RegistryStatus::Failed;  // deleted while open
            return read;
        }
        auto value = key->second.find(std::u16string(name));
        if (value == key->second.end()) {
            read.status = RegistryStatus::NotFound;
            return read;
        }
        read.type = value->second.type;
        read.size = value->second.bytes.size();
        if (read.size > capacity) {
            read.status = RegistryStatus::MoreData;
            return read;
        }
        if (read.size) {
            std::memcpy(buffer, value->second.bytes.data(), read.size);
        }
        read.status = RegistryStatus::Ok;
        return read;
    }

    bool Set(std::u16string_view name, std::uint32_t type, const void* data,
             std::size_t size) override {
        auto key = owner_.keys.find(path_);
        if (owner_.failSet || key == owner_.keys.end()) {
            return false;
        }
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        key->second[std::u16string(name)] = {type, {bytes, bytes + size}};
        ++owner_.writes;
        owner_.writtenKeys.insert(path_);
        return true;
    }

  private:
    FakeRegistry& owner_;
    std::u16string path_;
};

}  // namespace

std::unique_ptr<RegistryKey> FakeRegistry::Open(std::u16string_view path) {
    if (failOpen || !keys.contains(std::u16string(path))) {
        return nullptr;
    }
    return std::make_unique<FakeKey>(*this, std::u16string(path));
}

std::unique_ptr<RegistryKey> FakeRegistry::Create(std::u16string_view path) {
    if (failCreate) {
        return nullptr;
    }
    keys.try_emplace(std::u16string(path));
    return std::make_unique<FakeKey>(*this, std::u16string(path));
}

void FakeRegistry::SetString(std::u16string_view path, std::u16string_view name,
                             std::u16string_view text, std::uint32_t type) {
    std::vector<std::uint8_t> bytes((text.size() + 1) * 2, 0);
    std::memcpy(bytes.data(), text.data(), text.size() * 2);
    SetBytes(path, name, std::move(bytes), type);
}

void FakeRegistry::SetBytes(std::u16string_view path, std::u16string_view name,
                            std::vector<std::uint8_t> bytes, std::uint32_t type) {
    keys[std::u16string(path)][std::u16string(name)] = {type, std::move(bytes)};
}

const FakeRegistry::Value* FakeRegistry::Find(std::u16string_view path,
                                              std::u16string_view name) const {
    auto key = keys.find(std::u16string(path));
    if (key == keys.end()) {
        return nullptr;
    }
    auto value = key->second.find(std::u16string(name));
    return value == key->second.end() ? nullptr : &value->second;
}

void FakeRegistry::SeedFreshControlPanel() {
    SetString(kMouseKey, u"MouseSensitivity", u"10");
    SetString(kMouseKey, u"DoubleClickSpeed", u"500");
    SetString(kMouseKey, u"MouseSpeed", u"1");
    SetString(kMouseKey, u"MouseThreshold1", u"6");
    SetString(kMouseKey, u"MouseThreshold2", u"10");
    SetString(kDesktopKey, u"WheelScrollLines", u"3");
}

void FakeRegistry::SeedStore(const ButtonSetting& buttons, const MacroSetting& macros) {
    SetBytes(kStoreKey, kButtonSettingValue, BytesOf(buttons));
    SetBytes(kStoreKey, kMacroSettingValue, BytesOf(macros));
}

}  // namespace k2q::testing
