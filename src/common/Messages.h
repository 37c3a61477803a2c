// The window messages, titles and mutex names by which the monitor, the configuration program
// and their own windows find and talk to each other. Messages between the programs are always
// posted, never sent, so neither program ever waits for the other; their numbers and the
// titles are what a peer of another build relies on, so none of them may change.
#pragma once

#include <cstdint>

namespace k2q {

// Configuration program -> monitor: re-read the store and apply it; wParam holds the flags
// (1 program the buttons, 2 apply the system parameters, 4 program the resolution levels).
inline constexpr std::uint32_t kReloadRequestMessage = 0x601;
// Configuration program -> monitor: wParam its main window at start, 0 when it closes.
inline constexpr std::uint32_t kConfigWindowMessage = 0x602;
// Monitor -> configuration program, before a sideways scroll; wParam says which way.
inline constexpr std::uint32_t kScrollNoticeMessage = 0x604;
inline constexpr std::uintptr_t kScrollLeftNotice = 0x2FF;
inline constexpr std::uintptr_t kScrollRightNotice = 0x201;
// Driver channel's reader thread -> monitor's main window: wParam the event code, lParam 0.
inline constexpr std::uint32_t kButtonEventMessage = 0x7EB;
// Tray icon -> monitor: lParam the mouse message on the icon.
inline constexpr std::uint32_t kTrayCallbackMessage = 0x600;

inline constexpr wchar_t kMonitorWindowTitle[] = L"TavikK2qGamingMouseMon";
inline constexpr wchar_t kProgressWindowTitle[] = L"TavikK2qMonProgressbar";
inline constexpr wchar_t kMonitorMutexName[] = L"TAVIKK2q_K2qMON_MUTEX";
inline constexpr wchar_t kConfigMutexName[] = L"TAVIKK2q_CONFIG_MUTEX";

}  // namespace k2q
