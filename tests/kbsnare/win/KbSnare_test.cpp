// KbSnare.dll as the configuration program uses it: loaded by its full path from dist/, real
// keystrokes through SendInput, and what reaches which window read back from the messages.
//
// "Nothing arrives" is shown without waiting on a clock: a sentinel key is sent after the keys
// in question, and the hook handles keys in order, so once the sentinel is seen everything
// before it has been seen too.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "common/Messages.h"
#include "common/win/UniqueHandle.h"
#include "common/win/Window.h"
#include "support/win/MessagePump.h"
#include "support/win/Processes.h"
#include "support/win/UserInput.h"

namespace k2q {
namespace {

using InstallHook = void(HWND);
using SetHookStatus = void(int);
using RemoveHook = void();

constexpr WORD kSentinel = VK_F9;

struct Note {
    UINT msg;
    WPARAM vk;
    LPARAM flags;
    friend bool operator==(const Note&, const Note&) = default;
};

std::ostream& operator<<(std::ostream& os, const Note& n) {
    return os << std::hex << "{" << n.msg << ", " << n.vk << ", " << n.flags << "}";
}

// A visible window that notes the hook's notifications and the keys the system gives it.
class KeyWindow : public win::Window {
  public:
    std::vector<Note> notes;

    bool Open(const wchar_t* title, int x) {
        Window::CreateParams p;
        p.className = L"K2qKbSnareTestWindow";
        p.title = title;
        p.style = WS_POPUP | WS_VISIBLE;
        p.x = x;
        p.y = 100;
        p.width = p.height = 80;
        return Create(p);
    }
    bool Front() {
        ::SetForegroundWindow(hwnd());
        ::SetFocus(hwnd());
        return testing::PumpUntil([&] { return ::GetForegroundWindow() == hwnd(); });
    }
    std::vector<Note> Hooked() const { return Only(WM_HOOK_KEY); }
    std::vector<Note> Typed() const { return Only(WM_KEYDOWN); }
    bool Saw(UINT msg, WPARAM vk) const {
        return std::any_of(notes.begin(), notes.end(),
                           [&](const Note& n) { return n.msg == msg && n.vk == vk; });
    }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
            case WM_HOOK_KEY:
                notes.push_back({msg, wParam, lParam});
                return 0;
            case WM_KEYDOWN:
            case WM_KEYUP:
            case WM_SYSKEYDOWN:
            case WM_SYSKEYUP:
                notes.push_back({msg, wParam, 0});
                return 0;
            default:
                return Window::WndProc(msg, wParam, lParam);
        }
    }

  private:
    std::vector<Note> Only(UINT msg) const {
        std::vector<Note> out;
        std::copy_if(notes.begin(), notes.end(), std::back_inserter(out),
                     [&](const Note& n) { return n.msg == msg; });
        return out;
    }
};

Note Press(WPARAM vk) {
    return {WM_HOOK_KEY, vk, 0};
}
Note Release(WPARAM vk) {
    return {WM_HOOK_KEY, vk, static_cast<LPARAM>(kHookKeyReleased)};
}

class KbSnare : public ::testing::Test {
  protected:
    void SetUp() override {
        library.reset(::LoadLibraryW(testing::DistPath(L"KbSnare.dll").c_str()));
        ASSERT_TRUE(library) << "dist/KbSnare.dll is not built";
        install = Find<InstallHook>("installhook");
        setStatus = Find<SetHookStatus>("SetHookStatus");
        remove = Find<RemoveHook>("removehook");
        ASSERT_TRUE(install && setStatus && remove);
        ASSERT_TRUE(window.Open(L"K2qKbSnareReceiver", 100));
        ASSERT_TRUE(window.Front());
    }
    void TearDown() override {
        if (remove) {
            remove();
        }
        // Keys a failed test left down would reach the next one.
        for (const WORD vk :
             std::initializer_list<WORD>{VK_LCONTROL, VK_LMENU, VK_LSHIFT, 'A', 'B'}) {
            if (::GetAsyncKeyState(vk) < 0) {
                testing::KeyUp(vk);
            }
        }
        testing::PumpQueued();
    }

    template <class Fn>
    Fn* Find(const char* name) {
        return reinterpret_cast<Fn*>(
            reinterpret_cast<void*>(::GetProcAddress(library.get(), name)));
    }

    // Sends the sentinel with delivery on and waits until the window has its release.
    void SyncDelivered(KeyWindow& w) {
        testing::PressKey(kSentinel);
        ASSERT_TRUE(testing::PumpUntil(
            [&] { return std::count(w.notes.begin(), w.notes.end(), Release(kSentinel)) != 0; }));
    }
    // Sends the sentinel while it passes to the system and waits until the window has it.
    void SyncPassed(KeyWindow& w) {
        testing::PressKey(kSentinel);
        ASSERT_TRUE(testing::PumpUntil([&] { return w.Saw(WM_KEYUP, kSentinel); }));
    }

    win::UniqueModule library;
    InstallHook* install = nullptr;
    SetHookStatus* setStatus = nullptr;
    RemoveHook* remove = nullptr;
    KeyWindow window;
};

TEST(KbSnareLibrary, ExportsExactlyTheThreeEntryPointsByTheirPlainNames) {
    win::UniqueModule library(::LoadLibraryExW(testing::DistPath(L"KbSnare.dll").c_str(), nullptr,
                                               DONT_RESOLVE_DLL_REFERENCES));
    ASSERT_TRUE(library);
    const auto* base = reinterpret_cast<const BYTE*>(library.get());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
    ASSERT_EQ(nt->FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    ASSERT_NE(dir.VirtualAddress, 0u);
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    std::set<std::string> found;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        found.insert(reinterpret_cast<const char*>(base + names[i]));
    }
    EXPECT_EQ(found, (std::set<std::string>{"SetHookStatus", "installhook", "removehook"}));
    EXPECT_EQ(exports->NumberOfFunctions, 3u);
}

TEST_F(KbSnare, DeliversPressesReleasesAndRepeatsToTheInstalledWindowAndKeepsThemFromIt) {
    install(window.hwnd());
    setStatus(1);
    testing::KeyDown('A');
    testing::KeyDown('A');  // the keyboard's auto-repeat
    testing::KeyUp('A');
    testing::PressChord({VK_LCONTROL, VK_LMENU, VK_DELETE});
    ASSERT_NO_FATAL_FAILURE(SyncDelivered(window));
    EXPECT_EQ(
        window.Hooked(),
        (std::vector<Note>{Press('A'), Press('A'), Release('A'), Press(VK_LCONTROL),
                           Press(VK_LMENU), Press(VK_DELETE), Release(VK_DELETE), Release(VK_LMENU),
                           Release(VK_LCONTROL), Press(kSentinel), Release(kSentinel)}));
    // While captured, the keys act nowhere else: the window itself never receives them.
    setStatus(0);
    ASSERT_NO_FATAL_FAILURE(SyncPassed(window));
    EXPECT_EQ(window.Typed(), (std::vector<Note>{{WM_KEYDOWN, kSentinel, 0}}));
}

TEST_F(KbSnare, DeliversNothingWhileOffOrAfterRemovalAndLeavesTheKeysToTheSystem) {
    install(window.hwnd());
    testing::PressKey('A');  // installed, not yet switched on
    setStatus(1);
    setStatus(0);
    testing::PressKey('B');
    ASSERT_NO_FATAL_FAILURE(SyncPassed(window));
    remove();
    setStatus(1);  // without a hook this switches nothing on
    testing::PressKey('A');
    ASSERT_NO_FATAL_FAILURE(SyncPassed(window));
    EXPECT_TRUE(window.Hooked().empty());
    EXPECT_EQ(window.Typed(), (std::vector<Note>{{WM_KEYDOWN, 'A', 0},
                                                 {WM_KEYDOWN, 'B', 0},
                                                 {WM_KEYDOWN, kSentinel, 0},
                                                 {WM_KEYDOWN, 'A', 0},
                                                 {WM_KEYDOWN, kSentinel, 0}}));
}

TEST_F(KbSnare, OnlyTheInstalledWindowHearsAndASecondInstallReplacesTheFirst) {
    KeyWindow other;
    ASSERT_TRUE(other.Open(L"K2qKbSnareBystander", 300));
    ASSERT_TRUE(other.Front());  // another window of the same program in front
    install(window.hwnd());
    setStatus(1);
    testing::PressKey('A');
    ASSERT_NO_FATAL_FAILURE(SyncDelivered(window));
    EXPECT_TRUE(other.Hooked().empty());
    EXPECT_TRUE(other.Typed().empty());

    window.notes.clear();
    install(other.hwnd());  // replaces: one hook, delivery off until switched on
    testing::PressKey('B');
    setStatus(1);
    ASSERT_NO_FATAL_FAILURE(SyncDelivered(other));
    EXPECT_EQ(other.Hooked(), (std::vector<Note>{Press(kSentinel), Release(kSentinel)}));
    EXPECT_EQ(other.Typed(), (std::vector<Note>{{WM_KEYDOWN, 'B', 0}}));
    EXPECT_TRUE(window.notes.empty());
}

// Keys typed into a window of another thread (another program, as far as the receiver can
// tell) are neither captured nor kept from it.
TEST_F(KbSnare, KeysTypedIntoAnotherProgramAreLeftAlone) {
    install(window.hwnd());
    setStatus(1);
    std::atomic<int> stage{0};  // 1: the other window is in front; 2: it typed both keys
    std::thread foreign([&] {
        KeyWindow elsewhere;
        if (!elsewhere.Open(L"K2qKbSnareElsewhere", 500) || !elsewhere.Front()) {
            stage = -1;
            return;
        }
        stage = 1;
        const bool typed = testing::PumpUntil([&] { return elsewhere.Saw(WM_KEYDOWN, kSentinel); });
        stage = typed && elsewhere.Saw(WM_KEYDOWN, 'A') ? 2 : -1;
    });
    // The hook runs on this thread, which therefore pumps while the other one works.
    testing::PumpUntil([&] { return stage != 0; });
    if (stage == 1) {
        testing::PressKey('A');
        testing::PressKey(kSentinel);
    }
    testing::PumpUntil([&] { return stage != 1; });
    foreign.join();
    EXPECT_EQ(stage, 2);
    EXPECT_TRUE(window.Hooked().empty());
}

// A program that hangs while delivery is on must not take the keyboard with it: when the user
// turns to another program, the system gives up on the unanswered hook and the keys go there.
TEST_F(KbSnare, AHungReceiverDoesNotLeaveTheKeyboardDead) {
    win::UniqueKernelHandle installed(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    win::UniqueKernelHandle wake(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread hung([&] {
        KeyWindow receiver;
        if (receiver.Open(L"K2qKbSnareHung", 700)) {
            install(receiver.hwnd());
            setStatus(1);
        }
        ::SetEvent(installed.get());
        ::WaitForSingleObject(wake.get(), 60000);  // neither pumps nor answers the hook
        remove();
    });
    ::WaitForSingleObject(installed.get(), 20000);
    ASSERT_TRUE(window.Front());
    testing::PressKey('A');
    const bool typed = testing::PumpUntil([&] { return window.Saw(WM_KEYUP, 'A'); });
    ::SetEvent(wake.get());
    hung.join();
    EXPECT_TRUE(typed);
    EXPECT_TRUE(window.Hooked().empty());
}

}  // namespace
}  // namespace k2q
