// The office shortcuts (edit commands) and the window commands.
#pragma once

#include <cstdint>

#include "monitor/actions/InputSink.h"
#include "monitor/actions/SystemPort.h"

namespace k2q::monitor {

// Made for one action and dropped after it; it keeps nothing between calls.
class CBasicFunction {
  public:
    CBasicFunction(InputSink& input, SystemPort& system) : input_(input), system_(system) {}

    // A code outside the commands does nothing.
    void RunEditCommand(std::uint8_t code);
    void RunWindowCommand(std::uint8_t code);

  private:
    void SwitchWindow();
    void LockComputer();
    // Maximizes or minimizes the foreground window when its style offers the box.
    void SizeForegroundWindow(std::uint32_t styleBit, std::uint32_t command);

    InputSink& input_;
    SystemPort& system_;
};

}  // namespace k2q::monitor
