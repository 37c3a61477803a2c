// The media keys: one press and one release of the media virtual key.
#pragma once

#include <cstdint>

#include "monitor/actions/InputSink.h"

namespace k2q::monitor {

// Made for one action and dropped after it; it keeps nothing between calls.
class CMediaFunction {
  public:
    explicit CMediaFunction(InputSink& input) : input_(input) {}

    // A code without a media key does nothing.
    void RunMediaCommand(std::uint8_t code);

  private:
    InputSink& input_;
};

}  // namespace k2q::monitor
