// The four system-wide mouse parameters carried in MouseParams: read from the current user's
// Control Panel settings when a store is created or reset, and made the system's values by the
// monitor after a reload. The decisions live here; the system calls sit behind
// SystemParameters so that the order and the exact arguments can be checked without a desktop.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "common/platform/Registry.h"
#include "common/settings/ButtonSetting.h"

namespace k2q {

inline constexpr char16_t kMouseKey[] = u"Control Panel\\Mouse";
inline constexpr char16_t kDesktopKey[] = u"Control Panel\\Desktop";

// SystemParametersInfoW actions and flags, numbered as the system numbers them.
enum SystemParameterAction : std::uint32_t {
    kSpiSetMouse = 0x04,
    kSpiSetDoubleClickTime = 0x20,
    kSpiSetWheelScrollLines = 0x69,
    kSpiSetMouseSpeed = 0x71,
};
// Update the user profile and broadcast the change.
inline constexpr std::uint32_t kSpiUpdateAndBroadcast = 3;

// The standard decimal conversion of the C runtime (wcstol, _wtoi): leading blanks, one sign,
// digits up to the first non-digit, 0 when there is no number; out-of-range values saturate.
std::int32_t ParseDecimal(std::u16string_view text);

// A registry value as a number: only a string type (plain or expandable) of at most 260
// characters with its terminating zero inside the value is read.
std::optional<std::int32_t> ReadRegistryNumber(RegistryKey& key, std::u16string_view name);

// Fills the mouse parameters of the block from the system's settings. The eight fields at
// offsets 64..95 are zeroed first, so anything unreadable stays 0; the horizontal amount
// becomes 3 and all three resolution levels are enabled. The reserved tail is not touched.
void ReadSystemMouseParams(Registry& registry, ButtonSetting& block);

// The calls ApplySystemMouseParams makes, with the arguments of SystemParametersInfoW and of a
// synchronous WM_SETTINGCHANGE sent to the monitor's own window.
class SystemParameters {
  public:
    virtual ~SystemParameters() = default;
    virtual bool Set(std::uint32_t action, std::uint32_t uiParam, void* pvParam,
                     std::uint32_t flags) = 0;
    virtual void SendSettingChange(std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

// Makes the stored values the system's values, in a fixed order, reporting progress 85, 90
// and 95 on the way. The values go to the system as they are (the system judges a 0); a
// failing call does not stop the next one.
void ApplySystemMouseParams(SystemParameters& system, const MouseParams& params,
                            const std::function<void(int percent)>& progress);

}  // namespace k2q
