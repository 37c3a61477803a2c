#include "monitor/device/ButtonProgramming.h"

#include "monitor/device/DriverRequests.h"
#include "monitor/device/KeyUsage.h"

namespace k2q {
namespace {

constexpr std::uint32_t kSlotWaitMs = 20;
constexpr std::uint32_t kCpiWaitMs = 100;
constexpr int kWriteAttempts = 3;

constexpr std::uint8_t kReportWrite = 4;
constexpr std::uint8_t kReportRead = 3;

// Modifier words (kind 0x02 with the HID modifier byte).
constexpr std::uint16_t kLeftCtrl = 0x0201;
constexpr std::uint16_t kLeftAlt = 0x0204;
constexpr std::uint16_t kLeftWin = 0x0208;
constexpr std::uint16_t kLeftCtrlWin = 0x0209;

// A command the mouse performs as one key press with modifiers: the first word is the modifier
// word, the second the key's usage in its high byte.
struct KeyCommand {
    std::uint8_t command;
    std::uint16_t modifiers;
    std::uint8_t virtualKey;
};

// Edit commands; Delete (0x49) is carried out by the monitor alone.
constexpr KeyCommand kEditCommands[] = {
    {kEditCut, kLeftCtrl, 'X'},       {kEditCopy, kLeftCtrl, 'C'}, {kEditPaste, kLeftCtrl, 'V'},
    {kEditSelectAll, kLeftCtrl, 'A'}, {kEditFind, kLeftCtrl, 'F'}, {kEditNew, kLeftCtrl, 'N'},
    {kEditPrint, kLeftCtrl, 'P'},     {kEditSave, kLeftCtrl, 'S'},
};

// Window commands other than switch window, whose shortcut depends on the system; maximize
// and minimize are the monitor's alone.
constexpr KeyCommand kWindowCommands[] = {
    {kWinClose, kLeftAlt, 0x73},  // F4
    {kWinLock, kLeftWin, 'L'},   {kWinExplorer, kLeftWin, 'E'},
    {kWinRun, kLeftWin, 'R'},    {kWinShowDesktop, kLeftWin, 'D'},
};

// Media commands and their HID consumer-page usages; the second play/pause code (0x24) is the
// monitor's alone.
constexpr struct {
    std::uint8_t command;
    std::uint8_t usage;
} kMediaCommands[] = {
    {kMediaPlayPause, 0xCD}, {kMediaStop, 0xB7},       {kMediaPrevious, 0xB6}, {kMediaNext, 0xB5},
    {kMediaVolumeUp, 0xE9},  {kMediaVolumeDown, 0xEA}, {kMediaMute, 0xE2},
};

std::uint16_t KeyWord(std::uint8_t virtualKey) {
    return static_cast<std::uint16_t>(KeyUsage(virtualKey) << 8);
}

template <std::size_t N>
std::optional<WordPair> KeyCommandWords(const KeyCommand (&table)[N], std::uint8_t command) {
    for (const KeyCommand& entry : table) {
        if (entry.command == command) {
            return WordPair{entry.modifiers, KeyWord(entry.virtualKey)};
        }
    }
    return std::nullopt;
}

std::optional<WordPair> WindowCommandWords(std::uint8_t command, int osClass) {
    if (command == kWinSwitch) {
        // From Vista on the mouse sends Ctrl+Windows+Tab, before it Alt+Tab.
        return WordPair{osClass >= 5 ? kLeftCtrlWin : kLeftAlt, KeyWord(0x09)};
    }
    return KeyCommandWords(kWindowCommands, command);
}

std::optional<WordPair> MediaCommandWords(std::uint8_t command) {
    for (const auto& entry : kMediaCommands) {
        if (entry.command == command) {
            return WordPair{0x0400, static_cast<std::uint16_t>(entry.usage << 8)};
        }
    }
    return std::nullopt;
}

void Send(DeviceRequests& device, const Report& report) {
    device.Request(kRequestSendReport, report, {});
}

}  // namespace

std::optional<WordPair> WordPairFor(const ButtonRecord& record, std::uint8_t eventByte,
                                    int osClass) {
    switch (record.function) {
        case kFnLeftClick:
            return WordPair{0x0100, 0x0100};
        case kFnRightClick:
            return WordPair{0x0100, 0x0200};
        case kFnMiddleClick:
            return WordPair{0x0100, 0x0400};
        case kFnDoubleClick:
            return WordPair{0x0100, 0x0101};
        case kFnExtraButton2:
            return WordPair{0x0100, 0x1000};
        case kFnExtraButton1:
            return WordPair{0x0100, 0x0800};
        case kFnButtonOff:
            return WordPair{0x0400, 0xE004};
        // The mouse cannot play a macro: it reports the button, and the monitor plays it.
        case kFnMacro:
            return WordPair{0x0400, static_cast<std::uint16_t>(eventByte << 8 | 3)};
        case kFnCombination:
            return WordPair{static_cast<std::uint16_t>(0x0200 + record.comboModifiers),
                            static_cast<std::uint16_t>(KeyUsage(record.comboKey1) << 8 |
                                                       KeyUsage(record.comboKey2))};
        case kFnEditCommand:
            return KeyCommandWords(kEditCommands, record.editCommand);
        case kFnWindowCommand:
            return WindowCommandWords(record.windowCommand, osClass);
        case kFnMediaCommand:
            return MediaCommandWords(record.mediaCommand);
        default:
            return std::nullopt;  // wheel functions, the label-only 11, 0 and above 17
    }
}

std::optional<std::uint16_t> CpiLevelWord(const MouseParams& params) {
    const std::int32_t levels[] = {params.cpi800, params.cpi1600, params.cpi2400};
    int mask = 0;
    for (int i = 0; i < 3; ++i) {
        if (levels[i] != 0 && levels[i] != 1) {
            return std::nullopt;
        }
        mask |= levels[i] << i;
    }
    if (mask == 0) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(mask << 8 | (255 - mask));
}

Report WriteReport(std::uint8_t slot, std::uint16_t word) {
    return {kReportWrite, slot, static_cast<std::uint8_t>(word >> 8),
            static_cast<std::uint8_t>(word)};
}

Report ReadReport(std::uint8_t slot) {
    return {kReportRead, slot, 0, 0};
}

void ProgramButtons(DeviceRequests& device, Clock& clock, const ButtonSetting& setting,
                    int osClass) {
    for (int i = 0; i < kButtonCount; ++i) {
        const ButtonSlots& slots = kButtonSlots[i];
        if (const auto words = WordPairFor(setting.records[i], slots.eventByte, osClass)) {
            WriteSlotPair(device, clock, slots.firstSlot, words->first, words->second);
        }
    }
}

void ProgramCpiLevels(DeviceRequests& device, Clock& clock, const MouseParams& params) {
    if (const auto word = CpiLevelWord(params)) {
        Send(device, WriteReport(kCpiSlot, *word));
        clock.SleepMilliseconds(kCpiWaitMs);
    }
}

void SendClosingReport(DeviceRequests& device) {
    Send(device, kClosingReport);
}

bool WriteSlotPair(DeviceRequests& device, Clock& clock, std::uint8_t slot, std::uint16_t first,
                   std::uint16_t second) {
    const auto next = static_cast<std::uint8_t>(slot + 1);
    for (int attempt = 0; attempt < kWriteAttempts; ++attempt) {
        Send(device, WriteReport(slot, first));
        clock.SleepMilliseconds(kSlotWaitMs);
        Send(device, WriteReport(next, second));
        clock.SleepMilliseconds(kSlotWaitMs);
        const std::uint16_t readFirst = ReadSlot(device, slot);
        clock.SleepMilliseconds(kSlotWaitMs);
        const std::uint16_t readSecond = ReadSlot(device, next);
        clock.SleepMilliseconds(kSlotWaitMs);
        if (readFirst == first && readSecond == second) {
            return true;
        }
    }
    return false;
}

std::uint16_t ReadSlot(DeviceRequests& device, std::uint8_t slot) {
    Send(device, ReadReport(slot));
    std::uint8_t answer[2] = {0, 0};
    const auto written = device.Request(kRequestReadAnswer, {}, answer);
    if (!written) {
        return 0;
    }
    // Only the bytes the driver says it wrote count; the rest stay cleared.
    for (std::size_t i = *written; i < sizeof answer; ++i) {
        answer[i] = 0;
    }
    return static_cast<std::uint16_t>(answer[0] << 8 | answer[1]);
}

}  // namespace k2q
