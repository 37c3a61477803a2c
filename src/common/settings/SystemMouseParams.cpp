#include "common/settings/SystemMouseParams.h"

#include <algorithm>
#include <limits>
#include <memory>

namespace k2q {
namespace {

constexpr std::size_t kMaxStringUnits = 260;

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// Pointer speed is kept as half the system's 1..20 scale.
std::int32_t HalfSpeed(std::int32_t systemSpeed) {
    return static_cast<std::int32_t>((static_cast<std::int64_t>(systemSpeed) + 1) / 2);
}

}  // namespace

std::int32_t ParseDecimal(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Accumulate in 64 bits and stop growing once past the 32-bit range.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - u'0'), kLimit);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::optional<std::int32_t> ReadRegistryNumber(RegistryKey& key, std::u16string_view name) {
    char16_t text[kMaxStringUnits] = {};
    const RegistryRead read = key.Query(name, text, sizeof text);
    if (read.status != RegistryStatus::Ok || (read.type != kRegSz && read.type != kRegExpandSz)) {
        return std::nullopt;
    }
    // Only the units the value filled count; a terminator must be among them.
    const std::size_t units = std::min(read.size, sizeof text) / sizeof(char16_t);
    const char16_t* end = std::find(text, text + units, u'\0');
    if (end == text + units) {
        return std::nullopt;
    }
    return ParseDecimal({text, static_cast<std::size_t>(end - text)});
}

void ReadSystemMouseParams(Registry& registry, ButtonSetting& block) {
    MouseParams& p = block.mouse;
    p.wheelLines = p.hScrollAmount = p.doubleClickTime = p.pointerSpeed = 0;
    p.acceleration = p.cpi800 = p.cpi1600 = p.cpi2400 = 0;

    if (std::unique_ptr<RegistryKey> mouse = registry.Open(kMouseKey)) {
        if (auto n = ReadRegistryNumber(*mouse, u"MouseSensitivity")) {
            p.pointerSpeed = HalfSpeed(*n);
        }
        if (auto n = ReadRegistryNumber(*mouse, u"DoubleClickSpeed")) {
            p.doubleClickTime = *n;
        }
        const std::int32_t speed = ReadRegistryNumber(*mouse, u"MouseSpeed").value_or(0);
        const std::int32_t threshold1 = ReadRegistryNumber(*mouse, u"MouseThreshold1").value_or(0);
        const std::int32_t threshold2 = ReadRegistryNumber(*mouse, u"MouseThreshold2").value_or(0);
        p.acceleration = speed > 0 && threshold1 > 0 && threshold2 > 0 ? 1 : 0;
    }
    if (std::unique_ptr<RegistryKey> desktop = registry.Open(kDesktopKey)) {
        if (auto n = ReadRegistryNumber(*desktop, u"WheelScrollLines")) {
            p.wheelLines = *n;
        }
    }
    p.hScrollAmount = 3;
    p.cpi800 = p.cpi1600 = p.cpi2400 = 1;
}

void ApplySystemMouseParams(SystemParameters& system, const MouseParams& params,
                            const std::function<void(int percent)>& progress) {
    const auto report = [&](int percent) {
        if (progress) {
            progress(percent);
        }
    };

    system.Set(kSpiSetWheelScrollLines, static_cast<std::uint32_t>(params.wheelLines), nullptr,
               kSpiUpdateAndBroadcast);
    system.SendSettingChange(kSpiSetWheelScrollLines, 0);
    report(85);

    // Threshold 1, threshold 2, acceleration; the settings change carries the same array.
    std::int32_t mouse[3] = {0, 0, 0};
    if (params.acceleration == 1) {
        mouse[0] = 6;
        mouse[1] = 10;
        mouse[2] = 1;
    }
    system.Set(kSpiSetMouse, 0, mouse, kSpiUpdateAndBroadcast);
    system.SendSettingChange(kSpiSetMouse, reinterpret_cast<std::intptr_t>(mouse));

    // The speed travels in pvParam itself, not behind it. Doubled with 32-bit wrap-around, as
    // the system's int would, so a damaged stored value cannot overflow.
    const auto speed =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(params.pointerSpeed) * 2u);
    system.Set(kSpiSetMouseSpeed, 0, reinterpret_cast<void*>(static_cast<std::intptr_t>(speed)),
               kSpiUpdateAndBroadcast);
    system.SendSettingChange(kSpiSetMouseSpeed, 0);
    report(90);

    system.Set(kSpiSetDoubleClickTime, static_cast<std::uint32_t>(params.doubleClickTime), nullptr,
               kSpiUpdateAndBroadcast);
    system.SendSettingChange(kSpiSetDoubleClickTime, 0);
    report(95);
}

}  // namespace k2q
