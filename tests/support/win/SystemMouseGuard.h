// The system's mouse settings outlive a test in the shared prefix, and later tests read them as
// "the system's values": a test that lets a program change them keeps one of these, which puts
// back both the running values and the strings where the system keeps them.
#pragma once

#include <windows.h>

#include <array>
#include <optional>

#include "support/win/RawRegistry.h"

namespace k2q::testing {

class SystemMouseGuard {
  public:
    SystemMouseGuard();
    ~SystemMouseGuard();
    SystemMouseGuard(const SystemMouseGuard&) = delete;
    SystemMouseGuard& operator=(const SystemMouseGuard&) = delete;

  private:
    struct Place {
        const wchar_t* key;
        const wchar_t* name;
    };
    static constexpr Place kPlaces[] = {
        {L"Control Panel\\Mouse", L"MouseSensitivity"},
        {L"Control Panel\\Mouse", L"DoubleClickSpeed"},
        {L"Control Panel\\Mouse", L"MouseSpeed"},
        {L"Control Panel\\Mouse", L"MouseThreshold1"},
        {L"Control Panel\\Mouse", L"MouseThreshold2"},
        {L"Control Panel\\Desktop", L"WheelScrollLines"},
    };
    std::array<std::optional<RawValue>, std::size(kPlaces)> saved_;
    UINT wheel_ = 3;
    std::array<int, 3> mouse_ = {};
    int speed_ = 10;
    UINT doubleClick_ = 500;
};

}  // namespace k2q::testing
