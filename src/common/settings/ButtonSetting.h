// The button assignment block: what each programmable control of the mouse does, and the
// pointer, wheel and double-click parameters. Both programs keep one copy of it for their whole
// run and it travels unchanged through the registry and profile files, so its layout is a
// storage format: every size and offset below is fixed.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace k2q {

static_assert(std::endian::native == std::endian::little,
              "stored blocks are raw little-endian images");

inline constexpr int kRecordCount = 7;
inline constexpr int kButtonCount = 5;  // records 0..4 are buttons, 5 and 6 the wheel directions

// Record numbers of the controls.
enum : int {
    kLeftButton = 0,
    kWheelButton = 1,
    kRightButton = 2,
    kFirstSideButton = 3,
    kSecondSideButton = 4,
    kWheelForward = 5,
    kWheelBackward = 6,
};

// Function codes of a record. 0 and codes above 17 do nothing anywhere.
enum FunctionCode : std::uint8_t {
    kFnNone = 0,
    kFnLeftClick = 1,
    kFnRightClick = 2,
    kFnMiddleClick = 3,
    kFnDoubleClick = 4,
    kFnCombination = 5,
    kFnMacro = 6,
    kFnButtonOff = 7,
    kFnWindowCommand = 8,
    kFnExtraButton2 = 9,
    kFnExtraButton1 = 10,
    kFnFlip3d = 11,  // a label only; never carried out or programmed
    kFnScrollUp = 12,
    kFnScrollDown = 13,
    kFnEditCommand = 14,
    kFnMediaCommand = 15,
    kFnScrollLeft = 16,
    kFnScrollRight = 17,
};
inline constexpr std::uint8_t kLastFunctionCode = 17;

// Command codes of functions 14 (edit), 8 (window) and 15 (media).
enum EditCommand : std::uint8_t {
    kEditCut = 0x40,
    kEditCopy = 0x41,
    kEditPaste = 0x42,
    kEditSelectAll = 0x44,
    kEditFind = 0x45,
    kEditNew = 0x46,
    kEditPrint = 0x47,
    kEditSave = 0x48,
    kEditDelete = 0x49,  // carried out, never offered in a menu
};
enum WindowCommand : std::uint8_t {
    kWinSwitch = 0x50,
    kWinClose = 0x51,
    kWinLock = 0x52,
    kWinExplorer = 0x53,
    kWinRun = 0x54,
    kWinShowDesktop = 0x55,
    kWinMaximize = 0x58,  // no menu
    kWinMinimize = 0x59,  // no menu
};
enum MediaCommand : std::uint8_t {
    kMediaPlayPause = 0x20,
    kMediaStop = 0x21,
    kMediaPrevious = 0x22,
    kMediaNext = 0x23,
    kMediaPlayPause2 = 0x24,  // no menu
    kMediaVolumeUp = 0x25,
    kMediaVolumeDown = 0x26,
    kMediaMute = 0x27,
};

// Bits of comboModifiers, in the order of the USB HID keyboard modifier byte.
enum ModifierBit : std::uint8_t {
    kModLeftCtrl = 0x01,
    kModLeftShift = 0x02,
    kModLeftAlt = 0x04,
    kModLeftWin = 0x08,
    kModRightCtrl = 0x10,
    kModRightShift = 0x20,
    kModRightAlt = 0x40,
    kModRightWin = 0x80,
};

// Input codes that stand for mouse buttons in macros and key combinations; every other code
// is a Windows virtual-key code.
enum MouseButtonCode : std::uint8_t {
    kCodeLeftButton = 0xC1,
    kCodeRightButton = 0xC2,
    kCodeMiddleButton = 0xC3,
};

// One control's assignment. Which bytes mean something depends on `function`; the others keep
// whatever they held and are ignored.
struct ButtonRecord {
    std::uint8_t index;           // the record's own number; written, never interpreted
    std::uint8_t function;        // FunctionCode
    std::uint8_t editCommand;     // with function 14
    std::uint8_t windowCommand;   // with function 8
    std::uint8_t mediaCommand;    // with function 15
    std::uint8_t macroIndex;      // with function 6: position in the macro table
    std::uint8_t comboModifiers;  // with function 5: ModifierBit mask
    std::uint8_t comboKey1;       // with function 5: input code, 0 for none
    std::uint8_t comboKey2;       // with function 5: input code, 0 for none
};

struct MouseParams {
    std::int32_t wheelLines;       // lines per notch, 1..10 in the configuration program
    std::int32_t hScrollAmount;    // horizontal steps per scroll-left/right press
    std::int32_t doubleClickTime;  // milliseconds, 200..900
    std::int32_t pointerSpeed;     // 1..10; the system speed is twice this
    std::int32_t acceleration;     // 1 on, 0 off
    std::int32_t cpi800;           // 1 = resolution level enabled on the mouse
    std::int32_t cpi1600;
    std::int32_t cpi2400;
    std::int32_t reserved[2];
};

struct ButtonSetting {
    ButtonRecord records[kRecordCount];
    std::uint8_t reserved;
    MouseParams mouse;
};

static_assert(sizeof(ButtonRecord) == 9);
static_assert(offsetof(ButtonRecord, index) == 0);
static_assert(offsetof(ButtonRecord, function) == 1);
static_assert(offsetof(ButtonRecord, editCommand) == 2);
static_assert(offsetof(ButtonRecord, windowCommand) == 3);
static_assert(offsetof(ButtonRecord, mediaCommand) == 4);
static_assert(offsetof(ButtonRecord, macroIndex) == 5);
static_assert(offsetof(ButtonRecord, comboModifiers) == 6);
static_assert(offsetof(ButtonRecord, comboKey1) == 7);
static_assert(offsetof(ButtonRecord, comboKey2) == 8);

static_assert(sizeof(MouseParams) == 40);
static_assert(sizeof(ButtonSetting) == 104);
static_assert(offsetof(ButtonSetting, records) == 0);
static_assert(offsetof(ButtonSetting, reserved) == 63);
static_assert(offsetof(ButtonSetting, mouse) == 64);
static_assert(offsetof(ButtonSetting, mouse.wheelLines) == 64);
static_assert(offsetof(ButtonSetting, mouse.hScrollAmount) == 68);
static_assert(offsetof(ButtonSetting, mouse.doubleClickTime) == 72);
static_assert(offsetof(ButtonSetting, mouse.pointerSpeed) == 76);
static_assert(offsetof(ButtonSetting, mouse.acceleration) == 80);
static_assert(offsetof(ButtonSetting, mouse.cpi800) == 84);
static_assert(offsetof(ButtonSetting, mouse.cpi1600) == 88);
static_assert(offsetof(ButtonSetting, mouse.cpi2400) == 92);
static_assert(offsetof(ButtonSetting, mouse.reserved) == 96);

// The default function of each record: left, middle, right click, extra buttons 2 and 1,
// scroll up, scroll down.
inline constexpr std::uint8_t kDefaultFunction[kRecordCount] = {
    kFnLeftClick,     kFnMiddleClick, kFnRightClick, kFnExtraButton2,
    kFnExtraButton1,  kFnScrollUp,    kFnScrollDown,
};

// Zeroes the whole block and gives every record its number and default function. The mouse
// parameters stay zero; callers follow with ReadSystemMouseParams.
void SetButtonDefaults(ButtonSetting& block);

// Gives record i its number and default function; its other bytes are left as they are.
// An i outside 0..6 is ignored.
void ResetButtonRecord(ButtonSetting& block, int i);

// True when the wheel records hold their default functions (scroll up, scroll down); only the
// function bytes count.
bool IsWheelAtDefault(const ButtonSetting& block);

// The driver's wheel-report flag: 0 while the wheel is at its default, 1 otherwise.
inline std::uint32_t WheelReportFlag(const ButtonSetting& block) {
    return IsWheelAtDefault(block) ? 0u : 1u;
}

// The mouse parameters that a reset to factory values puts over the system's current ones:
// acceleration off, speed 5, 3 wheel lines, 550 ms double click. The resolution levels and the
// horizontal amount stay as ReadSystemMouseParams left them (all on, 3).
void ApplyFactoryMouseParams(MouseParams& params);

}  // namespace k2q
