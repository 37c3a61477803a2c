// The main dialog hosted in the test program, with a stand-in for the monitor's window so the
// messages it gets can be read, and the real registry, pages, menus and reset dialog. Driven by
// real clicks and keys; what the real program cannot show deterministically is checked here:
// the exact messages to the monitor, Apply while a reload runs, the menus' states.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "common/Messages.h"
#include "common/settings/SettingsStore.h"
#include "common/win/Gdiplus.h"
#include "common/win/Win32Registry.h"
#include "common/win/Window.h"
#include "config/sensitivity/win/SensitivityPage.h"
#include "config/shell/MainButtons.h"
#include "config/shell/win/ConfigDlg.h"
#include "config/shell/win/ShellResources.h"
#include "support/UiTexts.h"
#include "support/win/GdiObjects.h"
#include "support/win/MessagePump.h"
#include "support/win/RawRegistry.h"
#include "support/win/Screenshot.h"
#include "support/win/UserInput.h"

namespace k2q::testing {
namespace {

using namespace std::chrono_literals;
using config::MainAction;
using config::win::CK2Q_ConfigDlg;

constexpr wchar_t kStoreKeyPath[] = L"Software\\Tavik\\K2q";

struct Posted {
    UINT msg;
    WPARAM wParam;
};

// A window with a title the configuration program looks for; notes what it is sent.
class TitledStandIn : public win::Window {
  public:
    explicit TitledStandIn(const wchar_t* title) {
        CreateParams p;
        p.className = L"K2qConfigDlgTestStandIn";
        p.title = title;
        p.width = p.height = 1;
        Create(p);
    }
    std::vector<Posted> received;
    std::vector<Posted> Of(UINT msg) const {
        std::vector<Posted> out;
        for (const Posted& p : received) {
            if (p.msg == msg) {
                out.push_back(p);
            }
        }
        return out;
    }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kReloadRequestMessage || msg == kConfigWindowMessage) {
            received.push_back({msg, wParam});
            return 0;
        }
        return Window::WndProc(msg, wParam, lParam);
    }
};

std::vector<std::uint8_t> StoredButtons() {
    const auto value = ReadRaw(kStoreKeyPath, L"ButtonSetting");
    return value ? value->bytes : std::vector<std::uint8_t>{};
}

std::vector<std::uint8_t> BytesOf(const ButtonSetting& block) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&block);
    return {p, p + sizeof block};
}

DWORD ProcessOf(HWND hwnd) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

// A visible dialog of this process of the given size, other than `except`.
HWND FindDialogOfSize(int width, int height) {
    struct Search {
        int width, height;
        HWND found = nullptr;
    } search{width, height};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            RECT r;
            if (ProcessOf(hwnd) == ::GetCurrentProcessId() && ::IsWindowVisible(hwnd) &&
                ::GetWindowRect(hwnd, &r) && r.right - r.left == s->width &&
                r.bottom - r.top == s->height) {
                s->found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A modal dialog runs its own message loop inside the handler that opened it, on the test's
// thread: a helper thread answers it as the user would, once it is on the screen.
class ModalAnswer {
  public:
    ModalAnswer(int width, int height, std::function<void(HWND)> answer)
        : thread_([=, this] {
              const auto end = std::chrono::steady_clock::now() + 20s;
              while (std::chrono::steady_clock::now() < end) {
                  if (HWND dialog = FindDialogOfSize(width, height)) {
                      std::this_thread::sleep_for(100ms);  // let it paint and take input
                      answer(dialog);
                      answered_ = true;
                      return;
                  }
                  std::this_thread::sleep_for(10ms);
              }
          }) {}
    ~ModalAnswer() { thread_.join(); }
    bool answered() const { return answered_; }

  private:
    std::atomic<bool> answered_{false};
    std::thread thread_;
};

void ClickAt(HWND window, const skin::Rect& r) {
    const POINT pt = ScreenPointOf(window, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    LeftClick(pt.x, pt.y);
}

class HostedConfigDlg : public ::testing::Test {
  public:
    void SetUp() override {
        ASSERT_EQ(::FindWindowW(nullptr, kMonitorWindowTitle), nullptr)
            << "a monitor is already running";
        ::GetDesktopWindow();  // a process needs its desktop before SetCursorPos takes effect
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tavik");
        LoadKeyNamesAsProgramUiTexts();
        monitor = std::make_unique<TitledStandIn>(kMonitorWindowTitle);
        dialog = std::make_unique<CK2Q_ConfigDlg>(registry, link, [this] { missing = true; });
        ASSERT_TRUE(dialog->CreateModeless(IDD_CONFIG_MAIN, nullptr));
        ::SetForegroundWindow(dialog->hwnd());
        PumpQueued();
    }
    void TearDown() override {
        dialog.reset();
        monitor.reset();
        PumpQueued();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tavik");
    }

    void Click(MainAction action) {
        RECT r;
        ::GetWindowRect(dialog->button(action).hwnd(), &r);
        LeftClick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    // An assignment a user could have made on the button page.
    void ChangeSomething() {
        ButtonRecord& r = dialog->Buttons().records[kFirstSideButton];
        r.function = kFnEditCommand;
        r.editCommand = kEditCopy;
    }

    win::GdiplusSession gdiplus;
    PointerGuard pointer;
    win::Win32Registry registry;
    config::win::Win32MonitorLink link;
    std::unique_ptr<TitledStandIn> monitor;
    std::unique_ptr<CK2Q_ConfigDlg> dialog;
    bool missing = false;
};

TEST_F(HostedConfigDlg, AnnouncesItselfLoadsTheStoreAndShowsTheButtonPage) {
    ASSERT_TRUE(PumpUntil([&] { return !monitor->received.empty(); }, 5s));
    ASSERT_EQ(monitor->received.size(), 1u);
    EXPECT_EQ(monitor->received[0].msg, kConfigWindowMessage);
    EXPECT_EQ(monitor->received[0].wParam, reinterpret_cast<WPARAM>(dialog->hwnd()));
    EXPECT_FALSE(missing);
    // The store was created with the defaults the dialog now holds (the sensitivity page may
    // have corrected system values outside its ranges in memory).
    const std::vector<std::uint8_t> stored = StoredButtons();
    ASSERT_EQ(stored.size(), sizeof(ButtonSetting));
    const std::vector<std::uint8_t> held = BytesOf(dialog->Buttons());
    EXPECT_TRUE(std::equal(held.begin(), held.begin() + offsetof(ButtonSetting, mouse),
                           stored.begin()));
    EXPECT_EQ(dialog->currentPage(), config::kButtonPage);
    EXPECT_TRUE(dialog->button(MainAction::ShowButtonPage).checked());
    EXPECT_FALSE(dialog->button(MainAction::ShowSensitivityPage).checked());
    wchar_t title[64] = {};
    ::GetWindowTextW(dialog->hwnd(), title, 64);
    EXPECT_STREQ(title, L"tc_title");
    // The system menu offers the about box.
    wchar_t entry[64] = {};
    EXPECT_GT(::GetMenuStringW(::GetSystemMenu(dialog->hwnd(), FALSE), IDM_ABOUT_ENTRY, entry, 64,
                               MF_BYCOMMAND),
              0);
}

TEST_F(HostedConfigDlg, ApplyStoresFirstAndAsksAnIdleMonitorOnceToReloadEverything) {
    ChangeSomething();
    Click(MainAction::Apply);
    ASSERT_TRUE(PumpUntil([&] { return !monitor->Of(kReloadRequestMessage).empty(); }, 5s));
    EXPECT_EQ(StoredButtons(), BytesOf(dialog->Buttons()));
    EXPECT_EQ(monitor->Of(kReloadRequestMessage)[0].wParam, kReloadEverything);

    // While the monitor's progress popup shows, Apply stores but asks nothing more.
    TitledStandIn progress(kProgressWindowTitle);
    dialog->Buttons().records[kFirstSideButton].editCommand = kEditPaste;
    Click(MainAction::Apply);
    ASSERT_TRUE(PumpUntil([&] { return StoredButtons() == BytesOf(dialog->Buttons()); }, 5s));
    PumpQueued();  // a request would have been posted with the write
    EXPECT_EQ(monitor->Of(kReloadRequestMessage).size(), 1u);
}

TEST_F(HostedConfigDlg, OkStoresAndClosesWithoutAReloadRequest) {
    ChangeSomething();
    const std::vector<std::uint8_t> expected = BytesOf(dialog->Buttons());
    const HWND window = dialog->hwnd();
    Click(MainAction::Ok);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(window); }, 5s));
    PumpQueued();
    EXPECT_EQ(StoredButtons(), expected);
    EXPECT_TRUE(monitor->Of(kReloadRequestMessage).empty());
    const auto announced = monitor->Of(kConfigWindowMessage);
    ASSERT_EQ(announced.size(), 2u);
    EXPECT_EQ(announced[1].wParam, 0u);  // the monitor forgets the window
}

TEST_F(HostedConfigDlg, CancelTheCloseButtonAndTheMonitorCloseWithoutStoring) {
    const std::function<void(HostedConfigDlg&)> closers[] = {
        [](HostedConfigDlg& t) { t.Click(MainAction::Cancel); },
        [](HostedConfigDlg& t) { t.Click(MainAction::Close); },
        [](HostedConfigDlg& t) { ::PostMessageW(t.dialog->hwnd(), WM_CLOSE, 0, 0); },
    };
    for (std::size_t i = 0; i < std::size(closers); ++i) {
        if (i > 0) {
            dialog = std::make_unique<CK2Q_ConfigDlg>(registry, link);
            ASSERT_TRUE(dialog->CreateModeless(IDD_CONFIG_MAIN, nullptr));
            PumpQueued();
        }
        const std::vector<std::uint8_t> before = StoredButtons();
        ChangeSomething();
        const HWND window = dialog->hwnd();
        closers[i](*this);
        ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(window); }, 5s)) << i;
        EXPECT_EQ(StoredButtons(), before) << i;
    }
    PumpQueued();
    EXPECT_TRUE(monitor->Of(kReloadRequestMessage).empty());
}

TEST_F(HostedConfigDlg, ScrollNoticesMoveTheTestPictureOnlyWhileTheSensitivityPageShows) {
    win::GdiplusSession gdi;
    const skin::Rect& area = skin::sensitivity::kTestArea;
    const skin::Rect& page = skin::main_dialog::kPageArea;
    const POINT at = ScreenPointOf(dialog->hwnd(), page.left + area.left, page.top + area.top);
    const RECT shown{at.x, at.y, at.x + area.Width(), at.y + area.Height()};

    // Ignored on the button page: afterwards the picture is still centred.
    ::PostMessageW(dialog->hwnd(), kScrollNoticeMessage, kScrollRightNotice, 0);
    PumpQueued();
    Click(MainAction::ShowSensitivityPage);
    PumpFor(300ms);
    const std::vector<std::uint32_t> centred = CaptureScreen(shown).rgb;

    // Scroll right moves it, scroll left brings it back to the centre.
    ::PostMessageW(dialog->hwnd(), kScrollNoticeMessage, kScrollRightNotice, 0);
    EXPECT_TRUE(PumpUntil([&] { return CaptureScreen(shown).rgb != centred; }, 5s));
    ::PostMessageW(dialog->hwnd(), kScrollNoticeMessage, kScrollLeftNotice, 0);
    EXPECT_TRUE(PumpUntil([&] { return CaptureScreen(shown).rgb == centred; }, 5s));
}

TEST_F(HostedConfigDlg, EachMenuButtonOpensItsMenuAndOnlyThat) {
    Click(MainAction::ProfileMenu);
    ASSERT_TRUE(PumpUntil([&] { return dialog->menus().OpenMenu(config::MainMenu::Profile); }, 5s));
    const HWND first = dialog->menus().OpenMenu(config::MainMenu::Profile)->hwnd();
    RECT at;
    ::GetWindowRect(first, &at);
    POINT expected{190, 30};
    ::ClientToScreen(dialog->hwnd(), &expected);
    EXPECT_EQ(at.left, expected.x);
    EXPECT_EQ(at.top, expected.y);

    // A second click closes it and opens a new one at once.
    Click(MainAction::ProfileMenu);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(first); }, 5s));
    PumpQueued();
    ASSERT_NE(dialog->menus().OpenMenu(config::MainMenu::Profile), nullptr);
    EXPECT_TRUE(::IsWindowVisible(dialog->menus().OpenMenu(config::MainMenu::Profile)->hwnd()));

    // Another menu button closes it.
    Click(MainAction::HelpMenu);
    ASSERT_TRUE(PumpUntil([&] { return dialog->menus().OpenMenu(config::MainMenu::Help); }, 5s));
    EXPECT_EQ(dialog->menus().OpenMenu(config::MainMenu::Profile), nullptr);

    // So does a press on the dialog's background.
    const POINT background = ScreenPointOf(dialog->hwnd(), 20, 470);
    LeftClick(background.x, background.y);
    ASSERT_TRUE(PumpUntil([&] { return !dialog->menus().OpenMenu(config::MainMenu::Help); }, 5s));
}

TEST_F(HostedConfigDlg, TheSettingMenuShowsThePageOnDisplayAndSwitchesPages) {
    Click(MainAction::SettingMenu);
    ASSERT_TRUE(PumpUntil([&] { return dialog->menus().OpenMenu(config::MainMenu::Setting); }, 5s));
    auto* menu = dialog->menus().OpenMenu(config::MainMenu::Setting);
    ASSERT_EQ(menu->itemCount(), 2);
    EXPECT_TRUE(menu->ItemButton(0)->checked());   // tc_assign
    EXPECT_FALSE(menu->ItemButton(1)->checked());  // tc_sensitivity

    RECT item;
    ::GetWindowRect(menu->ItemButton(1)->hwnd(), &item);
    LeftClick((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    ASSERT_TRUE(PumpUntil([&] { return dialog->currentPage() == config::kSensitivityPage; }, 5s));
    PumpQueued();
    EXPECT_EQ(dialog->menus().OpenMenu(config::MainMenu::Setting), nullptr);
    EXPECT_TRUE(::IsWindowVisible(dialog->sensitivityPage()->hwnd()));
    EXPECT_TRUE(dialog->button(MainAction::ShowSensitivityPage).checked());
    EXPECT_FALSE(dialog->button(MainAction::ShowButtonPage).checked());

    Click(MainAction::SettingMenu);
    ASSERT_TRUE(PumpUntil([&] { return dialog->menus().OpenMenu(config::MainMenu::Setting); }, 5s));
    menu = dialog->menus().OpenMenu(config::MainMenu::Setting);
    EXPECT_FALSE(menu->ItemButton(0)->checked());
    EXPECT_TRUE(menu->ItemButton(1)->checked());

    // The page button goes back.
    Click(MainAction::ShowButtonPage);
    ASSERT_TRUE(PumpUntil([&] { return dialog->currentPage() == config::kButtonPage; }, 5s));
    EXPECT_FALSE(::IsWindowVisible(dialog->sensitivityPage()->hwnd()));
    EXPECT_EQ(dialog->menus().OpenMenu(config::MainMenu::Setting), nullptr);
}

TEST_F(HostedConfigDlg, ResetAsksFirstAndPutsOnlyTheFactoryValuesInMemory) {
    ButtonSetting factory;
    SetButtonDefaults(factory);
    factory.mouse = {3, 3, 550, 5, 0, 1, 1, 1, {0, 0}};
    const struct {
        const char* how;
        std::function<void(HWND)> answer;
        bool resets;
    } cases[] = {
        {"OK", [](HWND d) { ClickAt(d, skin::reset::kOk); }, true},
        {"Enter", [](HWND) { PressKey(VK_RETURN); }, true},
        {"Cancel", [](HWND d) { ClickAt(d, skin::reset::kCancel); }, false},
        {"close", [](HWND d) { ClickAt(d, skin::reset::kClose); }, false},
        {"Escape", [](HWND) { PressKey(VK_ESCAPE); }, false},
    };
    for (const auto& c : cases) {
        ChangeSomething();
        dialog->Buttons().mouse.pointerSpeed = 9;
        const std::vector<std::uint8_t> before = BytesOf(dialog->Buttons());
        const std::vector<std::uint8_t> stored = StoredButtons();
        {
            ModalAnswer answer(skin::reset::kWidth, skin::reset::kHeight, c.answer);
            Click(MainAction::Reset);
            PumpUntil([&] { return answer.answered() && !FindDialogOfSize(skin::reset::kWidth,
                                                                           skin::reset::kHeight); },
                      20s);
        }
        PumpQueued();
        EXPECT_EQ(BytesOf(dialog->Buttons()), c.resets ? BytesOf(factory) : before) << c.how;
        EXPECT_EQ(StoredButtons(), stored) << c.how;
    }
}

TEST_F(HostedConfigDlg, OpeningAndClosingMenusLeavesNoGdiObjectsBehind) {
    const MainAction menus[] = {MainAction::ProfileMenu, MainAction::SettingMenu, MainAction::HelpMenu,
                                MainAction::LinkMenu};
    const auto round = [&] {
        for (MainAction m : menus) {
            Click(m);
            PumpFor(50ms);
        }
        const POINT background = ScreenPointOf(dialog->hwnd(), 20, 470);
        LeftClick(background.x, background.y);
        PumpFor(50ms);
    };
    round();
    const DWORD before = GdiObjectCount();
    for (int i = 0; i < 10; ++i) {
        round();
    }
    EXPECT_LE(GdiObjectCount(), before + 4);
}

}  // namespace
}  // namespace k2q::testing
