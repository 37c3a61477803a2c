// The monitor's thread does one thing at a time. While it is busy with a reload, an action, the
// tray menu or the exit pause, it still has to take messages off its queue (to keep the progress
// popup painted, to answer the senders of messages, and because the menu's modal loop dispatches
// whatever arrives), but none of them may run a handler of the monitor in the middle of that
// work: a tray click would open the menu halfway through programming the mouse, a device arrival
// would open the device under it, a button event would play a macro into the open menu.
//
// So while the thread is busy, the messages that would run a handler are kept here, in the order
// the thread took them, and run when it is free again, before anything that arrives later.
//
// Sent messages cannot wait in the queue: their sender waits for the answer, and the tray's
// callbacks come from another process. A kept sent message is answered at once with the result
// its handler always gives (the monitor's handlers answer with fixed values), and what it points
// to is copied first, because it belongs to the sender and is gone once the sender has its
// answer. Its work then runs later, like a posted message's.
//
// Used on the monitor's user-interface thread only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <vector>

namespace k2q::monitor {

class MessageHold {
  public:
    MessageHold() = default;
    MessageHold(const MessageHold&) = delete;
    MessageHold& operator=(const MessageHold&) = delete;

    // Marks the thread busy for its lifetime; busy times nest.
    class BusyTime {
      public:
        explicit BusyTime(MessageHold& hold) : hold_(hold) { ++hold_.busy_; }
        ~BusyTime() { --hold_.busy_; }
        BusyTime(const BusyTime&) = delete;
        BusyTime& operator=(const BusyTime&) = delete;

      private:
        MessageHold& hold_;
    };

    bool busy() const { return busy_ > 0; }

    // Keeps one message to run later. The broadcast a device change points to is copied.
    void Keep(const MSG& msg);

    // Runs the kept messages in order, each through DispatchMessageW (a kept WM_QUIT is posted
    // again). Messages kept while one of them runs go behind the rest. Does nothing while the
    // thread is busy or while an outer call is already running them: that one goes on.
    void RunKept();

    std::size_t size() const { return kept_.size(); }

  private:
    struct Kept {
        MSG msg;
        std::vector<std::uint8_t> payload;  // what lParam points to, when it is copied
    };

    std::deque<Kept> kept_;
    int busy_ = 0;
    bool running_ = false;
};

}  // namespace k2q::monitor
