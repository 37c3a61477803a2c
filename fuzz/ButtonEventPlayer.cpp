// Feeds damaged button blocks, macro records and event codes to the action engine: whatever
// the bytes say, it must inject only what fits in the blocks, never read outside them, and
// come back.
//
// Input: 8 bytes event code (little-endian; when its high bytes are zero, its low byte picks
// one of the known codes), 1 byte configuration window, the 104-byte button block, then up to
// one macro record, placed where the event's record points.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>
#include <algorithm>
#include <memory>

#include "monitor/actions/ButtonEvent.h"
#include "monitor/actions/Playback.h"

namespace {

using namespace k2q;
using namespace k2q::monitor;

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

class CountingSink : public InputSink {
  public:
    void Keyboard(const KeyboardInput& k) override {
        Check(k.flags <= (kKeyExtended | kKeyUp));
        Check(k.extra == ExtraInfo::Zero);
        ++count;
    }
    void Mouse(const MouseInput& m) override {
        Check(m.dx == 0 && m.dy == 0);
        Check(m.extra == ExtraInfo::CurrentMessage);
        ++count;
    }
    std::uint64_t count = 0;
};

class Layout : public KeyboardLayout {
  public:
    std::uint8_t ScanCode(std::uint8_t vk) override { return static_cast<std::uint8_t>(vk ^ 0x5A); }
    std::uint8_t TypedCharacter(std::uint8_t, std::uint8_t) override { return 0; }
};

class VirtualClock : public k2q::Clock {
  public:
    std::int64_t NowMicroseconds() override { return now; }
    void SleepMilliseconds(std::uint32_t ms) override {
        Check(ms <= static_cast<std::uint32_t>(kMaxMacroDelayMs));
        now += std::int64_t(ms) * 1000;
    }
    std::int64_t now = 0;
};

class System : public SystemPort {
  public:
    int OsClass() override { return 6; }
    std::uint16_t NativeArchitecture() override { return kArchitectureAmd64; }
    void LockWorkStation() override {}
    FsRedirection DisableFsRedirection() override { return {true, true, 1}; }
    void RevertFsRedirection(std::uintptr_t) override {}
    WindowRef ForegroundWindow() override { return 5; }
    WindowRef DesktopWindow() override { return 6; }
    std::uint32_t WindowStyle(WindowRef) override { return kStyleMaximizeBox; }
    void SendSystemCommand(WindowRef, std::uint32_t) override {}
    void PostWindowMessage(WindowRef w, std::uint32_t, std::uintptr_t, std::intptr_t) override {
        Check(w != 0);
    }
};

class Scroller : public HorizontalScroller {
  public:
    void ScrollHorizontal(int) override {}
};

constexpr std::uint64_t kKnownCodes[] = {1000, 1001, 1002, 1003, 1004, 257, 511};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHead = 8 + 1 + sizeof(ButtonSetting);
    if (size < kHead) {
        return 0;
    }
    static const auto macros = std::make_unique<MacroSetting>();
    std::memset(macros.get(), 0, sizeof(MacroSetting));

    std::uint64_t code;
    std::memcpy(&code, data, 8);
    if (code >> 8 == 0) {
        code = kKnownCodes[code % std::size(kKnownCodes)];
    }
    const WindowRef configWindow = data[8];
    ButtonSetting buttons;
    std::memcpy(&buttons, data + 9, sizeof buttons);

    // The macro record goes where the pressed button points, when that is inside the table.
    const std::optional<int> record = RecordForEvent(code);
    const int index = record ? buttons.records[*record].macroIndex : 0;
    const std::size_t tail = std::min(size - kHead, sizeof(tagMACROINFO));
    std::memcpy(&macros->macros[index < kMacroCapacity ? index : 0], data + kHead, tail);
    macros->count = static_cast<std::int32_t>(data[8]);

    CountingSink input;
    Layout layout;
    System system;
    VirtualClock clock;
    Scroller scroller;
    const ActionPorts ports{input, layout, system, clock, scroller};
    Check(HandleButtonEvent(code, {buttons, *macros, configWindow}, ports) == 1);
    // At most every event of one record in every allowed pass, or a full combination.
    Check(input.count <= std::uint64_t(kMaxMacroPasses) * kMacroEventCapacity);
    return 0;
}
