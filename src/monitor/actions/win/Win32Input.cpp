#include "monitor/actions/win/Win32Input.h"

#include <windows.h>

namespace k2q::monitor {
namespace {

// Fetched at the moment of each call: the extra information belongs to the message being
// handled, and another message may be in hand by the next call.
ULONG_PTR ExtraInformation(ExtraInfo extra) {
    return extra == ExtraInfo::CurrentMessage ? static_cast<ULONG_PTR>(::GetMessageExtraInfo()) : 0;
}

}  // namespace

void Win32InputSink::Keyboard(const KeyboardInput& input) {
    ::keybd_event(input.vk, input.scan, input.flags, ExtraInformation(input.extra));
}

void Win32InputSink::Mouse(const MouseInput& input) {
    ::mouse_event(input.flags, static_cast<DWORD>(input.dx), static_cast<DWORD>(input.dy),
                  static_cast<DWORD>(input.data), ExtraInformation(input.extra));
}

}  // namespace k2q::monitor
