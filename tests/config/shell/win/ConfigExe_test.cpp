// The real K2q_Config.exe with the real monitor from dist/, driven as a user drives them: by
// real pointer and key input on their windows, read back from the registry, the windows on
// the screen and the processes' exit codes.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "common/Messages.h"
#include "common/settings/ButtonSetting.h"
#include "common/settings/MacroSetting.h"
#include "common/ui/SkinLayout.h"
#include "common/win/Gdiplus.h"
#include "support/win/ConfigProgram.h"
#include "support/win/MessagePump.h"
#include "support/win/Processes.h"
#include "support/win/RawRegistry.h"
#include "support/win/Screenshot.h"
#include "support/win/SystemMouseGuard.h"
#include "support/win/TempFolder.h"
#include "support/win/UserInput.h"

namespace k2q::testing {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kStoreKeyPath[] = L"Software\\Tavik\\K2q";
// The main dialog's title, "tc_title" of the shipped language file.
constexpr wchar_t kDialogTitle[] = L"K2q Gaming Mouse";

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
    PumpFor(std::chrono::milliseconds(200));  // let it paint and take input first
    HWND ok = ::GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    const POINT centre = CentreOf(ok);
    ClickAt(centre);
}

std::optional<ButtonSetting> StoredButtons() {
    const auto value = ReadRaw(kStoreKeyPath, L"ButtonSetting");
    if (!value || value->bytes.size() != sizeof(ButtonSetting)) {
        return std::nullopt;
    }
    ButtonSetting block;
    std::memcpy(&block, value->bytes.data(), sizeof block);
    return block;
}

// A Control Panel setting, stored as text.
int ControlPanelNumber(const wchar_t* key, const wchar_t* name) {
    const auto value = ReadRaw(key, name);
    if (!value || value->bytes.size() < 2) {
        return -1;
    }
    std::wstring text(value->bytes.size() / 2, L'\0');
    std::memcpy(text.data(), value->bytes.data(), text.size() * 2);
    return _wtoi(text.c_str());
}

std::vector<std::uint8_t> StoredValue(const wchar_t* name) {
    const auto value = ReadRaw(kStoreKeyPath, name);
    return value ? value->bytes : std::vector<std::uint8_t>{};
}

void WriteStoredValue(const wchar_t* name, const std::vector<std::uint8_t>& bytes) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kStoreKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &key, nullptr) == ERROR_SUCCESS) {
        ::RegSetValueExW(key, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
        ::RegCloseKey(key);
    }
}

class ConfigExe : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(MonitorProcesses().empty()) << "a monitor is already running";
        ASSERT_EQ(::FindWindowW(nullptr, kDialogTitle), nullptr)
            << "a configuration program is already running";
        ::GetDesktopWindow();  // a process needs its desktop before SetCursorPos takes effect
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tavik");
    }
    void TearDown() override {
        config.Kill();
        StopMonitors();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tavik");
    }

    // Starts the configuration program (from dist/ unless told) and waits for its main dialog.
    HWND StartConfig(const std::wstring& program = DistPath(L"K2q_Config.exe")) {
        config = ChildProcess::Start(program);
        dialog = nullptr;
        PumpUntil(
            [&] {
                dialog = ::FindWindowW(nullptr, kDialogTitle);
                return dialog && ::IsWindowVisible(dialog);
            },
            30s);
        if (dialog) {
            ::SetForegroundWindow(dialog);
            PumpFor(200ms);  // the first paint of the dialog and its page
        }
        return dialog;
    }

    // The running program's main dialog, as the user's side sees it.
    ConfigDialog Dialog() const { return {config.id(), dialog}; }
    POINT PagePoint(POINT p) const { return Dialog().PagePoint(p); }
    void ClickDialog(const skin::Rect& r) const { Dialog().ClickDialog(r); }
    void ClickPage(const skin::Rect& r) const { Dialog().ClickPage(r); }
    HWND WaitForPopup(int width, int height) const {
        return WaitForPopupOf(config.id(), width, height);
    }
    void ChooseFunction(const skin::Rect& label, int item, int entry = -1) const {
        ASSERT_TRUE(Dialog().ChooseFunction(label, item, entry)) << "a menu did not open";
    }
    void ChooseMainMenuItem(const skin::Rect& button, int pictureWidth, int pictureHeight,
                            int item) const {
        ASSERT_TRUE(Dialog().ChooseMainMenuItem(button, pictureWidth, pictureHeight, item))
            << "no menu";
    }

    // Chooses import or export in the profile menu and gives the file dialog that opens a
    // path, as typed into its name box, then its OK button.
    static constexpr int kImportItem = 0;  // "tc_config_in"
    static constexpr int kExportItem = 1;  // "tc_config_out"
    void RunProfileDialog(int item, const std::wstring& path) {
        ChooseMainMenuItem(skin::main_dialog::kProfile, skin::menu2::kWidth, skin::menu2::kHeight,
                           item);
        HWND fileDialog = nullptr;
        ASSERT_TRUE(PumpUntil(
            [&] {
                for (HWND w : VisibleWindowsOf(config.id())) {
                    if (w != dialog && ::GetDlgItem(w, IDOK) &&
                        (::GetDlgItem(w, 0x47C) || ::GetDlgItem(w, 0x480))) {
                        fileDialog = w;
                        return true;
                    }
                }
                return false;
            },
            15s))
            << "no file dialog";
        PumpFor(300ms);
        // The name box: an edit inside the name combo box, or a plain edit.
        HWND name = ::GetDlgItem(fileDialog, 0x47C);
        HWND edit = name ? ::FindWindowExW(name, nullptr, L"Edit", nullptr) : nullptr;
        if (!edit) {
            edit = name ? name : ::GetDlgItem(fileDialog, 0x480);
        }
        ASSERT_NE(edit, nullptr);
        ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        ClickAt(CentreOf(::GetDlgItem(fileDialog, IDOK)));
        // Saving over a file asks first; the user says yes.
        const auto end = std::chrono::steady_clock::now() + 15s;
        while (::IsWindow(fileDialog) && std::chrono::steady_clock::now() < end) {
            for (HWND w : VisibleWindowsOf(config.id())) {
                if (HWND yes = ::GetDlgItem(w, IDYES); yes && w != fileDialog) {
                    PumpFor(200ms);
                    ClickAt(CentreOf(yes));
                }
            }
            PumpFor(50ms);
        }
        ASSERT_FALSE(::IsWindow(fileDialog));
    }

    ChildProcess config;
    HWND dialog = nullptr;
    PointerGuard pointer;
    // Apply makes the monitor change the system's mouse settings; put back after TearDown has
    // ended the programs.
    k2q::testing::SystemMouseGuard systemSettings;
};

TEST_F(ConfigExe, FirstStartStartsTheMonitorAndShowsTheDialogAtTheScreensCorner) {
    ASSERT_NE(StartConfig(), nullptr);
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
    ASSERT_NE(StartConfig(), nullptr);
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
    TempFolder folder(L"K2qConfigAlone");
    ASSERT_TRUE(folder.CopyFromDist(L"K2q_Config.exe"));
    ASSERT_TRUE(folder.CopyFromDist(L"language.xml"));
    const std::wstring exe = folder.path() + L"K2q_Config.exe";

    ChildProcess alone = ChildProcess::Start(exe);
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = MessageBoxOf(alone.id())) != nullptr; }, 30s))
        << "running " << alone.running() << " exit " << alone.Wait(std::chrono::milliseconds(0))
        << " windows " << VisibleWindowsOf(alone.id()).size();
    EXPECT_NE(StaticTexts(box).find(L"K2q_Mouse.exe"), std::wstring::npos)
        << "not the tc_msg2 text";
    // The main dialog never showed; only the message did.
    EXPECT_EQ(VisibleWindowsOf(alone.id()).size(), 1u);
    ClickOk(box);
    EXPECT_EQ(alone.Wait(10s), 0);
    EXPECT_EQ(::FindWindowW(nullptr, kMonitorWindowTitle), nullptr);
    EXPECT_FALSE(ReadRaw(kStoreKeyPath, L"ButtonSetting")) << "nothing may be written";
}

TEST_F(ConfigExe, TheMonitorsExitClosesItWithoutWriting) {
    ASSERT_NE(StartConfig(), nullptr);
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

TEST_F(ConfigExe, TheLinkMenuOpensTheAboutBox) {
    ASSERT_NE(StartConfig(), nullptr);
    // "tc_about" is the third item of the link menu.
    ChooseMainMenuItem(skin::main_dialog::kLink, skin::menu3::kWidth, skin::menu3::kHeight, 2);
    const HWND about = WaitForPopup(skin::about::kWidth, skin::about::kHeight);
    ASSERT_NE(about, nullptr);
    // The menu that carried the choice is gone; the about box is modal over the dialog.
    EXPECT_EQ(WindowOfSize(config.id(), skin::menu3::kWidth, skin::menu3::kHeight), nullptr);
    EXPECT_FALSE(::IsWindowEnabled(dialog));
    const POINT close =
        ScreenPointOf(about, RectCentre(skin::about::kClose).x, RectCentre(skin::about::kClose).y);
    ClickAt(close);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(about); }, 10s));
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(dialog) != FALSE; }, 5s));
    EXPECT_TRUE(config.running());
}

TEST_F(ConfigExe, CopyChosenForTheFirstSideButtonReachesTheStoreAndTheMonitorReloads) {
    ASSERT_NE(StartConfig(), nullptr);
    // "tc_base_fun" is item 7 of the button function menu, "tc_copy" entry 1 of its submenu.
    ChooseFunction(skin::button_page::kLabel3, 7, 1);
    ASSERT_TRUE(PumpUntil(
        [&] {
            return WindowOfSize(config.id(), skin::function_menu::kWidth,
                                skin::function_menu::kHeight) == nullptr;
        },
        10s))
        << "the menu stays open after the choice";
    // Nothing reaches the store before Apply.
    EXPECT_EQ(StoredButtons()->records[kFirstSideButton].function, kFnExtraButton2);

    ClickDialog(skin::main_dialog::kApply);
    ASSERT_TRUE(PumpUntil(
        [] { return StoredButtons()->records[kFirstSideButton].function == kFnEditCommand; }, 10s));
    EXPECT_EQ(StoredButtons()->records[kFirstSideButton].editCommand, kEditCopy);
    EXPECT_TRUE(MonitorReloaded());
}

TEST_F(ConfigExe, TheLastLeftClickCannotBeGivenAway) {
    ASSERT_NE(StartConfig(), nullptr);
    // "tc_middle" is item 1 of the button function menu.
    ChooseFunction(skin::button_page::kLabel0, 1);
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = MessageBoxOf(config.id())) != nullptr; }, 10s));
    EXPECT_NE(StaticTexts(box).find(L"Left Click"), std::wstring::npos) << "not the tc_msg1 text";
    ClickOk(box);
    ASSERT_TRUE(PumpUntil([&] { return MessageBoxOf(config.id()) == nullptr; }, 10s));

    ClickDialog(skin::main_dialog::kOk);
    EXPECT_EQ(config.Wait(15s), 0);
    EXPECT_EQ(StoredButtons()->records[kLeftButton].function, kFnLeftClick);
}

TEST_F(ConfigExe, OkStoresWithoutAReloadAndCancelStoresNothing) {
    ASSERT_NE(StartConfig(), nullptr);
    const std::vector<std::uint8_t> before = StoredValue(L"ButtonSetting");
    // "tc_key_off" is item 11.
    ChooseFunction(skin::button_page::kLabel4, 11);
    PumpFor(300ms);
    ClickDialog(skin::main_dialog::kCancel);
    EXPECT_EQ(config.Wait(15s), 0);
    EXPECT_EQ(StoredValue(L"ButtonSetting"), before);

    ASSERT_NE(StartConfig(), nullptr);
    ChooseFunction(skin::button_page::kLabel4, 11);
    PumpFor(300ms);
    ClickDialog(skin::main_dialog::kOk);
    EXPECT_EQ(config.Wait(15s), 0);
    EXPECT_EQ(StoredButtons()->records[kSecondSideButton].function, kFnButtonOff);
    // The monitor was not asked to reload: no progress popup comes up.
    EXPECT_EQ(WaitForWindow(kProgressWindowTitle, 2s), nullptr);
}

TEST_F(ConfigExe, WithoutSkinsOrTheKeyboardHookTheWindowsAreBlankButTheButtonsWork) {
    TempFolder folder(L"K2qConfigBare");
    for (const wchar_t* file : {L"K2q_Config.exe", L"K2q_Mouse.exe", L"language.xml"}) {
        ASSERT_TRUE(folder.CopyFromDist(file)) << file;
    }
    ASSERT_NE(StartConfig(folder.path() + L"K2q_Config.exe"), nullptr);
    // Blank, but as large as its template, so Apply and Cancel are where they always are.
    RECT r;
    ::GetWindowRect(dialog, &r);
    EXPECT_GT(r.right - r.left, skin::main_dialog::kApply.right);
    EXPECT_GT(r.bottom - r.top, skin::main_dialog::kApply.bottom);
    ClickDialog(skin::main_dialog::kApply);
    EXPECT_TRUE(MonitorReloaded());
    ClickDialog(skin::main_dialog::kCancel);
    EXPECT_EQ(config.Wait(15s), 0);
    StopMonitors();  // before its folder goes
}

TEST_F(ConfigExe, EnterAndEscapeEndTheDialogWithoutStoringButNotInsideAPage) {
    for (const WORD key : {VK_ESCAPE, VK_RETURN}) {
        ASSERT_NE(StartConfig(), nullptr);
        const std::vector<std::uint8_t> before = StoredValue(L"ButtonSetting");
        ChooseFunction(skin::button_page::kLabel4, 11);  // tc_key_off; the page has the focus
        PumpFor(300ms);
        PressKey(key);
        PumpFor(500ms);
        EXPECT_TRUE(config.running()) << key << " reached the main dialog from inside a page";
        // With the focus on one of the main dialog's own buttons the key ends the dialog.
        ClickDialog(skin::main_dialog::kAssignPage);
        PressKey(key);
        EXPECT_EQ(config.Wait(15s), 0) << key;
        EXPECT_EQ(StoredValue(L"ButtonSetting"), before) << key;
        config.Kill();
    }
}

TEST_F(ConfigExe, ExportThenImportRestoresBothBlocks) {
    win::GdiplusSession gdiplus;
    // Macros the program has not made itself, so both blocks carry something to restore.
    std::vector<std::uint8_t> macros(sizeof(MacroSetting), 0);
    macros[0] = 1;  // one macro in use
    for (std::size_t i = 4; i < 4 + 40; ++i) {
        macros[i] = static_cast<std::uint8_t>(i);
    }
    WriteStoredValue(L"MacroSetting", macros);
    ASSERT_NE(StartConfig(), nullptr);
    ChooseFunction(skin::button_page::kLabel3, 7, 1);  // tc_copy
    PumpFor(300ms);
    TempFolder folder(L"K2qProfiles");
    const std::wstring file = folder.path() + L"exported.K2q";

    RunProfileDialog(kExportItem, file);
    ASSERT_TRUE(PumpUntil([&] { return ReadWholeFile(file).size() == 104 + 213604; }, 10s));
    const std::vector<std::uint8_t> exported = ReadWholeFile(file);
    EXPECT_EQ(std::vector<std::uint8_t>(exported.begin() + 104, exported.end()), macros);
    ButtonSetting inFile;
    std::memcpy(&inFile, exported.data(), sizeof inFile);
    EXPECT_EQ(inFile.records[kFirstSideButton].function, kFnEditCommand);
    EXPECT_EQ(inFile.records[kFirstSideButton].editCommand, kEditCopy);

    // Something else in the window, then the profile back, then Apply.
    ChooseFunction(skin::button_page::kLabel3, 11);  // tc_key_off
    PumpFor(300ms);
    RunProfileDialog(kImportItem, file);
    PumpFor(300ms);
    ClickDialog(skin::main_dialog::kApply);
    ASSERT_TRUE(PumpUntil(
        [&] {
            return StoredValue(L"ButtonSetting") ==
                   std::vector<std::uint8_t>(exported.begin(), exported.begin() + 104);
        },
        10s));
    EXPECT_EQ(StoredValue(L"MacroSetting"), macros);
    EXPECT_TRUE(MonitorReloaded());
}

TEST_F(ConfigExe, AProfileThatCannotBeWrittenOrReadIsReportedAndChangesNothing) {
    ASSERT_NE(StartConfig(), nullptr);
    const std::vector<std::uint8_t> stored = StoredValue(L"ButtonSetting");
    TempFolder folder(L"K2qBadProfiles");
    const auto expectMessage = [&](const wchar_t* words) {
        HWND box = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (box = MessageBoxOf(config.id())) != nullptr; }, 15s))
            << "nothing was said";
        EXPECT_NE(StaticTexts(box).find(words), std::wstring::npos);
        ClickOk(box);
        ASSERT_TRUE(PumpUntil([&] { return MessageBoxOf(config.id()) == nullptr; }, 10s));
    };

    // A read-only profile of the same name stays as it was.
    const std::wstring readOnly = folder.path() + L"readonly.K2q";
    HANDLE file =
        ::CreateFileW(readOnly.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, "old", 3, &written, nullptr);
    ::CloseHandle(file);
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    RunProfileDialog(kExportItem, readOnly);
    expectMessage(L"could not be saved");
    EXPECT_EQ(ReadWholeFile(readOnly), (std::vector<std::uint8_t>{'o', 'l', 'd'}));

    // A profile another program holds open is not read.
    const std::wstring locked = folder.path() + L"locked.K2q";
    HANDLE held = ::CreateFileW(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::vector<std::uint8_t> zeros(104 + 213604, 0);
    ::WriteFile(held, zeros.data(), static_cast<DWORD>(zeros.size()), &written, nullptr);
    RunProfileDialog(kImportItem, locked);
    expectMessage(L"could not be read");
    ::CloseHandle(held);

    // Nothing of either reached the assignments (the zeros would have cleared them all; the
    // mouse parameters may carry the sensitivity page's corrections of the system's values).
    ClickDialog(skin::main_dialog::kOk);
    EXPECT_EQ(config.Wait(15s), 0);
    const std::vector<std::uint8_t> after = StoredValue(L"ButtonSetting");
    ASSERT_EQ(after.size(), stored.size());
    EXPECT_TRUE(
        std::equal(stored.begin(), stored.begin() + offsetof(ButtonSetting, mouse), after.begin()));
    // The folder can only be emptied of a writable file.
    ::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ConfigExe, ResetOkThenApplyStoresTheFactoryBlock) {
    ASSERT_NE(StartConfig(), nullptr);
    ChooseFunction(skin::button_page::kLabel3, 7, 1);
    PumpFor(300ms);
    ClickDialog(skin::main_dialog::kReset);
    const HWND reset = WaitForPopup(skin::reset::kWidth, skin::reset::kHeight);
    ASSERT_NE(reset, nullptr);
    const POINT ok =
        ScreenPointOf(reset, RectCentre(skin::reset::kOk).x, RectCentre(skin::reset::kOk).y);
    ClickAt(ok);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(reset); }, 10s));
    ClickDialog(skin::main_dialog::kApply);

    ButtonSetting factory;
    SetButtonDefaults(factory);
    factory.mouse = {3, 3, 550, 5, 0, 1, 1, 1, {0, 0}};
    const std::vector<std::uint8_t> expected(reinterpret_cast<std::uint8_t*>(&factory),
                                             reinterpret_cast<std::uint8_t*>(&factory + 1));
    EXPECT_TRUE(PumpUntil([&] { return StoredValue(L"ButtonSetting") == expected; }, 10s));
    EXPECT_TRUE(MonitorReloaded());
}

TEST_F(ConfigExe, TheSensitivityPageChangesTheMouseParameters) {
    ASSERT_NE(StartConfig(), nullptr);
    const ButtonSetting before = *StoredButtons();
    ClickDialog(skin::main_dialog::kSensitivityPage);
    ClickPage(skin::sensitivity::kCpi2400);
    ClickPage(skin::sensitivity::kAcceleration);
    // Near the right end of the wheel-lines track: a click there gives 1 + 174 * 9 / 176 = 9.
    const skin::Rect& track = skin::sensitivity::kWheelSlider;
    ClickAt(PagePoint({track.right - 2, (track.top + track.bottom) / 2}));
    ClickDialog(skin::main_dialog::kApply);
    ASSERT_TRUE(PumpUntil([&] { return StoredButtons()->mouse.wheelLines == 9; }, 10s));
    const ButtonSetting after = *StoredButtons();
    EXPECT_EQ(after.mouse.cpi2400, before.mouse.cpi2400 ? 0 : 1);
    EXPECT_EQ(after.mouse.acceleration, before.mouse.acceleration ? 0 : 1);
    ASSERT_TRUE(MonitorReloaded());
    // The monitor made them the system's. Another process's system parameters are read from
    // where the system keeps them (Wine caches them per process once read).
    EXPECT_EQ(ControlPanelNumber(L"Control Panel\\Desktop", L"WheelScrollLines"), 9);
    EXPECT_EQ(ControlPanelNumber(L"Control Panel\\Mouse", L"MouseSpeed") != 0,
              after.mouse.acceleration != 0);
}

TEST_F(ConfigExe, AWheelNotchOnTheSensitivityPageMovesTheTestPicture) {
    ASSERT_NE(StartConfig(), nullptr);
    ClickDialog(skin::main_dialog::kSensitivityPage);
    PumpFor(300ms);
    const skin::Rect& area = skin::sensitivity::kTestArea;
    const POINT topLeft = PagePoint({area.left, area.top});
    const RECT shown{topLeft.x, topLeft.y, topLeft.x + area.Width(), topLeft.y + area.Height()};
    const ScreenPixels centred = CaptureScreen(shown);
    MovePointer(PagePoint(RectCentre(area)));
    Wheel(-WHEEL_DELTA);
    EXPECT_TRUE(PumpUntil([&] { return CaptureScreen(shown).rgb != centred.rgb; }, 5s))
        << "the picture did not move";
}

TEST_F(ConfigExe, Screenshots) {
    win::GdiplusSession gdiplus;
    ASSERT_NE(StartConfig(), nullptr);
    RECT whole;
    ::GetWindowRect(dialog, &whole);
    SavePng(CaptureScreen(whole), ScreenshotPath(L"config_buttons.png"));

    ClickPage(skin::button_page::kLabel3);
    const HWND menu = WaitForPopup(skin::function_menu::kWidth, skin::function_menu::kHeight);
    ASSERT_NE(menu, nullptr);
    MovePointer(ScreenPointOf(menu, 75, 7 * 24 + 11));
    PumpFor(500ms);
    RECT withMenu = whole;
    for (HWND w : VisibleWindowsOf(config.id())) {
        RECT r;
        ::GetWindowRect(w, &r);
        ::UnionRect(&withMenu, &withMenu, &r);
    }
    SavePng(CaptureScreen(withMenu), ScreenshotPath(L"config_function_menu.png"));
    ClickDialog({20, 465, 40, 475});  // the background closes the menus
    PumpFor(300ms);

    ClickDialog(skin::main_dialog::kReset);
    const HWND reset = WaitForPopup(skin::reset::kWidth, skin::reset::kHeight);
    ASSERT_NE(reset, nullptr);
    RECT r;
    ::GetWindowRect(reset, &r);
    SavePng(CaptureScreen(r), ScreenshotPath(L"config_reset.png"));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(reset); }, 10s));

    // "tc_combokey" is item 6.
    ChooseFunction(skin::button_page::kLabel4, 6);
    const HWND combo = WaitForPopup(skin::combo::kWidth, skin::combo::kHeight);
    ASSERT_NE(combo, nullptr);
    PressChord({VK_CONTROL, VK_MENU, 'P'});
    PumpFor(300ms);
    ::GetWindowRect(combo, &r);
    SavePng(CaptureScreen(r), ScreenshotPath(L"config_combination.png"));
    const POINT close =
        ScreenPointOf(combo, RectCentre(skin::combo::kClose).x, RectCentre(skin::combo::kClose).y);
    ClickAt(close);
    PumpUntil([&] { return !::IsWindow(combo); }, 10s);

    ClickDialog(skin::main_dialog::kSensitivityPage);
    PumpFor(500ms);
    SavePng(CaptureScreen(whole), ScreenshotPath(L"config_sensitivity.png"));
}

}  // namespace
}  // namespace k2q::testing
