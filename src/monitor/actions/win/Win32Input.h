// The injection seam over keybd_event, mouse_event and the keyboard layout.
#pragma once

#include "common/win/Win32KeyboardLayout.h"
#include "monitor/actions/InputSink.h"

namespace k2q::monitor {

class Win32InputSink : public InputSink {
  public:
    void Keyboard(const KeyboardInput& input) override;
    void Mouse(const MouseInput& input) override;
};

using win::Win32KeyboardLayout;

}  // namespace k2q::monitor
