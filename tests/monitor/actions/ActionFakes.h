// Fakes of the action engine's seams. They share one fake clock, so every injected event is
// stamped with the time the player had reached, and the system and scroll calls share one log,
// so a test sees their order.
#pragma once

#include <cstdio>
#include <map>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "monitor/actions/ActionPorts.h"
#include "support/FakeClock.h"

namespace k2q::monitor {

inline std::ostream& operator<<(std::ostream& os, const KeyboardInput& k) {
    char text[64];
    std::snprintf(text, sizeof text, "key{vk %02X scan %02X flags %X extra %d}", k.vk, k.scan,
                  unsigned(k.flags), int(k.extra));
    return os << text;
}

inline std::ostream& operator<<(std::ostream& os, const MouseInput& m) {
    char text[80];
    std::snprintf(text, sizeof text, "mouse{flags %X at %d,%d data %d extra %d}", unsigned(m.flags),
                  int(m.dx), int(m.dy), int(m.data), int(m.extra));
    return os << text;
}

using Input = std::variant<KeyboardInput, MouseInput>;
using Inputs = std::vector<Input>;

inline std::ostream& operator<<(std::ostream& os, const Input& input) {
    std::visit([&](const auto& i) { os << i; }, input);
    return os;
}

// How the shortcuts of the edit, window and media commands look.
inline Input ShortcutDown(std::uint8_t vk) {
    return KeyboardInput{vk, 0, kKeyExtended, ExtraInfo::Zero};
}
inline Input ShortcutUp(std::uint8_t vk) {
    return KeyboardInput{vk, 0, kKeyExtended | kKeyUp, ExtraInfo::Zero};
}
// How played keys look: the layout's scan code, no extended-key flag.
inline Input PlayedDown(std::uint8_t vk, std::uint8_t scan) {
    return KeyboardInput{vk, scan, 0, ExtraInfo::Zero};
}
inline Input PlayedUp(std::uint8_t vk, std::uint8_t scan) {
    return KeyboardInput{vk, scan, kKeyUp, ExtraInfo::Zero};
}
// Mouse input at the pointer with the current message's extra information.
inline Input MouseAt(std::uint32_t flags, std::int32_t data = 0) {
    return MouseInput{flags, 0, 0, data, ExtraInfo::CurrentMessage};
}

class RecordingSink : public InputSink {
  public:
    explicit RecordingSink(testing::FakeClock& clock) : clock_(clock) {}

    void Keyboard(const KeyboardInput& k) override { Record(k); }
    void Mouse(const MouseInput& m) override { Record(m); }

    Inputs inputs;
    std::vector<std::int64_t> timesMs;  // the clock at each input

  private:
    void Record(const Input& input) {
        inputs.push_back(input);
        timesMs.push_back(clock_.now / 1000);
    }
    testing::FakeClock& clock_;
};

// The US layout's scan codes of the keys the tests use; other keys have none, as
// MapVirtualKeyW answers for a key the layout lacks.
class FakeLayout : public KeyboardLayout {
  public:
    std::uint8_t ScanCode(std::uint8_t vk) override {
        static const std::map<std::uint8_t, std::uint8_t> us = {
            {0x10, 0x2A}, {0x11, 0x1D}, {0x12, 0x38}, {0x5B, 0x5B}, {0x5C, 0x5C},
            {0x2E, 0x53}, {0x25, 0x4B}, {0x41, 0x1E}, {0x42, 0x30}, {0x43, 0x2E},
            {0x0D, 0x1C}, {0x20, 0x39}, {0x70, 0x3B},
        };
        const auto it = us.find(vk);
        return it == us.end() ? 0 : it->second;
    }
    std::uint8_t TypedCharacter(std::uint8_t, std::uint8_t) override { return 0; }
};

// A system whose answers a test sets, and which logs what it is asked to do.
class FakeSystem : public SystemPort {
  public:
    int osClass = 6;
    std::uint16_t architecture = kArchitectureAmd64;
    FsRedirection redirection{true, true, 0x5EED};
    WindowRef foreground = 0;
    WindowRef desktop = 0xD0;
    std::map<WindowRef, std::uint32_t> styles;
    std::vector<std::string> log;

    int OsClass() override { return osClass; }
    std::uint16_t NativeArchitecture() override { return architecture; }
    void LockWorkStation() override { log.push_back("lock"); }
    FsRedirection DisableFsRedirection() override {
        log.push_back("disable redirection");
        return redirection;
    }
    void RevertFsRedirection(std::uintptr_t old) override {
        log.push_back("revert redirection " + Hex(old));
    }
    WindowRef ForegroundWindow() override { return foreground; }
    WindowRef DesktopWindow() override { return desktop; }
    std::uint32_t WindowStyle(WindowRef w) override {
        const auto it = styles.find(w);
        return it == styles.end() ? 0 : it->second;
    }
    void SendSystemCommand(WindowRef w, std::uint32_t command) override {
        log.push_back("syscommand " + Hex(w) + " " + Hex(command));
    }
    void PostWindowMessage(WindowRef w, std::uint32_t msg, std::uintptr_t wp,
                           std::intptr_t lp) override {
        log.push_back("post " + Hex(w) + " " + Hex(msg) + " " + Hex(wp) + " " +
                      Hex(static_cast<std::uintptr_t>(lp)));
    }

    static std::string Hex(std::uintptr_t v) {
        char text[24];
        std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(v));
        return text;
    }
};

class FakeScroller : public HorizontalScroller {
  public:
    explicit FakeScroller(std::vector<std::string>& log) : log_(log) {}
    void ScrollHorizontal(int count) override { log_.push_back("scroll " + std::to_string(count)); }

  private:
    std::vector<std::string>& log_;
};

// One fresh set of fakes per test.
struct FakeActions {
    testing::FakeClock clock;
    RecordingSink input{clock};
    FakeLayout layout;
    FakeSystem system;
    FakeScroller scroller{system.log};
    ActionPorts ports{input, layout, system, clock, scroller};
};

}  // namespace k2q::monitor
