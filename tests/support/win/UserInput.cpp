#include "support/win/UserInput.h"

namespace k2q::testing {
namespace {

void SendMouse(DWORD flags, DWORD data = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    ::SendInput(1, &input, sizeof input);
}

bool IsExtendedKey(WORD vk) {
    switch (vk) {
        case VK_INSERT:
        case VK_DELETE:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_RCONTROL:
        case VK_RMENU:
        case VK_LWIN:
        case VK_RWIN:
        case VK_APPS:
        case VK_DIVIDE:
        case VK_NUMLOCK:
        case VK_SNAPSHOT:
            return true;
        default:
            return false;
    }
}

void SendKey(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    ::SendInput(1, &input, sizeof input);
}

}  // namespace

void MovePointer(int x, int y) {
    ::GetDesktopWindow();  // a process needs its desktop before SetCursorPos takes effect
    ::SetCursorPos(x, y);
    // A relative move of nothing makes the system report the position to the window under it.
    SendMouse(MOUSEEVENTF_MOVE);
}

void LeftDown() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
}
void LeftUp() {
    SendMouse(MOUSEEVENTF_LEFTUP);
}
void RightDown() {
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
}
void RightUp() {
    SendMouse(MOUSEEVENTF_RIGHTUP);
}

void LeftClick(int x, int y) {
    MovePointer(x, y);
    LeftDown();
    LeftUp();
}

void RightClick(int x, int y) {
    MovePointer(x, y);
    RightDown();
    RightUp();
}

void LeftDoubleClick(int x, int y) {
    LeftClick(x, y);
    LeftDown();
    LeftUp();
}

void Wheel(int delta) {
    SendMouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta));
}

void KeyDown(WORD vk) {
    SendKey(vk, false);
}
void KeyUp(WORD vk) {
    SendKey(vk, true);
}

void PressKey(WORD vk) {
    KeyDown(vk);
    KeyUp(vk);
}

void PressChord(std::initializer_list<WORD> keys) {
    for (WORD vk : keys) {
        KeyDown(vk);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        KeyUp(*--it);
    }
}

PointerGuard::PointerGuard() {
    ::GetCursorPos(&saved_);
    // Park the pointer in a corner where no test opens a window. A window that appears under
    // the pointer gets the X server's note of where the pointer is; the window's thread reads
    // that note late and puts the pointer back there, after the test has already moved it
    // elsewhere, and the test's next click lands on whatever lies under the old point.
    ::GetDesktopWindow();
    const int right = ::GetSystemMetrics(SM_CXSCREEN) - 5;
    const int bottom = ::GetSystemMetrics(SM_CYSCREEN) - 5;
    ::SetCursorPos(right, bottom);
}

PointerGuard::~PointerGuard() {
    if (::GetAsyncKeyState(VK_LBUTTON) < 0) {
        LeftUp();
    }
    if (::GetAsyncKeyState(VK_RBUTTON) < 0) {
        RightUp();
    }
    ::SetCursorPos(saved_.x, saved_.y);
}

POINT CentreOf(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT ScreenPointOf(HWND hwnd, int x, int y) {
    POINT pt{x, y};
    ::ClientToScreen(hwnd, &pt);
    return pt;
}

}  // namespace k2q::testing
