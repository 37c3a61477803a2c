#include "common/settings/SettingsStore.h"

#include <cstring>
#include <memory>

#include "common/settings/SystemMouseParams.h"

namespace k2q {
namespace {

bool IsCompleteBinary(const RegistryRead& read) {
    return read.status == RegistryStatus::Ok && read.type == kRegBinary;
}

void SetMacroDefaults(MacroSetting& macros) {
    std::memset(&macros, 0, sizeof macros);
}

void SetButtonDefaultsFromSystem(Registry& registry, ButtonSetting& buttons) {
    SetButtonDefaults(buttons);
    ReadSystemMouseParams(registry, buttons);
}

bool WriteButtons(RegistryKey* key, const ButtonSetting& buttons) {
    return key && key->Set(kButtonSettingValue, kRegBinary, &buttons, sizeof buttons);
}

bool WriteMacros(RegistryKey* key, const MacroSetting& macros) {
    return key && key->Set(kMacroSettingValue, kRegBinary, &macros, sizeof macros);
}

}  // namespace

void LoadOrCreateStore(Registry& registry, ButtonSetting& buttons, MacroSetting& macros) {
    std::unique_ptr<RegistryKey> key = registry.Open(kStoreKey);
    if (!key) {
        // Without a key (creation can fail too) the defaults still hold in memory.
        key = registry.Create(kStoreKey);
        SetButtonDefaultsFromSystem(registry, buttons);
        WriteButtons(key.get(), buttons);
        SetMacroDefaults(macros);
        WriteMacros(key.get(), macros);
        return;
    }
    // A failed read may leave the buffer undefined; the defaults overwrite all of it.
    if (!IsCompleteBinary(key->Query(kButtonSettingValue, &buttons, sizeof buttons))) {
        SetButtonDefaultsFromSystem(registry, buttons);
        WriteButtons(key.get(), buttons);
    }
    if (!IsCompleteBinary(key->Query(kMacroSettingValue, &macros, sizeof macros))) {
        SetMacroDefaults(macros);
        WriteMacros(key.get(), macros);
    }
}

StoreReload ReloadStore(Registry& registry, ButtonSetting& buttons, MacroSetting& macros) {
    StoreReload result;
    std::unique_ptr<RegistryKey> key = registry.Open(kStoreKey);
    if (!key) {
        return result;
    }
    result.keyOpened = true;

    // Read into copies of the current blocks: a short value still keeps the rest, and a
    // rejected read (its buffer undefined, or bytes of another type) touches nothing.
    ButtonSetting newButtons = buttons;
    if (IsCompleteBinary(key->Query(kButtonSettingValue, &newButtons, sizeof newButtons))) {
        buttons = newButtons;
        result.buttons = true;
    }
    auto newMacros = std::make_unique<MacroSetting>(macros);  // 213 KB: not on the stack
    if (IsCompleteBinary(key->Query(kMacroSettingValue, newMacros.get(), sizeof *newMacros))) {
        macros = *newMacros;
        result.macros = true;
    }
    return result;
}

bool WriteStore(Registry& registry, const ButtonSetting& buttons, const MacroSetting& macros) {
    std::unique_ptr<RegistryKey> key = registry.Open(kStoreKey);
    if (!key) {
        key = registry.Create(kStoreKey);
    }
    const bool wroteButtons = WriteButtons(key.get(), buttons);
    const bool wroteMacros = WriteMacros(key.get(), macros);
    return wroteButtons && wroteMacros;
}

bool WriteMacroValue(Registry& registry, const MacroSetting& macros) {
    std::unique_ptr<RegistryKey> key = registry.Open(kStoreKey);
    return WriteMacros(key.get(), macros);
}

bool RewriteButtonValue(Registry& registry, const std::function<void(ButtonSetting&)>& change) {
    std::unique_ptr<RegistryKey> key = registry.Open(kStoreKey);
    ButtonSetting buttons{};
    if (!key) {
        return false;
    }
    // A short value would come back padded with zeros: only a whole block is rewritten.
    const RegistryRead read = key->Query(kButtonSettingValue, &buttons, sizeof buttons);
    if (!IsCompleteBinary(read) || read.size != sizeof buttons) {
        return false;
    }
    change(buttons);
    return WriteButtons(key.get(), buttons);
}

}  // namespace k2q
