// The configuration program: makes sure the monitor runs, keeps itself to one instance, loads
// the texts and runs the main dialog; the program lives exactly as long as that dialog.
#pragma once

namespace k2q::config::win {

class CK2Q_ConfigApp {
  public:
    // Runs the program to its end; returns the exit code.
    int Run();
};

}  // namespace k2q::config::win
