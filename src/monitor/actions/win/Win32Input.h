// The injection seam over keybd_event, mouse_event and the keyboard layout.
#pragma once

#include "monitor/actions/InputSink.h"

namespace k2q::monitor {

class Win32InputSink : public InputSink {
  public:
    void Keyboard(const KeyboardInput& input) override;
    void Mouse(const MouseInput& input) override;
};

class Win32KeyboardLayout : public KeyboardLayout {
  public:
    std::uint8_t ScanCode(std::uint8_t vk) override;
};

}  // namespace k2q::monitor
