// Keeps Enter and Escape away from the dialog manager inside one window and its children. A
// child page of a dialog would otherwise turn them into the parent dialog's OK and Cancel and
// close it. The dialog manager offers every message to the thread's message filters before it
// acts on it (MSGF_DIALOGBOX), which is where they are taken out.
#pragma once

#include <windows.h>

namespace k2q::win {

class DialogKeyFilter {
  public:
    // Starts filtering for root and everything inside it, on the calling thread.
    explicit DialogKeyFilter(HWND root);
    ~DialogKeyFilter();
    DialogKeyFilter(const DialogKeyFilter&) = delete;
    DialogKeyFilter& operator=(const DialogKeyFilter&) = delete;

    // True for a key-down or key-up of Enter or Escape addressed to root or a child of it.
    static bool Swallows(HWND root, const MSG& msg);

  private:
    HWND root_;
};

}  // namespace k2q::win
