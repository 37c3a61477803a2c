// Clicks and extra-button clicks, and the wheel notch. Each click is the button-down event
// immediately followed by its button-up event at the pointer's place, carrying the extra
// information of the message being handled.
#pragma once

#include <cstdint>

#include "monitor/actions/InputSink.h"

namespace k2q::monitor {

// Made for one action and dropped after it; it keeps nothing between calls.
class CMouseFunction {
  public:
    explicit CMouseFunction(InputSink& input) : input_(input) {}

    void LeftClick();
    void RightClick();
    void MiddleClick();
    // button 1 or 2; any other number clicks nothing.
    void XButtonClick(int button);

  private:
    void Click(std::uint32_t down, std::uint32_t up, std::int32_t data);

    InputSink& input_;
};

// One notch of the wheel; delta +120 forward, -120 backward.
void WheelNotch(InputSink& input, std::int32_t delta);

}  // namespace k2q::monitor
