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
// The configuration program always asks for all three.
inline constexpr std::uint32_t kReloadEverything = 7;
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

// Messages between the configuration program's own windows and controls, under the names the
// windows are written against.
// KbSnare.dll -> the window given to installhook: wParam the virtual-key code, lParam 0 for a
// press and 0x80 for a release.
inline constexpr std::uint32_t WM_HOOK_KEY = 0x040A;
inline constexpr std::uintptr_t kHookKeyReleased = 0x80;
// Macro event list -> its parent: an in-place edit was committed; the user changed the selection.
inline constexpr std::uint32_t WM_LISTBOXEX_EDITED = 0x0464;
inline constexpr std::uint32_t WM_LISTBOXEX_SELCHANGED = 0x0465;
// Skinned popup menus: submenu -> menu, and menu -> its owner.
inline constexpr std::uint32_t WM_BMPMENU_SUBCHOSEN = 0x0500;
inline constexpr std::uint32_t WM_BMPMENU_CHOSEN = 0x0501;
// Slider -> its owner: wParam the new position, lParam the slider's identifier.
inline constexpr std::uint32_t WM_PNGSLIDER_POS = 0x0800;
// Skinned button -> its parent, when asked: wParam WM_LBUTTONDOWN or WM_LBUTTONUP, lParam the
// button's window.
inline constexpr std::uint32_t WM_BITMAPBTN_MOUSE = 0x1424;

inline constexpr wchar_t kMonitorWindowTitle[] = L"TavikK2qGamingMouseMon";
inline constexpr wchar_t kProgressWindowTitle[] = L"TavikK2qMonProgressbar";
inline constexpr wchar_t kMonitorMutexName[] = L"TAVIKK2q_K2qMON_MUTEX";
inline constexpr wchar_t kConfigMutexName[] = L"TAVIKK2q_CONFIG_MUTEX";

}  // namespace k2q
