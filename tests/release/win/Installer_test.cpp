// The installer as a user and an administrator meet it, silently (/S) in the test prefix: one
// install, upgrade and uninstall cycle, with the installed monitor running in between; and the
// installed product used end to end as a user uses it, from its Start-menu shortcut to Exit in
// the tray menu. What is checked is what Windows and the user see: the files, the shortcuts'
// targets, the sign-in and installed-apps entries, the stored settings, the running processes
// and what is left after the uninstallation.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Messages.h"
#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroSetting.h"
#include "common/ui/SkinLayout.h"
#include "common/win/UniqueHandle.h"
#include "config/macro/win/MacroEditorIds.h"
#include "support/win/ConfigProgram.h"
#include "support/win/MessagePump.h"
#include "support/win/Processes.h"
#include "support/win/RawRegistry.h"
#include "support/win/Screenshot.h"
#include "support/win/SystemMouseGuard.h"
#include "support/win/TrayIcons.h"
#include "support/win/UserInput.h"

namespace k2q::testing {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TavikK2q";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kStoreKey[] = L"Software\\Tavik\\K2q";

std::wstring Widen(const char* text) {
    return std::wstring(text, text + std::strlen(text));
}

std::wstring ShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path);
    return path;
}

std::wstring InstallFolder() {
    return ShellFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\K2q";
}
std::wstring StartMenuFolder() {
    return ShellFolder(CSIDL_PROGRAMS) + L"\\K2q Gaming Mouse";
}
std::wstring ProfileFolder() {
    return ShellFolder(CSIDL_PERSONAL) + L"\\Tavik\\K2q";
}

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::wstring& path) {
    if (!Exists(path)) {
        return;
    }
    std::wstring from = path + L'\0';  // the list ends with a second null
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    ::SHFileOperationW(&op);
}

std::vector<char> ReadBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file under a folder, by its path relative to it.
void ListFiles(const std::wstring& root, const std::wstring& relative,
               std::vector<std::wstring>& out) {
    WIN32_FIND_DATAW found;
    const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const std::wstring path = relative.empty() ? name : relative + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ListFiles(root, path, out);
        } else {
            out.push_back(path);
        }
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

std::optional<std::wstring> ReadString(const wchar_t* key, const wchar_t* name) {
    const auto raw = ReadRaw(key, name);
    if (!raw || (raw->type != REG_SZ && raw->type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    std::wstring text(reinterpret_cast<const wchar_t*>(raw->bytes.data()),
                      raw->bytes.size() / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return text;
}

std::optional<DWORD> ReadDword(const wchar_t* key, const wchar_t* name) {
    const auto raw = ReadRaw(key, name);
    if (!raw || raw->type != REG_DWORD || raw->bytes.size() != sizeof(DWORD)) {
        return std::nullopt;
    }
    DWORD value = 0;
    std::memcpy(&value, raw->bytes.data(), sizeof value);
    return value;
}

// The target of a shortcut, as the shell resolves it when the user opens it.
std::wstring ShortcutTarget(const std::wstring& link) {
    std::wstring target;
    IShellLinkW* shellLink = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&shellLink)))) {
        return target;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_PPV_ARGS(&file)))) {
        if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
            wchar_t path[MAX_PATH] = {};
            if (shellLink->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH) == S_OK) {
                target = path;
            }
        }
        file->Release();
    }
    shellLink->Release();
    return target;
}

std::wstring ImageOf(DWORD processId) {
    win::UniqueKernelHandle process(
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!process || !::QueryFullProcessImageNameW(process.get(), 0, path, &size)) {
        return {};
    }
    return path;
}

// The top-level windows titled as the monitor's, one per running monitor.
std::vector<HWND> MonitorWindows() {
    std::vector<HWND> windows;
    for (HWND w = ::FindWindowExW(nullptr, nullptr, nullptr, kMonitorWindowTitle); w;
         w = ::FindWindowExW(nullptr, w, nullptr, kMonitorWindowTitle)) {
        windows.push_back(w);
    }
    return windows;
}

// The configuration program's main dialog: a visible, unowned dialog of the installed
// K2q_Config.exe (its title comes from the language file).
HWND ConfigWindow(const std::wstring& exe) {
    for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
         w = ::FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        if (::IsWindowVisible(w) && !::GetWindow(w, GW_OWNER) && ImageOf(ProcessOf(w)) == exe) {
            return w;
        }
    }
    return nullptr;
}

// Runs a command line and returns its exit code, or -1 when it did not end in time.
long RunToEnd(const std::wstring& commandLine, std::chrono::milliseconds bound = 120s) {
    std::wstring command = commandLine;
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &pi)) {
        return -2;
    }
    ::CloseHandle(pi.hThread);
    win::UniqueKernelHandle process(pi.hProcess);
    if (::WaitForSingleObject(process.get(), static_cast<DWORD>(bound.count())) != WAIT_OBJECT_0) {
        ::TerminateProcess(process.get(), 99);
        return -1;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process.get(), &code);
    return static_cast<long>(code);
}

std::wstring InstallerPath() {
    // K2Q_INSTALLER is a Unix path; Wine maps the Unix root to drive Z:.
    std::wstring path = L"Z:" + Widen(K2Q_INSTALLER);
    for (wchar_t& c : path) {
        c = c == L'/' ? L'\\' : c;
    }
    return path;
}

// FILEVERSION of a binary as "x.y.z" (the fourth number is always 0).
std::wstring FileVersion(const std::wstring& path) {
    DWORD ignored = 0;
    std::vector<char> block(::GetFileVersionInfoSizeW(path.c_str(), &ignored));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT size = 0;
    if (block.empty() ||
        !::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &size)) {
        return {};
    }
    wchar_t text[64];
    std::swprintf(text, 64, L"%u.%u.%u", HIWORD(info->dwFileVersionMS),
                  LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS));
    return LOWORD(info->dwFileVersionLS) == 0 ? text : L"";
}

class Installer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(MonitorWindows().empty()) << "a monitor is already running";
        ::CoInitialize(nullptr);
        CleanUp();
    }
    void TearDown() override {
        std::vector<HWND> left = MonitorWindows();
        if (HWND config = ConfigWindow(InstallFolder() + L"\\K2q_Config.exe")) {
            left.push_back(config);
        }
        for (HWND window : left) {
            win::UniqueKernelHandle process(
                ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOf(window)));
            if (process) {
                ::TerminateProcess(process.get(), 99);
                ::WaitForSingleObject(process.get(), 5000);
            }
        }
        CleanUp();
        ::CoUninitialize();
    }
    // Opens the configuration program's Start-menu shortcut as the shell opens it for a user,
    // and waits for the installed program's main dialog.
    static HWND OpenConfigFromStartMenu() {
        const std::wstring link = StartMenuFolder() + L"\\K2q Configuration.lnk";
        if (reinterpret_cast<INT_PTR>(::ShellExecuteW(nullptr, L"open", link.c_str(), nullptr,
                                                      nullptr, SW_SHOWNORMAL)) <= 32) {
            return nullptr;
        }
        const std::wstring exe = InstallFolder() + L"\\K2q_Config.exe";
        HWND dialog = nullptr;
        PumpUntil([&] { return (dialog = ConfigWindow(exe)) != nullptr; }, 20s);
        return dialog;
    }
    static void CleanUp() {
        RemoveTree(InstallFolder());
        RemoveTree(StartMenuFolder());
        RemoveTree(ProfileFolder());
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tavik");
        HKEY run = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
            ::RegDeleteValueW(run, L"K2q_Mouse");
            ::RegCloseKey(run);
        }
    }
};

TEST_F(Installer, InstallsUpgradesOverARunningMonitorAndUninstallsKeepingTheUserSettings) {
    const std::wstring folder = InstallFolder();
    const std::wstring monitorExe = folder + L"\\K2q_Mouse.exe";
    const std::wstring dist = DistPath(L"");

    // A profile the user saved earlier, which the uninstallation must keep.
    ::SHCreateDirectoryExW(nullptr, ProfileFolder().c_str(), nullptr);
    const std::wstring profile = ProfileFolder() + L"\\mine.K2q";
    { std::ofstream(profile.c_str(), std::ios::binary) << "a profile"; }

    ASSERT_EQ(RunToEnd(L"\"" + InstallerPath() + L"\" /S"), 0);

    // Every file of dist/ as it is, the uninstaller, and nothing else.
    std::vector<std::wstring> shipped, installed;
    ListFiles(dist.substr(0, dist.size() - 1), L"", shipped);
    ListFiles(folder, L"", installed);
    ASSERT_FALSE(shipped.empty());
    std::vector<std::wstring> expected = shipped;
    expected.push_back(L"Uninstall.exe");
    std::sort(expected.begin(), expected.end());
    std::sort(installed.begin(), installed.end());
    EXPECT_EQ(installed, expected);
    std::uintmax_t shippedBytes = 0;
    for (const std::wstring& file : shipped) {
        const std::vector<char> bytes = ReadBytes(dist + file);
        shippedBytes += bytes.size();
        EXPECT_TRUE(bytes == ReadBytes(folder + L"\\" + file)) << "differs: " << file.c_str();
    }
    for (const wchar_t* binary : {L"K2q_Mouse.exe", L"K2q_Config.exe", L"KbSnare.dll"}) {
        if (Exists(folder + L"\\" + binary)) {
            EXPECT_EQ(FileVersion(folder + L"\\" + binary), Widen(K2Q_VERSION)) << binary;
        }
    }

    // The shortcuts lead into the installed folder.
    for (const auto& [link, target] : {std::pair{L"K2q Configuration.lnk", L"K2q_Config.exe"},
                                       std::pair{L"K2q Help.lnk", L"help.chm"}}) {
        if (Exists(dist + target)) {
            EXPECT_EQ(ShortcutTarget(StartMenuFolder() + L"\\" + link), folder + L"\\" + target);
        }
    }

    // Sign-in starts the installed monitor; the installed-apps list knows the product.
    const auto signIn = ReadString(kRunKey, L"K2q_Mouse");
    ASSERT_TRUE(signIn);
    EXPECT_EQ(*signIn, L"\"" + monitorExe + L"\"");
    EXPECT_EQ(ReadString(kUninstallKey, L"DisplayName"), L"K2q Gaming Mouse");
    EXPECT_EQ(ReadString(kUninstallKey, L"DisplayVersion"), Widen(K2Q_VERSION));
    EXPECT_EQ(ReadString(kUninstallKey, L"Publisher"), L"Tavik");
    EXPECT_EQ(ReadString(kUninstallKey, L"InstallLocation"), folder);
    EXPECT_EQ(ReadString(kUninstallKey, L"UninstallString"), L"\"" + folder + L"\\Uninstall.exe\"");
    const auto sizeKb = ReadDword(kUninstallKey, L"EstimatedSize");
    ASSERT_TRUE(sizeKb);
    EXPECT_GE(*sizeKb, shippedBytes / 1024);
    EXPECT_LE(*sizeKb, shippedBytes / 1024 + 1024);  // the uninstaller is well under 1 MB

    // The monitor, started as sign-in starts it, runs from the installed folder.
    ASSERT_EQ(signIn->front(), L'"');
    ChildProcess first = ChildProcess::Start(signIn->substr(1, signIn->size() - 2));
    ASSERT_TRUE(PumpUntil([] { return MonitorWindows().size() == 1; }, 15s));
    ASSERT_EQ(ProcessOf(MonitorWindows().front()), first.id());
    EXPECT_EQ(ImageOf(first.id()), monitorExe);
    ASSERT_TRUE(PumpUntil([] { return ReadRaw(kStoreKey, L"MacroSetting").has_value(); }, 10s));
    const auto settings = ReadRaw(kStoreKey, L"ButtonSetting");
    ASSERT_TRUE(settings);

    // The configuration program opens from its Start-menu shortcut, as a user opens it.
    const std::wstring configExe = folder + L"\\K2q_Config.exe";
    win::UniqueKernelHandle config;
    if (Exists(configExe)) {
        const HWND dialog = OpenConfigFromStartMenu();
        ASSERT_NE(dialog, nullptr);
        config.reset(::OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(dialog)));
    }

    // Installing again over the running programs closes them as a user would (the monitor
    // ends cleanly), replaces them and leaves one monitor, the installed one, running.
    ASSERT_EQ(RunToEnd(L"\"" + InstallerPath() + L"\" /S"), 0);
    EXPECT_EQ(first.Wait(10s), 0);
    if (config) {
        EXPECT_EQ(::WaitForSingleObject(config.get(), 10000), WAIT_OBJECT_0);
        EXPECT_EQ(ConfigWindow(configExe), nullptr);
    }
    ASSERT_TRUE(PumpUntil([] { return MonitorWindows().size() == 1; }, 15s));
    const DWORD secondMonitor = ProcessOf(MonitorWindows().front());
    EXPECT_NE(secondMonitor, first.id());
    EXPECT_EQ(ImageOf(secondMonitor), monitorExe);
    PumpFor(500ms);
    EXPECT_EQ(MonitorWindows().size(), 1u);

    // The silent uninstallation closes the monitor and removes everything it made; it runs on
    // from a copy of itself, so the folder's going is the sign that it is done.
    win::UniqueKernelHandle running(::OpenProcess(SYNCHRONIZE, FALSE, secondMonitor));
    ASSERT_EQ(RunToEnd(L"\"" + folder + L"\\Uninstall.exe\" /S"), 0);
    ASSERT_TRUE(PumpUntil([&] { return !Exists(folder); }, 60s)) << "the folder stays";
    EXPECT_EQ(::WaitForSingleObject(running.get(), 10000), WAIT_OBJECT_0);
    EXPECT_TRUE(MonitorWindows().empty());
    EXPECT_FALSE(Exists(StartMenuFolder()));
    EXPECT_FALSE(ReadString(kRunKey, L"K2q_Mouse"));
    EXPECT_FALSE(ReadRaw(kUninstallKey, L"DisplayName"));

    // The user's settings and profiles stay.
    const auto kept = ReadRaw(kStoreKey, L"ButtonSetting");
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->bytes, settings->bytes);
    EXPECT_TRUE(ReadRaw(kStoreKey, L"MacroSetting"));
    const std::vector<char> profileBytes = ReadBytes(profile);
    EXPECT_EQ(std::string(profileBytes.begin(), profileBytes.end()), "a profile");
}

// The pixels of a window's control as they stand once they have stopped changing (a hover or
// a click is still being drawn otherwise).
ScreenPixels SettledPixels(const RECT& r) {
    ScreenPixels last = CaptureScreen(r);
    for (int i = 0; i < 50; ++i) {
        PumpFor(100ms);
        ScreenPixels now = CaptureScreen(r);
        if (now.rgb == last.rgb) {
            return now;
        }
        last = std::move(now);
    }
    return last;
}

// Clicks a skinned button of another process's window and waits until it looks different,
// the sign that the program has taken the click (the macro editor's record button changes its
// picture and caption as recording starts and ends).
bool ClickAndSeeChange(HWND window, const skin::Rect& button) {
    const POINT topLeft = ScreenPointOf(window, button.left, button.top);
    const RECT shown{topLeft.x, topLeft.y, topLeft.x + button.Width(),
                     topLeft.y + button.Height()};
    const POINT centre = ScreenPointOf(window, RectCentre(button).x, RectCentre(button).y);
    MovePointer(centre);
    const ScreenPixels before = SettledPixels(shown);
    ClickAt(centre);
    return PumpUntil([&] { return CaptureScreen(shown).rgb != before.rgb; }, 10s);
}

LRESULT ListCount(HWND window, int id) {
    return ::SendDlgItemMessageW(window, id, LB_GETCOUNT, 0, 0);
}

TEST_F(Installer, TheInstalledProductEndToEndAsAUserDrivesIt) {
    const std::wstring folder = InstallFolder();
    ASSERT_EQ(RunToEnd(L"\"" + InstallerPath() + L"\" /S"), 0);
    PointerGuard pointer;
    SystemMouseGuard systemSettings;
    ::GetDesktopWindow();  // a process needs its desktop before SetCursorPos takes effect

    // Opened from the Start menu, the configuration program starts the installed monitor.
    const HWND dialog = OpenConfigFromStartMenu();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PumpUntil([] { return MonitorWindows().size() == 1; }, 15s));
    const DWORD monitorId = ProcessOf(MonitorWindows().front());
    EXPECT_EQ(ImageOf(monitorId), folder + L"\\K2q_Mouse.exe");
    const ConfigDialog config(ProcessOf(dialog), dialog);
    win::UniqueKernelHandle configProcess(
        ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, config.pid()));
    win::UniqueKernelHandle monitorProcess(
        ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, monitorId));
    ASSERT_TRUE(configProcess && monitorProcess);
    ::SetForegroundWindow(dialog);
    PumpFor(200ms);  // the first paint of the dialog and its page

    // The second side button: "tc_combokey" (item 6), Ctrl+Alt+P typed into its window, OK.
    ASSERT_TRUE(config.ChooseFunction(skin::button_page::kLabel4, 6));
    const HWND combo = WaitForPopupOf(config.pid(), skin::combo::kWidth, skin::combo::kHeight);
    ASSERT_NE(combo, nullptr) << "no combination window";
    PressChord({VK_LCONTROL, VK_LMENU, 'P'});
    ClickAt(ScreenPointOf(combo, RectCentre(skin::combo::kOk).x, RectCentre(skin::combo::kOk).y));
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(combo); }, 10s));

    // The first side button: "tc_mac_def" (item 10); in the editor a new macro, A and B
    // recorded from the keyboard, OK.
    ASSERT_TRUE(config.ChooseFunction(skin::button_page::kLabel3, 10));
    HWND editor = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            editor = ::FindWindowW(nullptr, L"CDlgMacro");
            return editor && ::IsWindowVisible(editor) && ProcessOf(editor) == config.pid();
        },
        10s))
        << "no macro editor";
    PumpFor(200ms);
    ClickAt(ScreenPointOf(editor, RectCentre(skin::macro::kNewMacro).x,
                          RectCentre(skin::macro::kNewMacro).y));
    ASSERT_TRUE(PumpUntil([&] { return ListCount(editor, IDC_MACRO_LIST) == 1; }, 10s));
    ASSERT_TRUE(ClickAndSeeChange(editor, skin::macro::kRecord)) << "recording did not start";
    PressKey('A');
    ASSERT_TRUE(PumpUntil([&] { return ListCount(editor, IDC_MACRO_EVENTS) == 2; }, 10s));
    PressKey('B');
    ASSERT_TRUE(PumpUntil([&] { return ListCount(editor, IDC_MACRO_EVENTS) == 4; }, 10s));
    ASSERT_TRUE(ClickAndSeeChange(editor, skin::macro::kRecord)) << "recording did not end";
    ClickAt(ScreenPointOf(editor, RectCentre(skin::macro::kOk).x, RectCentre(skin::macro::kOk).y));
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(editor); }, 10s));

    // Apply: the store holds both functions and the monitor has reloaded them.
    config.ClickDialog(skin::main_dialog::kApply);
    ButtonSetting buttons{};
    ASSERT_TRUE(PumpUntil(
        [&] {
            const auto stored = ReadRaw(kStoreKey, L"ButtonSetting");
            if (!stored || stored->bytes.size() != sizeof buttons) {
                return false;
            }
            std::memcpy(&buttons, stored->bytes.data(), sizeof buttons);
            return buttons.records[kFirstSideButton].function == kFnMacro;
        },
        10s))
        << "Apply stored nothing";
    EXPECT_TRUE(MonitorReloaded());
    const ButtonRecord& combination = buttons.records[kSecondSideButton];
    EXPECT_EQ(combination.function, kFnCombination);
    EXPECT_EQ(combination.comboModifiers, kModLeftCtrl | kModLeftAlt);
    EXPECT_EQ(combination.comboKey1, 'P');
    EXPECT_EQ(combination.comboKey2, 0);
    EXPECT_EQ(buttons.records[kFirstSideButton].macroIndex, 0);
    const auto storedMacros = ReadRaw(kStoreKey, L"MacroSetting");
    ASSERT_TRUE(storedMacros);
    ASSERT_EQ(storedMacros->bytes.size(), sizeof(MacroSetting));
    auto macros = std::make_unique<MacroSetting>();
    std::memcpy(macros.get(), storedMacros->bytes.data(), sizeof(MacroSetting));
    EXPECT_EQ(macros->count, 1);
    const tagMACROINFO& macro = macros->macros[0];
    ASSERT_EQ(macro.eventCount, 4);
    const std::uint8_t codes[] = {'A', 'A', 'B', 'B'};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(macro.events[i].code, codes[i]) << i;
        EXPECT_EQ(macro.events[i].transition, i % 2) << i;
    }

    // Exit from the monitor's tray menu ends both programs, each cleanly. Wine's tray stands
    // at the screen's corner, under the dialog: the user puts the dialog away first.
    config.ClickDialog(skin::main_dialog::kMinimize);
    ASSERT_TRUE(PumpUntil([&] { return ::IsIconic(dialog) || !::IsWindowVisible(dialog); }, 5s));
    ASSERT_TRUE(PumpUntil([] { return TrayIconWindows().size() == 1; }, 5s));
    const POINT icon = CentreOf(TrayIconWindows().front());
    // A skinned button under the pointer holds the mouse until it sees the pointer leave.
    MovePointer(icon);
    ASSERT_TRUE(PumpUntil(
        [&] {
            GUITHREADINFO gui{sizeof gui};
            return ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &gui) &&
                   !gui.hwndCapture;
        },
        5s));
    RightClick(icon.x, icon.y);
    HWND menu = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (menu = ShownMenu()) != nullptr; }, 5s));
    PumpFor(200ms);
    RECT shown;
    ::GetWindowRect(menu, &shown);
    LeftClick((shown.left + shown.right) / 2, shown.bottom - 12);  // "tc_exit", the last item
    DWORD code = 1;
    ASSERT_EQ(::WaitForSingleObject(monitorProcess.get(), 15000), WAIT_OBJECT_0);
    EXPECT_TRUE(::GetExitCodeProcess(monitorProcess.get(), &code) && code == 0) << code;
    ASSERT_EQ(::WaitForSingleObject(configProcess.get(), 15000), WAIT_OBJECT_0);
    EXPECT_TRUE(::GetExitCodeProcess(configProcess.get(), &code) && code == 0) << code;
    EXPECT_TRUE(PumpUntil([] { return TrayIconWindows().empty(); }, 5s));
}

}  // namespace
}  // namespace k2q::testing
