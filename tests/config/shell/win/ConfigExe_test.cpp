// The real K2q_Config.exe with the real monitor from dist/, driven as a user drives them: by
// real pointer and key input on their windows, read back from the registry, the windows on
// the screen and the processes' exit codes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/Messages.h"
#include "common/settings/ButtonSetting.h"
#include "support/win/MessagePump.h"
#include "support/win/Processes.h"
#include "support/win/RawRegistry.h"
#include "support/win/UserInput.h"

namespace k2q::testing {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kStoreKeyPath[] = L"Software\\Tavik\\K2q";
// The main dialog's title, "tc_title" of the shipped language file.
constexpr wchar_t kDialogTitle[] = L"K2q Gaming Mouse";

DWORD ProcessOf(HWND hwnd) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

std::vector<HWND> VisibleWindowsOf(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid, {}};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            if (ProcessOf(hwnd) == s->pid && ::IsWindowVisible(hwnd)) {
                s->found.push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t text[1024] = {};
    ::GetWindowTextW(hwnd, text, 1024);
    return text;
}

// The texts of a window's static controls, joined.
std::wstring StaticTexts(HWND window) {
    std::wstring texts;
    for (HWND child = ::FindWindowExW(window, nullptr, L"Static", nullptr); child;
         child = ::FindWindowExW(window, child, L"Static", nullptr)) {
        texts += WindowText(child);
    }
    return texts;
}

// A message box of the process: a dialog window with an OK button and a static text (its
// identifier differs between systems).
HWND MessageBoxOf(DWORD pid) {
    for (HWND hwnd : VisibleWindowsOf(pid)) {
        wchar_t cls[32] = {};
        ::GetClassNameW(hwnd, cls, 32);
        if (std::wstring(cls) == L"#32770" && ::GetDlgItem(hwnd, IDOK) &&
            !StaticTexts(hwnd).empty()) {
            return hwnd;
        }
    }
    return nullptr;
}

// Clicks the OK button of a message box as a user would.
void ClickOk(HWND box) {
    HWND ok = ::GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    const POINT centre = CentreOf(ok);
    LeftClick(centre.x, centre.y);
}

std::wstring TemporaryFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + name;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\";
}

class ConfigExe : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(::FindWindowW(nullptr, kMonitorWindowTitle), nullptr)
            << "a monitor is already running";
        ASSERT_EQ(::FindWindowW(nullptr, kDialogTitle), nullptr)
            << "a configuration program is already running";
        ::GetDesktopWindow();  // a process needs its desktop before SetCursorPos takes effect
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tavik");
    }
    void TearDown() override {
        config.Kill();
        StopMonitor();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tavik");
    }

    // Starts the configuration program from dist/ and waits for its main dialog.
    HWND StartConfig() {
        config = ChildProcess::Start(DistPath(L"K2q_Config.exe"));
        HWND dialog = nullptr;
        PumpUntil(
            [&] {
                dialog = ::FindWindowW(nullptr, kDialogTitle);
                return dialog && ::IsWindowVisible(dialog);
            },
            30s);
        return dialog;
    }

    // The monitor was started by the configuration program, not by the test: it is ended
    // through its window as its tray menu would, and by force only if that fails.
    static void StopMonitor() {
        HWND monitor = ::FindWindowW(nullptr, kMonitorWindowTitle);
        if (!monitor) {
            return;
        }
        const DWORD pid = ProcessOf(monitor);
        ::PostMessageW(monitor, WM_CLOSE, 0, 0);
        if (!WaitForNoWindow(kMonitorWindowTitle, 10s)) {
            if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)) {
                ::TerminateProcess(process, 99);
                ::WaitForSingleObject(process, 5000);
                ::CloseHandle(process);
            }
        }
        // The monitor ends about a second after WM_CLOSE; its process must be gone before
        // the next test looks for a monitor.
        if (HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid)) {
            ::WaitForSingleObject(process, 10000);
            ::CloseHandle(process);
        }
    }

    ChildProcess config;
    PointerGuard pointer;
};

TEST_F(ConfigExe, FirstStartStartsTheMonitorAndShowsTheDialogAtTheScreensCorner) {
    const HWND dialog = StartConfig();
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(::FindWindowW(nullptr, kMonitorWindowTitle), nullptr);
    RECT shown;
    ::GetWindowRect(dialog, &shown);
    EXPECT_EQ(shown.left, 0);
    EXPECT_EQ(shown.top, 0);
    EXPECT_EQ(shown.right - shown.left, 680);
    EXPECT_EQ(shown.bottom - shown.top, 500);
    // Both programs created the store between them, with its defaults.
    const auto buttons = ReadRaw(kStoreKeyPath, L"ButtonSetting");
    ASSERT_TRUE(buttons);
    EXPECT_EQ(buttons->bytes.size(), sizeof(ButtonSetting));
}

TEST_F(ConfigExe, ASecondStartShowsNothingAndLeavesTheFirstAsItWas) {
    const HWND dialog = StartConfig();
    ASSERT_NE(dialog, nullptr);
    const HWND monitor = ::FindWindowW(nullptr, kMonitorWindowTitle);
    ASSERT_NE(monitor, nullptr);

    ChildProcess second = ChildProcess::Start(DistPath(L"K2q_Config.exe"));
    bool showedAWindow = false;
    PumpUntil(
        [&] {
            showedAWindow = showedAWindow || !VisibleWindowsOf(second.id()).empty();
            return !second.running();
        },
        30s);
    EXPECT_EQ(second.Wait(1s), 0);
    EXPECT_FALSE(showedAWindow);
    EXPECT_EQ(::FindWindowW(nullptr, kDialogTitle), dialog);
    EXPECT_TRUE(::IsWindowVisible(dialog));
    EXPECT_EQ(::FindWindowW(nullptr, kMonitorWindowTitle), monitor);
}

TEST_F(ConfigExe, WithoutTheMonitorBesideItTheUserIsToldAndTheProgramEnds) {
    // A copy of the program and its texts in a folder of its own, without the monitor. The
    // monitor in dist/ is not running, and the working folder is dist/'s: neither counts.
    const std::wstring folder = TemporaryFolder(L"k2q_config_alone");
    const std::wstring exe = folder + L"K2q_Config.exe";
    ASSERT_TRUE(::CopyFileW(DistPath(L"K2q_Config.exe").c_str(), exe.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(DistPath(L"language.xml").c_str(), (folder + L"language.xml").c_str(),
                            FALSE));

    ChildProcess alone = ChildProcess::Start(exe);
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = MessageBoxOf(alone.id())) != nullptr; }, 30s));
    EXPECT_NE(StaticTexts(box).find(L"K2q_Mouse.exe"), std::wstring::npos)
        << "not the tc_msg2 text";
    // The main dialog never showed; only the message did.
    EXPECT_EQ(VisibleWindowsOf(alone.id()).size(), 1u);
    ClickOk(box);
    EXPECT_EQ(alone.Wait(10s), 0);
    EXPECT_EQ(::FindWindowW(nullptr, kMonitorWindowTitle), nullptr);
    EXPECT_FALSE(ReadRaw(kStoreKeyPath, L"ButtonSetting")) << "nothing may be written";

    ::DeleteFileW(exe.c_str());
    ::DeleteFileW((folder + L"language.xml").c_str());
    ::RemoveDirectoryW(folder.c_str());
}

TEST_F(ConfigExe, TheMonitorsExitClosesItWithoutWriting) {
    const HWND dialog = StartConfig();
    ASSERT_NE(dialog, nullptr);
    // Mark the store after the program has read it: a write at the end would replace it.
    const auto before = ReadRaw(kStoreKeyPath, L"ButtonSetting");
    ASSERT_TRUE(before);
    std::vector<std::uint8_t> marked = before->bytes;
    marked[sizeof(ButtonRecord) * kRecordCount] = 0x5A;  // the reserved byte
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kStoreKeyPath, 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    ::RegSetValueExW(key, L"ButtonSetting", 0, REG_BINARY, marked.data(),
                     static_cast<DWORD>(marked.size()));
    ::RegCloseKey(key);

    ::PostMessageW(::FindWindowW(nullptr, kMonitorWindowTitle), WM_CLOSE, 0, 0);
    EXPECT_EQ(config.Wait(15s), 0);
    const auto after = ReadRaw(kStoreKeyPath, L"ButtonSetting");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->bytes, marked);
}

}  // namespace
}  // namespace k2q::testing
