// The monitor program: one instance per session, the UI texts, GDI+ and the hidden main window
// for the whole run.
#pragma once

namespace k2q::monitor {

class CK2Q_MouseApp {
  public:
    // Runs the program to its end; returns the exit code.
    int Run();
};

}  // namespace k2q::monitor
