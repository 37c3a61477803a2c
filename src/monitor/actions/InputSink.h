// The injection seam. The action engine decides every input event itself and hands each one,
// with exactly the arguments of keybd_event or mouse_event, to a sink; the Win32 sink performs
// it, a test sink records it.
#pragma once

#include <cstdint>

#include "common/platform/KeyboardLayout.h"

namespace k2q::monitor {

// Flags of keybd_event.
enum : std::uint32_t {
    kKeyExtended = 0x0001,
    kKeyUp = 0x0002,
};

// Flags of mouse_event.
enum : std::uint32_t {
    kMouseLeftDown = 0x0002,
    kMouseLeftUp = 0x0004,
    kMouseRightDown = 0x0008,
    kMouseRightUp = 0x0010,
    kMouseMiddleDown = 0x0020,
    kMouseMiddleUp = 0x0040,
    kMouseXDown = 0x0080,
    kMouseXUp = 0x0100,
    kMouseWheel = 0x0800,
    kMouseAbsolute = 0x8000,
};

inline constexpr std::int32_t kWheelDelta = 120;

// Where the extra-information argument comes from. Mouse input carries the extra information
// of the message being handled, which only the system can tell at the moment of the call; so
// the event names its source and the sink fetches it per call.
enum class ExtraInfo : std::uint8_t {
    Zero,
    CurrentMessage,  // GetMessageExtraInfo at the moment of the call
};

struct KeyboardInput {
    std::uint8_t vk;
    std::uint8_t scan;
    std::uint32_t flags;
    ExtraInfo extra;
    friend bool operator==(const KeyboardInput&, const KeyboardInput&) = default;
};

// dx, dy and data are the DWORD arguments of mouse_event; a negative wheel delta travels as
// its two's complement, as the system reads it back.
struct MouseInput {
    std::uint32_t flags;
    std::int32_t dx;
    std::int32_t dy;
    std::int32_t data;
    ExtraInfo extra;
    friend bool operator==(const MouseInput&, const MouseInput&) = default;
};

class InputSink {
  public:
    virtual ~InputSink() = default;
    virtual void Keyboard(const KeyboardInput& input) = 0;
    virtual void Mouse(const MouseInput& input) = 0;
};

}  // namespace k2q::monitor
