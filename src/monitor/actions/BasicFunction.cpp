#include "monitor/actions/BasicFunction.h"

#include "common/settings/ButtonSetting.h"
#include "monitor/actions/Shortcut.h"

namespace k2q::monitor {
namespace {

enum : std::uint8_t {
    kVkTab = 0x09,
    kVkControl = 0x11,  // the generic key: the shortcuts never name a side
    kVkDelete = 0x2E,
    kVkLeftWin = 0x5B,
    kVkF4 = 0x73,
    kVkLeftAlt = 0xA4,
};

// Vista and later switch windows with Ctrl + Windows key + Tab; older systems know only
// Alt + Tab.
constexpr int kFirstOsClassWithFlip = 5;

}  // namespace

void CBasicFunction::RunEditCommand(std::uint8_t code) {
    switch (code) {
        case kEditCut:
            return SendShortcut(input_, {kVkControl, 'X'});
        case kEditCopy:
            return SendShortcut(input_, {kVkControl, 'C'});
        case kEditPaste:
            return SendShortcut(input_, {kVkControl, 'V'});
        case kEditSelectAll:
            return SendShortcut(input_, {kVkControl, 'A'});
        case kEditFind:
            return SendShortcut(input_, {kVkControl, 'F'});
        case kEditNew:
            return SendShortcut(input_, {kVkControl, 'N'});
        case kEditPrint:
            return SendShortcut(input_, {kVkControl, 'P'});
        case kEditSave:
            return SendShortcut(input_, {kVkControl, 'S'});
        case kEditDelete:
            return SendShortcut(input_, {kVkDelete});
        default:
            return;
    }
}

void CBasicFunction::RunWindowCommand(std::uint8_t code) {
    switch (code) {
        case kWinSwitch:
            return SwitchWindow();
        case kWinClose:
            return SendShortcut(input_, {kVkLeftAlt, kVkF4});
        case kWinLock:
            return LockComputer();
        case kWinExplorer:
            return SendShortcut(input_, {kVkLeftWin, 'E'});
        case kWinRun:
            return SendShortcut(input_, {kVkLeftWin, 'R'});
        case kWinShowDesktop:
            return SendShortcut(input_, {kVkLeftWin, 'D'});
        case kWinMaximize:
            return SizeForegroundWindow(kStyleMaximizeBox, kSysCommandMaximize);
        case kWinMinimize:
            return SizeForegroundWindow(kStyleMinimizeBox, kSysCommandMinimize);
        default:
            return;
    }
}

void CBasicFunction::SwitchWindow() {
    if (system_.OsClass() >= kFirstOsClassWithFlip) {
        SendShortcut(input_, {kVkControl, kVkLeftWin, kVkTab});
    } else {
        SendShortcut(input_, {kVkLeftAlt, kVkTab});
    }
}

void CBasicFunction::LockComputer() {
    const std::uint16_t architecture = system_.NativeArchitecture();
    if (architecture != kArchitectureAmd64 && architecture != kArchitectureIa64) {
        system_.LockWorkStation();
        return;
    }
    // On a 64-bit system the lock runs with the file-system redirection switched off; where the
    // system lacks the switch, nothing is locked.
    const FsRedirection redirection = system_.DisableFsRedirection();
    if (!redirection.available) {
        return;
    }
    system_.LockWorkStation();
    // Only a state that the switch handed back may be restored; a failed switch (as in a 64-bit
    // process) handed back nothing.
    if (redirection.disabled) {
        system_.RevertFsRedirection(redirection.oldValue);
    }
}

void CBasicFunction::SizeForegroundWindow(std::uint32_t styleBit, std::uint32_t command) {
    const WindowRef window = system_.ForegroundWindow();
    if (window == 0 || (system_.WindowStyle(window) & styleBit) == 0) {
        return;
    }
    if (window == system_.DesktopWindow()) {
        return;
    }
    system_.SendSystemCommand(window, command);
}

}  // namespace k2q::monitor
