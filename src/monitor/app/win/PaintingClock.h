// The clock of the monitor's busy waits (the reload's, on-device programming's and the exit
// pause): they block the thread for seconds, as they must, but they keep the progress popup
// painted when something passes over it, and they answer the senders of messages at once.
// Nothing else runs meanwhile: while the thread is busy, every posted message it takes off the
// queue is kept in the hold, in order (the monitor window keeps the sent ones itself), and input
// stays queued for the window it is meant for.
#pragma once

#include "common/win/Win32Clock.h"
#include "monitor/app/win/MessageHold.h"

namespace k2q::monitor {

class PaintingClock : public win::Win32Clock {
  public:
    // The hold must outlive the clock.
    explicit PaintingClock(MessageHold& hold) : hold_(hold) {}

    void SleepMilliseconds(std::uint32_t milliseconds) override;

  private:
    void TakeWaitingMessages();

    MessageHold& hold_;
};

}  // namespace k2q::monitor
