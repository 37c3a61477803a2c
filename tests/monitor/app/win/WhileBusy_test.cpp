// What reaches the monitor while it is busy (a reload with the program's own clock, the open
// tray menu) runs after it, in the order it arrived, and none of it runs in the middle: tray
// clicks given with the real pointer through explorer, device and session changes sent from
// another thread, button events from the driver channel's reader thread, reload requests.
//
// Everything the monitor's thread does is noted, in order, by a window of another thread: the
// moment it takes each stimulus, its device opens and closes, the scroll notices its button
// events post to the configuration window, and the progress popup and the tray menu coming and
// going.
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "HostedMonitor.h"
#include "support/win/MessagePump.h"
#include "support/win/Processes.h"
#include "support/win/TrayIcons.h"
#include "support/win/UserInput.h"

namespace k2q::monitor {
namespace {

using namespace std::chrono_literals;

constexpr UINT kNoteMessage = WM_APP + 1;  // lParam: a string literal

// The notes, taken by a message-only window on a thread of its own: whatever posts to it from
// one thread arrives in the order it was posted.
class Notes {
  public:
    Notes() {
        thread_ = std::thread([this] { Run(); });
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return window_ != nullptr; });
    }
    ~Notes() {
        ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }

    HWND window() const { return window_; }
    void Note(const char* what) {
        ::PostMessageW(window_, kNoteMessage, 0, reinterpret_cast<LPARAM>(what));
    }
    void Clear() {
        std::lock_guard lock(mutex_);
        seen_.clear();
    }
    bool Has(const std::string& what) {
        std::lock_guard lock(mutex_);
        return std::find(seen_.begin(), seen_.end(), what) != seen_.end();
    }
    // Waits until count notes have arrived (bounded); returns all of them.
    std::vector<std::string> WaitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, 20s, [&] { return seen_.size() >= count; });
        return seen_;
    }

  private:
    void Run() {
        HWND window = ::CreateWindowExW(0, L"STATIC", L"notes", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, nullptr, nullptr);
        {
            std::lock_guard lock(mutex_);
            threadId_ = ::GetCurrentThreadId();
            window_ = window;
        }
        changed_.notify_all();
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            std::string note;
            if (msg.message == kNoteMessage) {
                note = reinterpret_cast<const char*>(msg.lParam);
            } else if (msg.message == kScrollNoticeMessage) {
                note = msg.wParam == kScrollLeftNotice ? "scroll left" : "scroll right";
            } else {
                ::DispatchMessageW(&msg);
                continue;
            }
            {
                std::lock_guard lock(mutex_);
                seen_.push_back(note);
            }
            changed_.notify_all();
        }
        ::DestroyWindow(window);
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> seen_;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    std::thread thread_;
};

Notes* g_notes = nullptr;
HWND g_monitor = nullptr;

// Notes the progress popup (the only dialog here) and the tray menu as they come and go.
LRESULT CALLBACK NoteWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND || code == HCBT_DESTROYWND) {
        wchar_t name[32] = {};
        ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 32);
        const bool created = code == HCBT_CREATEWND;
        if (std::wstring(name) == L"#32770") {
            g_notes->Note(created ? "popup shown" : "popup gone");
        } else if (std::wstring(name) == L"#32768") {
            g_notes->Note(created ? "menu shown" : "menu gone");
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Notes the moment the monitor's thread takes a stimulus: a sent message when it reaches the
// window, a posted one when a message loop removes it from the queue.
void NoteTaken(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case kButtonEventMessage:
            g_notes->Note(wParam == 1003 ? "took 1003" : "took 1004");
            break;
        case kReloadRequestMessage:
            g_notes->Note("took reload");
            break;
        case kTrayCallbackMessage:
            if (lParam == WM_RBUTTONDOWN) {
                g_notes->Note("took right click");
            }
            break;
        case WM_WTSSESSION_CHANGE:
            g_notes->Note("took lock");
            break;
        case WM_DEVICECHANGE:
            g_notes->Note("took arrival");
            break;
        default:
            break;
    }
}

// (A sent reload request is the test's own, which starts the busy time.)
LRESULT CALLBACK NoteSent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->hwnd == g_monitor && sent->message != kReloadRequestMessage) {
        NoteTaken(sent->message, sent->wParam, sent->lParam);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK NotePosted(int code, WPARAM wParam, LPARAM lParam) {
    const auto* posted = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && (wParam & PM_REMOVE) && posted->hwnd == g_monitor) {
        NoteTaken(posted->message, posted->wParam, posted->lParam);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// What a stimulus, once taken, makes the monitor do.
const std::map<std::string, std::vector<std::string>> kEffects = {
    {"took 1003", {"scroll left"}},
    {"took 1004", {"scroll right"}},
    {"took reload", {"popup shown", "popup gone"}},
    {"took right click", {"menu shown", "menu gone"}},
    {"took lock", {"close"}},
    {"took arrival", {"open"}},  // the lock closed the device first
};

// From the busy time's start marker on, the notes must show only stimuli being taken until its
// end marker, and after it exactly their effects, in the order they were taken.
void ExpectEverythingRanAfterInOrder(const std::vector<std::string>& seen,
                                     const std::string& starts, const std::string& ends,
                                     std::size_t stimuli) {
    const auto from = std::find(seen.begin(), seen.end(), starts);
    ASSERT_NE(from, seen.end()) << ::testing::PrintToString(seen);
    const auto end = std::find(from, seen.end(), ends);
    ASSERT_NE(end, seen.end()) << ::testing::PrintToString(seen);
    const std::vector<std::string> taken(from + 1, end);
    std::vector<std::string> effects;
    for (const std::string& note : taken) {
        const auto effect = kEffects.find(note);
        if (effect == kEffects.end()) {
            ADD_FAILURE() << "ran while busy: " << note;
            continue;
        }
        effects.insert(effects.end(), effect->second.begin(), effect->second.end());
    }
    EXPECT_EQ(taken.size(), stimuli) << ::testing::PrintToString(seen);
    EXPECT_EQ(std::vector<std::string>(end + 1, seen.end()), effects)
        << ::testing::PrintToString(seen);
}

// The driver, with its opens and closes noted.
class NotingPort : public DriverPort {
  public:
    NotingPort(DriverPort& driver, Notes& notes) : driver_(driver), notes_(notes) {}
    DeviceHandle Open() override {
        const DeviceHandle device = driver_.Open();
        if (device) {
            notes_.Note("open");
        }
        return device;
    }
    std::optional<std::size_t> Control(DeviceHandle device, std::uint32_t code,
                                       std::span<const std::uint8_t> input,
                                       std::span<std::uint8_t> output) override {
        return driver_.Control(device, code, input, output);
    }
    void Close(DeviceHandle device) override {
        notes_.Note("close");
        driver_.Close(device);
    }

  private:
    DriverPort& driver_;
    Notes& notes_;
};

class WhileBusy : public HostedMonitor {
  protected:
    void SetUp() override {
        HostedMonitor::SetUp();
        // Button events that post a scroll notice to the configuration window, which is the
        // notes' window.
        buttons.records[kFirstSideButton].function = kFnScrollLeft;
        buttons.records[kSecondSideButton].function = kFnScrollRight;
        realClock = true;
        port = &notingPort;
        g_notes = &notes;
        const DWORD thread = ::GetCurrentThreadId();
        hooks[0] = ::SetWindowsHookExW(WH_CBT, &NoteWindows, nullptr, thread);
        hooks[1] = ::SetWindowsHookExW(WH_CALLWNDPROC, &NoteSent, nullptr, thread);
        hooks[2] = ::SetWindowsHookExW(WH_GETMESSAGE, &NotePosted, nullptr, thread);
        for (HHOOK h : hooks) {
            ASSERT_NE(h, nullptr);
        }
        Start();
        g_monitor = monitor->hwnd();
        Send(kConfigWindowMessage, reinterpret_cast<WPARAM>(notes.window()));
        ASSERT_TRUE(testing::PumpUntil([] { return testing::TrayIconWindows().size() == 1; }, 5s));
        notes.WaitFor(1);  // the device opened at start
        notes.Clear();
    }
    void TearDown() override {
        HostedMonitor::TearDown();
        for (HHOOK h : hooks) {
            ::UnhookWindowsHookEx(h);
        }
        g_notes = nullptr;
        g_monitor = nullptr;
    }

    // The tray menu is closed as a user closes it, once it has shown.
    void CloseMenuWithEscape() {
        for (int i = 0; i < 2000 && !notes.Has("menu shown"); ++i) {
            std::this_thread::sleep_for(10ms);
        }
        testing::PressKey(VK_ESCAPE);
    }

    testing::PointerGuard pointer;
    Notes notes;
    NotingPort notingPort{driver, notes};
    HHOOK hooks[3] = {};
};

TEST_F(WhileBusy, EverythingThatArrivesDuringAReloadRunsAfterItInOrder) {
    const HWND mon = monitor->hwnd();
    const POINT icon = testing::CentreOf(testing::TrayIconWindows().front());
    std::atomic<bool> answeredAtOnce{false};
    std::thread sender([&] {
        if (!testing::WaitForWindow(kProgressWindowTitle, 10s)) {
            return;
        }
        driver.QueueEvent(1003);
        testing::RightClick(icon.x, icon.y);
        // Sent messages are answered at once, not after the reload.
        ::SendMessageW(mon, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
        auto arrival =
            Arrival(L"\\\\?\\USB#VID_1BCF&PID_4C2E#5&1a#{a5dcbf10-6530-11d2-901f-00c04fb951ed}");
        ::SendMessageW(mon, WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                       reinterpret_cast<LPARAM>(arrival.data()));
        std::fill(arrival.begin(), arrival.end(), std::uint8_t{0});  // the sender's, and gone
        answeredAtOnce = ::FindWindowW(nullptr, kProgressWindowTitle) != nullptr;
        driver.QueueEvent(1004);
        ::PostMessageW(mon, kReloadRequestMessage, 0, 0);
        CloseMenuWithEscape();
    });
    // The request runs the reload and then everything that arrived meanwhile.
    EXPECT_EQ(Send(kReloadRequestMessage, 7), 1);
    sender.join();

    EXPECT_TRUE(answeredAtOnce);
    // The popup's two notes, six stimuli taken, and their eight effects.
    ExpectEverythingRanAfterInOrder(notes.WaitFor(16), "popup shown", "popup gone", 6);
    EXPECT_TRUE(monitor->deviceOpen());
}

TEST_F(WhileBusy, ButtonEventsAndReloadRequestsWaitForTheTrayMenuToClose) {
    const HWND mon = monitor->hwnd();
    std::thread user([&] {
        for (int i = 0; i < 2000 && !notes.Has("menu shown"); ++i) {
            std::this_thread::sleep_for(10ms);
        }
        driver.QueueEvent(1003);
        ::PostMessageW(mon, kReloadRequestMessage, 0, 0);
        driver.QueueEvent(1004);
        // Posted messages come before input: the menu's loop takes them before it sees the key.
        for (int i = 0; i < 2000 && !notes.Has("took 1004"); ++i) {
            std::this_thread::sleep_for(10ms);
        }
        CloseMenuWithEscape();
    });
    const POINT icon = testing::CentreOf(testing::TrayIconWindows().front());
    testing::RightClick(icon.x, icon.y);
    const bool done = testing::PumpUntil([&] { return notes.Has("scroll right"); }, 30s);
    user.join();
    ASSERT_TRUE(done);
    // The click, the menu's two notes, three stimuli taken, and their four effects.
    ExpectEverythingRanAfterInOrder(notes.WaitFor(10), "menu shown", "menu gone", 3);
}

}  // namespace
}  // namespace k2q::monitor
