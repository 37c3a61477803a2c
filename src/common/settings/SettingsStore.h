// The settings store: the two blocks as REG_BINARY values under one key of the current user,
// shared by both programs. Reads go straight into the caller's fixed buffers with a capacity of
// exactly the block size, so a longer value can never spill past a block; a shorter one
// replaces only the start of it.
#pragma once

#include <functional>

#include "common/platform/Registry.h"
#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroSetting.h"

namespace k2q {

inline constexpr char16_t kStoreKey[] = u"Software\\Tavik\\K2q";
inline constexpr char16_t kButtonSettingValue[] = u"ButtonSetting";
inline constexpr char16_t kMacroSettingValue[] = u"MacroSetting";

// At program start: loads both blocks, creating the key when it is missing, and replaces a
// value that is missing, longer than its block or not REG_BINARY with defaults (buttons: the
// factory records with the system's mouse parameters; macros: all zero), writing it back. The
// other value is left alone. The blocks should start zeroed: a short value keeps the rest.
void LoadOrCreateStore(Registry& registry, ButtonSetting& buttons, MacroSetting& macros);

// Which blocks a reload took from the store.
struct StoreReload {
    bool keyOpened = false;
    bool buttons = false;
    bool macros = false;
};

// The monitor's re-read on request. Never writes. A block is replaced (or, for a short value,
// its start) only when its value reads completely and is REG_BINARY; anything else keeps the
// copy in memory, so a damaged value cannot put foreign bytes into a running monitor.
StoreReload ReloadStore(Registry& registry, ButtonSetting& buttons, MacroSetting& macros);

// Writes both blocks, creating the key when missing. True when both values were written;
// callers are free to ignore it (the programs go on with their copies).
bool WriteStore(Registry& registry, const ButtonSetting& buttons, const MacroSetting& macros);

// Writes only the macro table, and only into an existing key. True when written.
bool WriteMacroValue(Registry& registry, const MacroSetting& macros);

// Reads the stored button block, lets `change` edit it and writes it back. Nothing is written
// unless the key exists and the value is a whole block of REG_BINARY. True when written.
bool RewriteButtonValue(Registry& registry, const std::function<void(ButtonSetting&)>& change);

}  // namespace k2q
