// The monitor's decisions, apart from the window that carries them out: what a reload request
// does and in which order, which device arrivals are the mouse, and what a session change does
// to the device on each system class.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace k2q::monitor {

// wParam bits of the reload request.
enum ReloadFlag : std::uint32_t {
    kReloadProgramButtons = 1,
    kReloadApplySystemParams = 2,
    kReloadProgramCpi = 4,
};

inline constexpr std::uint32_t kClosingReportWaitMs = 3000;

// What a reload acts on; the monitor window implements it with the store, the driver channel,
// the mouse programming, the progress popup and the system parameters.
class ReloadActions {
  public:
    virtual ~ReloadActions() = default;
    virtual void ReloadStore() = 0;
    // Sends the wheel-report flag of the freshly read store, when the device is open.
    virtual void SendWheelReportIfOpen() = 0;
    virtual void ShowProgress() = 0;
    virtual void SetProgress(int value) = 0;
    virtual void ProgramButtons() = 0;
    virtual void ProgramCpiLevels() = 0;
    virtual void SendClosingReport() = 0;
    virtual void Wait(std::uint32_t milliseconds) = 0;
    // Applies pointer, wheel and double-click values, reporting 85, 90, 95 on the way.
    virtual void ApplySystemMouseParams(const std::function<void(int)>& progress) = 0;
    virtual void CloseProgress() = 0;
};

// Re-reads the store and applies what the flags ask for, stepping the progress
// 0, 40, 80, (85, 90, 95,) 100.
void RunReload(ReloadActions& actions, std::uint32_t flags);

// True for a device interface of the mouse: its name contains "VID_1bcf&PID_4c2e" in any case.
bool IsMouseInterfaceName(std::u16string_view name);

enum class SessionAction { None, OpenDevice, CloseDevice };

// Console connect (1) opens and disconnect (2) closes on every system; unlock (8) opens and
// lock (7) closes only on Vista and later (classes 5 and 6).
SessionAction SessionChangeAction(int osClass, std::uint32_t code);

}  // namespace k2q::monitor
