// Input as a user gives it, for tests that drive real windows: the pointer is placed with
// SetCursorPos (after an injected absolute move Wine can jump back to the last SetCursorPos
// point), then moves, buttons, wheel notches and keys go through SendInput, so capture, hover,
// focus and hooks see them exactly as a person's input. The input lands in the queue of the
// window under the pointer or with the focus: a test that owns that window must pump its
// messages (support/win/MessagePump.h) before it looks at the outcome.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace k2q::testing {

// Places the pointer at a screen point and reports a move there to the window under it.
void MovePointer(int x, int y);
inline void MovePointer(POINT pt) { MovePointer(pt.x, pt.y); }

void LeftDown();
void LeftUp();
void RightDown();
void RightUp();
// Moves to the point, then presses and releases the button there.
void LeftClick(int x, int y);
void RightClick(int x, int y);
void LeftDoubleClick(int x, int y);
// One wheel movement of `delta` (WHEEL_DELTA per notch, negative towards the user).
void Wheel(int delta);

// Virtual-key presses and releases; the extended flag is set for the keys that carry it
// (arrows, Insert, Delete, Home, End, Page Up/Down, right Ctrl/Alt, the Windows keys ...).
void KeyDown(WORD vk);
void KeyUp(WORD vk);
void PressKey(WORD vk);
// Presses the keys in order and releases them in reverse order (a chord like Ctrl+Alt+Del).
void PressChord(std::initializer_list<WORD> keys);

// Parks the pointer in a far corner for the test, so no window the test opens appears under it;
// then puts it back where it was and releases what a failed test may have left held. Tests
// that open windows hold one from before the first window appears.
class PointerGuard {
public:
    PointerGuard();
    ~PointerGuard();
    PointerGuard(const PointerGuard&) = delete;
    PointerGuard& operator=(const PointerGuard&) = delete;

private:
    POINT saved_{};
};

// The centre of a window's rectangle on the screen, and a point at an offset from its
// top-left corner (client offsets of a borderless window are window offsets).
POINT CentreOf(HWND hwnd);
POINT ScreenPointOf(HWND hwnd, int x, int y);

}  // namespace k2q::testing
