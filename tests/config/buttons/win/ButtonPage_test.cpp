// The button page hosted in a stand-in main dialog and used as a person uses it: clicks on the
// labels, hovering into a submenu, choosing, keys; the outcome read back from the in-memory
// block, the labels, the windows on the screen and their pixels.
#include "config/buttons/win/ButtonPage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/ui/SkinLayout.h"
#include "common/localization/win/ProgramLanguage.h"
#include "common/ui/win/SkinImage.h"
#include "common/win/Gdiplus.h"
#include "config/win/StandInMainDialog.h"
#include "support/UiTexts.h"
#include "support/win/GdiObjects.h"
#include "support/win/Screenshot.h"
#include "support/win/UserInput.h"

namespace k2q::config::win {
namespace {

using namespace std::chrono_literals;
using k2q::testing::CaptureScreen;
using k2q::testing::LeftClick;
using k2q::testing::MovePointer;
using k2q::testing::PagePoint;
using k2q::testing::PumpDialogFor;
using k2q::testing::PumpDialogUntil;
using k2q::testing::RectOf;
using k2q::testing::StandInMainDialog;
namespace page = skin::button_page;

constexpr skin::Rect kLabels[kRecordCount] = {page::kLabel0, page::kLabel1, page::kLabel2,
                                              page::kLabel3, page::kLabel4, page::kLabel5,
                                              page::kLabel6};
// Screen colours (0x00RRGGBB) of the leader lines.
constexpr std::uint32_t kRestingRgb = 0x919B95;
constexpr std::uint32_t kLitRgb = 0xFFFF00;

// The visible popups this thread owns under `owner`.
std::vector<HWND> OwnedPopups(HWND owner) {
    struct Search {
        HWND owner;
        std::vector<HWND> found;
    } search{owner, {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hwnd, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (::IsWindowVisible(hwnd) && ::GetWindow(hwnd, GW_OWNER) == s->owner) {
                s->found.push_back(hwnd);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::uint32_t ScreenPixel(POINT pt) {
    return CaptureScreen({pt.x, pt.y, pt.x + 1, pt.y + 1}).At(0, 0);
}

// Watches, on a thread of its own, for a modal dialog this thread is about to run (found by
// its title); notes the texts of its controls and ends it with `finish`, real input as a
// person gives it. The test thread is inside the dialog's loop meanwhile.
class ModalWatcher {
  public:
    ModalWatcher(const wchar_t* title, std::function<void(HWND)> finish)
        : thread_([this, title, finish] {
              const auto end = std::chrono::steady_clock::now() + 20s;
              while (!stop_ && std::chrono::steady_clock::now() < end) {
                  HWND box = ::FindWindowW(L"#32770", title);
                  if (box && ::IsWindowVisible(box)) {
                      ::EnumChildWindows(box, &NoteText, reinterpret_cast<LPARAM>(&texts_));
                      ::SetForegroundWindow(box);
                      finish(box);
                      for (int i = 0; i < 200 && ::IsWindow(box); ++i) {
                          std::this_thread::sleep_for(10ms);
                      }
                      if (::IsWindow(box)) {  // never leave the test thread stuck in it
                          forced_ = true;
                          ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
                      }
                      seen_ = true;
                      return;
                  }
                  std::this_thread::sleep_for(10ms);
              }
          }) {}
    ~ModalWatcher() {
        stop_ = true;
        thread_.join();
    }
    bool seen() const { return seen_; }
    // Whether the dialog stayed open after `finish` and had to be cancelled.
    bool forced() const { return forced_; }
    // The texts of the dialog's controls, once seen() holds.
    const std::vector<std::wstring>& texts() const { return texts_; }

  private:
    static BOOL CALLBACK NoteText(HWND child, LPARAM p) {
        wchar_t text[256] = {};
        ::GetWindowTextW(child, text, 256);
        reinterpret_cast<std::vector<std::wstring>*>(p)->push_back(text);
        return TRUE;
    }
    std::atomic<bool> stop_{false};
    std::atomic<bool> seen_{false};
    std::atomic<bool> forced_{false};
    std::vector<std::wstring> texts_;
    std::thread thread_;
};

// A click on a skinned button that closes a modal dialog, from the watcher's thread. Under
// Wine a press that follows the dialog's opening closely is now and then lost; a person would
// click again, and so does this, a few times at most.
void ClickFromWatcher(HWND dialog, POINT at) {
    for (int attempt = 0; attempt < 3 && ::IsWindow(dialog); ++attempt) {
        k2q::testing::ClickSkinnedButton(at, [&](std::chrono::milliseconds bound) {
            const auto end = std::chrono::steady_clock::now() + bound;
            while (!k2q::testing::SkinnedButtonLitAt(at) &&
                   std::chrono::steady_clock::now() < end) {
                std::this_thread::sleep_for(5ms);
            }
            return k2q::testing::SkinnedButtonLitAt(at);
        });
        for (int i = 0; i < 100 && ::IsWindow(dialog); ++i) {
            std::this_thread::sleep_for(10ms);
        }
    }
}

class ButtonPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        k2q::testing::LoadKeyNamesAsProgramUiTexts();
        ASSERT_TRUE(host.Open(100, 60));
    }

    // Hosts a page built with the given stand-in dialogs (or the real ones).
    void HostPage(ChoiceDialogs* dialogs = nullptr) {
        page_ = dialogs ? std::make_unique<CButtonPage>(host, *dialogs)
                        : std::make_unique<CButtonPage>(host);
        host.buttonPage = page_.get();
        ASSERT_TRUE(host.Host(*page_));
    }
    CButtonPage& Page() { return *page_; }
    HWND PageHwnd() { return page_->hwnd(); }

    std::wstring Caption(int label) {
        auto* button = k2q::testing::PageButton(PageHwnd(), kFirstLabelId + label);
        return button ? button->caption() : L"<no label>";
    }
    POINT LabelCentre(int label) { return k2q::testing::CentreOf(kLabels[label], PageHwnd()); }

    // Clicks a label and waits for its function menu; returns the menu's window.
    HWND OpenMenu(int label) {
        Click(LabelCentre(label));
        PumpDialogUntil(
            host.hwnd(), [&] { return Page().HasFunctionMenu(); }, 5s);
        const std::vector<HWND> menus = OwnedPopups(host.hwnd());
        return menus.size() == 1 ? menus[0] : nullptr;
    }
    static POINT ItemPoint(HWND menu, int item) {
        const RECT r = RectOf(menu);
        return {r.left + 75, r.top + 24 * item + 11};
    }
    // Clicks an item of an open menu that has no submenu.
    void Choose(HWND menu, int item) {
        Click(ItemPoint(menu, item));
        PumpDialogUntil(
            host.hwnd(), [&] { return !Page().HasFunctionMenu(); }, 5s);
    }
    // A click on a skinned button of this thread's windows.
    void Click(POINT at) { k2q::testing::ClickSkinnedButtonOf(host.hwnd(), at); }
    // Hovers an item with a submenu and waits for the submenu; returns its window.
    HWND HoverSubmenu(HWND menu, int item) {
        MovePointer(ItemPoint(menu, item));
        HWND submenu = nullptr;
        PumpDialogUntil(
            host.hwnd(),
            [&] {
                const std::vector<HWND> subs = OwnedPopups(menu);
                submenu = subs.empty() ? nullptr : subs[0];
                return submenu != nullptr;
            },
            5s);
        return submenu;
    }
    // Hovers an item with a submenu, then clicks one of its entries.
    void ChooseInSubmenu(HWND menu, int item, int entry) {
        HWND submenu = HoverSubmenu(menu, item);
        ASSERT_NE(submenu, nullptr);
        const RECT s = RectOf(submenu);
        EXPECT_EQ(s.left, RectOf(menu).right);  // room on the right: beside the menu
        EXPECT_EQ(s.top, RectOf(menu).top + 24 * item);
        Click({s.left + 75, s.top + 24 * entry + 12});
        PumpDialogUntil(
            host.hwnd(), [&] { return !Page().HasFunctionMenu(); }, 5s);
    }

    k2q::win::GdiplusSession gdiplus;
    k2q::testing::PointerGuard pointer;
    StandInMainDialog host;
    std::unique_ptr<CButtonPage> page_;
};

TEST_F(ButtonPageTest, ShowsTheFunctionsAndTakesACopyCommandFromTheSubmenu) {
    HostPage();
    const wchar_t* defaults[] = {L"tc_click", L"tc_middle",   L"tc_menu",    L"tc_pre",
                                 L"tc_next",  L"tc_scrollup", L"tc_scrolldw"};
    for (int i = 0; i < kRecordCount; ++i) {
        EXPECT_EQ(Caption(i), defaults[i]) << i;
    }
    EXPECT_EQ(k2q::testing::PageButton(PageHwnd(), kModeCaptionId)->caption(), L"tc_mousemode");
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(PageHwnd(), kModeCaptionId)));

    const int closesBefore = host.closeAllMenus;
    HWND menu = OpenMenu(kFirstSideButton);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Page().CurrentButton(), kFirstSideButton);
    EXPECT_GT(host.closeAllMenus, closesBefore);  // opening closes the main dialog's menus
    const RECT m = RectOf(menu);
    EXPECT_EQ(m.left, LabelCentre(kFirstSideButton).x);  // at the pointer: room everywhere
    EXPECT_EQ(m.top, LabelCentre(kFirstSideButton).y);
    EXPECT_EQ(m.right - m.left, skin::function_menu::kWidth);

    ChooseInSubmenu(menu, 7, 1);  // "tc_base_fun" > "tc_copy"
    const ButtonRecord& r = host.Buttons().records[kFirstSideButton];
    EXPECT_EQ(r.function, kFnEditCommand);
    EXPECT_EQ(r.editCommand, kEditCopy);
    EXPECT_EQ(Caption(kFirstSideButton), L"tc_copy");
    EXPECT_TRUE(OwnedPopups(host.hwnd()).empty());
    EXPECT_EQ(Page().CurrentButton(), kFirstSideButton);

    // The wheel menu of the forward direction offers scrolling sideways as its third item.
    menu = OpenMenu(kWheelForward);
    ASSERT_NE(menu, nullptr);
    Choose(menu, 2);
    EXPECT_EQ(host.Buttons().records[kWheelForward].function, kFnScrollLeft);
    EXPECT_EQ(Caption(kWheelForward), L"tc_scrolllt");

    // After the block changed elsewhere (a reset, an import), a refresh recaptions.
    host.Buttons().records[kWheelButton] = {1, kFnWindowCommand, 0, kWinMaximize};
    host.Buttons().records[kWheelBackward] = {6, kFnEditCommand, kEditDelete};
    Page().RefreshButtonLabels();
    EXPECT_EQ(Caption(kWheelButton), L"tc_max_win");
    EXPECT_EQ(Caption(kWheelBackward), L"");
}

TEST_F(ButtonPageTest, RefusesToGiveAwayTheLastLeftClickWithAMessage) {
    HostPage();
    HWND menu = OpenMenu(kLeftButton);
    ASSERT_NE(menu, nullptr);
    {
        ModalWatcher watcher(L"tc_title", [](HWND) { k2q::testing::PressKey(VK_RETURN); });
        Choose(menu, 1);  // "tc_middle"
        PumpDialogUntil(
            host.hwnd(), [&] { return watcher.seen(); }, 5s);
        ASSERT_TRUE(watcher.seen());
        EXPECT_FALSE(watcher.forced());
        const std::vector<std::wstring>& texts = watcher.texts();
        EXPECT_NE(std::find(texts.begin(), texts.end(), L"tc_msg1"), texts.end());
        PumpDialogFor(host.hwnd(), 100ms);
    }
    EXPECT_EQ(host.Buttons().records[kLeftButton].function, kFnLeftClick);
    EXPECT_EQ(Caption(kLeftButton), L"tc_click");

    // The same choice for the right button goes through without a word.
    menu = OpenMenu(kRightButton);
    Choose(menu, 0);  // "tc_click"
    EXPECT_EQ(host.Buttons().records[kRightButton].function, kFnLeftClick);
    menu = OpenMenu(kLeftButton);
    Choose(menu, 1);
    EXPECT_EQ(host.Buttons().records[kLeftButton].function, kFnMiddleClick);
    EXPECT_EQ(Caption(kLeftButton), L"tc_middle");
}

TEST_F(ButtonPageTest, AMenuNearTheScreensCornerOpensLeftAndAboveThePointer) {
    HostPage();
    // Move the host so that label 0's centre lies 100 pixels from the right edge and 100 from
    // the bottom of the full-screen area.
    const int w = ::GetSystemMetrics(SM_CXFULLSCREEN);
    const int h = ::GetSystemMetrics(SM_CYFULLSCREEN);
    const POINT c = LabelCentre(kLeftButton);
    RECT hr = RectOf(host.hwnd());
    ::SetWindowPos(host.hwnd(), nullptr, hr.left + (w - 100 - c.x), hr.top + (h - 100 - c.y), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER);
    PumpDialogFor(host.hwnd(), 50ms);
    const POINT at = LabelCentre(kLeftButton);
    HWND menu = OpenMenu(kLeftButton);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(RectOf(menu).left, at.x - 150);
    EXPECT_EQ(RectOf(menu).top, at.y - 287);
    Page().CloseFunctionMenu();
    EXPECT_TRUE(OwnedPopups(host.hwnd()).empty());
}

TEST_F(ButtonPageTest, LeaderLinesLightUnderThePointerAndTheMouseLightsUpOverThePicture) {
    HostPage();
    const skin::Line line3 = page::kLeader3;
    const skin::Line line4 = page::kLeader4;
    const POINT on3 = PagePoint(PageHwnd(), (line3.from.x + line3.to.x) / 2, line3.from.y);
    const POINT on4 = PagePoint(PageHwnd(), (line4.from.x + line4.to.x) / 2, line4.from.y);

    MovePointer(LabelCentre(kFirstSideButton));
    PumpDialogUntil(
        host.hwnd(), [&] { return ScreenPixel(on3) == kLitRgb; }, 3s);
    EXPECT_EQ(ScreenPixel(on3), kLitRgb);
    EXPECT_EQ(ScreenPixel(on4), kRestingRgb);

    MovePointer(LabelCentre(kSecondSideButton));
    PumpDialogUntil(
        host.hwnd(), [&] { return ScreenPixel(on4) == kLitRgb; }, 3s);
    EXPECT_EQ(ScreenPixel(on4), kLitRgb);
    EXPECT_EQ(ScreenPixel(on3), kRestingRgb);

    // Over the picture the page shows the second mouse picture; off it, the first.
    const k2q::win::SkinImage mouse1 = k2q::win::LoadSkinImage(
        k2q::win::MakeSkinPath(skin::mouse1::kArea, skin::mouse1::kNormalFile));
    const k2q::win::SkinImage mouse2 = k2q::win::LoadSkinImage(
        k2q::win::MakeSkinPath(skin::mouse2::kArea, skin::mouse2::kNormalFile));
    ASSERT_FALSE(mouse1.empty());
    ASSERT_FALSE(mouse2.empty());
    // A point of the picture where the two pictures differ.
    const auto rgbAt = [](const k2q::win::SkinImage& image, int x, int y) {
        Gdiplus::Color c;
        image.bitmap()->GetPixel(x, y, &c);
        return c.GetValue() & 0x00FFFFFF;
    };
    POINT probe{-1, -1};
    for (int y = 20; y < mouse1.height() && probe.x < 0; y += 7) {
        for (int x = 20; x < mouse1.width(); x += 7) {
            if (rgbAt(mouse1, x, y) != rgbAt(mouse2, x, y) &&
                rgbAt(mouse1, x, y) == rgbAt(mouse1, x + 1, y)) {
                probe = {x, y};
                break;
            }
        }
    }
    ASSERT_GE(probe.x, 0);
    const POINT onScreen =
        PagePoint(PageHwnd(), page::kMousePicture.x + probe.x, page::kMousePicture.y + probe.y);
    MovePointer(PagePoint(PageHwnd(), 150, 300));  // inside the picture area, off the mouse
    PumpDialogUntil(
        host.hwnd(), [&] { return ScreenPixel(onScreen) == rgbAt(mouse2, probe.x, probe.y); }, 3s);
    EXPECT_EQ(ScreenPixel(onScreen), rgbAt(mouse2, probe.x, probe.y));
    MovePointer(PagePoint(PageHwnd(), 310, 320));  // outside it
    PumpDialogUntil(
        host.hwnd(), [&] { return ScreenPixel(onScreen) == rgbAt(mouse1, probe.x, probe.y); }, 3s);
    EXPECT_EQ(ScreenPixel(onScreen), rgbAt(mouse1, probe.x, probe.y));

    // While a function menu is open, the line of its label stays lit wherever the pointer is.
    HWND menu = OpenMenu(kWheelButton);
    ASSERT_NE(menu, nullptr);
    const skin::Line line1 = page::kLeader1;
    const POINT on1 = PagePoint(PageHwnd(), line1.from.x, (line1.from.y + line1.to.y) / 2);
    MovePointer(LabelCentre(kFirstSideButton));
    PumpDialogFor(host.hwnd(), 450ms);  // two ticks of the line timer
    EXPECT_EQ(ScreenPixel(on1), kLitRgb);
    EXPECT_EQ(ScreenPixel(on3), kRestingRgb);

    // A press on the page's background closes it, and the main dialog's menus too; dragging
    // from there moves nothing.
    const int closesBefore = host.closeAllMenus;
    const RECT hostBefore = RectOf(host.hwnd());
    const RECT pageBefore = RectOf(PageHwnd());
    k2q::testing::DragBy(host.hwnd(), PagePoint(PageHwnd(), 310, 320), 40, 30);
    PumpDialogUntil(
        host.hwnd(), [&] { return !Page().HasFunctionMenu(); }, 3s);
    EXPECT_FALSE(Page().HasFunctionMenu());
    EXPECT_GT(host.closeAllMenus, closesBefore);
    EXPECT_TRUE(k2q::testing::SameRect(hostBefore, RectOf(host.hwnd())));
    EXPECT_TRUE(k2q::testing::SameRect(pageBefore, RectOf(PageHwnd())));
}

// Dialog outcomes scripted; while one is "open", the test moves the pointer over a label to see
// that the leader lines stand still.
class ScriptedDialogs : public ChoiceDialogs {
  public:
    void ShowRefusal() override { ++refusals; }
    CombinationOutcome RunCombinationDialog() override {
        whileOpen();
        return combination;
    }
    MacroEditorOutcome RunMacroEditor(int startIndex, int button) override {
        editorStart = startIndex;
        editorButton = button;
        whileOpen();
        return macro;
    }
    std::function<void()> whileOpen = [] {};
    CombinationOutcome combination;
    MacroEditorOutcome macro;
    int refusals = 0;
    int editorStart = -2;
    int editorButton = -2;
};

TEST_F(ButtonPageTest, CombinationAndMacroChoicesTakeTheDialogsOutcome) {
    ScriptedDialogs dialogs;
    HostPage(&dialogs);
    SetMacroName(host.Macros().macros[2], u"Burst fire");
    host.Macros().count = 3;
    const skin::Line line3 = page::kLeader3;
    const POINT on3 = PagePoint(PageHwnd(), (line3.from.x + line3.to.x) / 2, line3.from.y);
    std::uint32_t lineWhileOpen = 0;
    // As a modal dialog does, the stand-in disables the main dialog while it is open; the
    // line timer goes on firing meanwhile.
    dialogs.whileOpen = [&] {
        ::EnableWindow(host.hwnd(), FALSE);
        MovePointer(LabelCentre(kFirstSideButton));
        PumpDialogFor(host.hwnd(), 450ms);
        lineWhileOpen = ScreenPixel(on3);
        ::EnableWindow(host.hwnd(), TRUE);
    };

    dialogs.macro = {true, 2};
    HWND menu = OpenMenu(kSecondSideButton);
    ASSERT_NE(menu, nullptr);
    Choose(menu, 10);  // "tc_mac_def"
    EXPECT_EQ(dialogs.editorStart, -1);
    EXPECT_EQ(dialogs.editorButton, kSecondSideButton);
    EXPECT_EQ(lineWhileOpen, kRestingRgb);
    EXPECT_EQ(host.Buttons().records[kSecondSideButton].function, kFnMacro);
    EXPECT_EQ(host.Buttons().records[kSecondSideButton].macroIndex, 2);
    EXPECT_EQ(Caption(kSecondSideButton), L"Burst fire");
    // Tracking resumes once the dialog is gone.
    PumpDialogUntil(
        host.hwnd(), [&] { return ScreenPixel(on3) == kLitRgb; }, 3s);
    EXPECT_EQ(ScreenPixel(on3), kLitRgb);

    dialogs.combination = {true, 0, 0, 0};  // OK with nothing captured
    menu = OpenMenu(kWheelBackward);
    Choose(menu, 6);  // "tc_combokey"
    EXPECT_EQ(host.Buttons().records[kWheelBackward].function, kFnScrollDown);
    EXPECT_EQ(Caption(kWheelBackward), L"tc_scrolldw");

    dialogs.combination = {true, 0x05, 0x2E, 0};
    menu = OpenMenu(kWheelBackward);
    Choose(menu, 6);
    const ButtonRecord& r = host.Buttons().records[kWheelBackward];
    EXPECT_EQ(r.function, kFnCombination);
    EXPECT_EQ(r.comboModifiers, 0x05);
    EXPECT_EQ(r.comboKey1, 0x2E);
    EXPECT_EQ(Caption(kWheelBackward), L"Ctrl+Alt+Delete");
    EXPECT_EQ(dialogs.refusals, 0);
}

TEST_F(ButtonPageTest, TheRealDialogsOpenOverThePageAndLeaveTheRecordWhenNothingIsChosen) {
    // No KbSnare.dll lies beside the test program: the combination dialog opens, keys reach
    // nobody, and its OK leaves the record as it was. The macro editor's Cancel does too.
    struct Case {
        int label;
        int item;
        const wchar_t* title;
        std::function<void(HWND)> finish;
        const wchar_t* caption;
    } cases[] = {
        {kWheelForward, 6, L"tc_combo_tittle",
         [](HWND dialog) {
             k2q::testing::PressChord({VK_CONTROL, 'C'});
             ClickFromWatcher(dialog, k2q::testing::CentreOf(skin::combo::kOk, dialog));
         },
         L"tc_scrollup"},
        {kRightButton, 10, L"CDlgMacro",
         [](HWND editor) {
             ClickFromWatcher(editor, k2q::testing::CentreOf(skin::macro::kCancel, editor));
         },
         L"tc_menu"},
    };
    HostPage();
    SetMacroName(host.Macros().macros[0], u"Combo");
    host.Macros().count = 1;
    for (const Case& c : cases) {
        const ButtonRecord before = host.Buttons().records[c.label];
        HWND menu = OpenMenu(c.label);
        ASSERT_NE(menu, nullptr);
        {
            ModalWatcher watcher(c.title, c.finish);
            Choose(menu, c.item);
            PumpDialogUntil(
                host.hwnd(), [&] { return watcher.seen(); }, 5s);
            ASSERT_TRUE(watcher.seen()) << c.title;
            EXPECT_FALSE(watcher.forced()) << c.title;
        }
        EXPECT_EQ(std::memcmp(&host.Buttons().records[c.label], &before, sizeof before), 0);
        EXPECT_EQ(Caption(c.label), c.caption);
    }
}

TEST_F(ButtonPageTest, EnterAndEscapeInsideThePageCloseNothing) {
    HostPage();
    // Focus a label with a click (its menu opens), then close the menu and press the keys.
    OpenMenu(kRightButton);
    Page().CloseFunctionMenu();
    ASSERT_TRUE(::IsChild(PageHwnd(), ::GetFocus()));
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
        k2q::testing::PressKey(key);
        PumpDialogFor(host.hwnd(), 100ms);
    }
    EXPECT_EQ(host.okCommands, 0);
    EXPECT_EQ(host.cancelCommands, 0);
    EXPECT_TRUE(::IsWindowVisible(PageHwnd()));

    // Outside the page the dialog manager does turn them into OK and Cancel.
    ::SetFocus(::GetDlgItem(host.hwnd(), StandInMainDialog::kOwnButton));
    k2q::testing::PressKey(VK_RETURN);
    k2q::testing::PressKey(VK_ESCAPE);
    PumpDialogUntil(
        host.hwnd(), [&] { return host.cancelCommands > 0; }, 3s);
    EXPECT_EQ(host.okCommands, 1);
    EXPECT_EQ(host.cancelCommands, 1);
}

TEST_F(ButtonPageTest, OpeningAndClosingMenusAndPagesLeavesNoGdiObjects) {
    HostPage();
    OpenMenu(kLeftButton);
    Page().CloseFunctionMenu();
    page_.reset();
    host.buttonPage = nullptr;
    PumpDialogFor(host.hwnd(), 50ms);
    const DWORD before = k2q::testing::GdiObjectCount();
    for (int round = 0; round < 5; ++round) {
        HostPage();
        for (int label : {kLeftButton, kWheelForward}) {
            HWND menu = OpenMenu(label);
            ASSERT_NE(menu, nullptr);
            MovePointer(ItemPoint(menu, 8));  // open a submenu too
            PumpDialogFor(host.hwnd(), 50ms);
            Page().CloseFunctionMenu();
        }
        page_.reset();
        host.buttonPage = nullptr;
        PumpDialogFor(host.hwnd(), 50ms);
    }
    EXPECT_LE(k2q::testing::GdiObjectCount(), before + 4);
}

TEST_F(ButtonPageTest, Screenshots) {
    k2q::win::LoadLanguageBesideProgram();
    HostPage();
    MovePointer(PagePoint(PageHwnd(), 310, 320));
    PumpDialogFor(host.hwnd(), 100ms);
    k2q::testing::SavePng(CaptureScreen(RectOf(PageHwnd())),
                          k2q::testing::ScreenshotPath(L"button_page.png"));

    HWND menu = OpenMenu(kFirstSideButton);
    ASSERT_NE(menu, nullptr);
    HWND submenu = HoverSubmenu(menu, 7);
    ASSERT_NE(submenu, nullptr);
    const RECT s = RectOf(submenu);
    MovePointer(s.left + 75, s.top + 24 + 12);
    PumpDialogFor(host.hwnd(), 100ms);
    RECT shown = RectOf(PageHwnd());
    ::UnionRect(&shown, &shown, &s);
    k2q::testing::SavePng(CaptureScreen(shown),
                          k2q::testing::ScreenshotPath(L"button_page_menu.png"));
    Page().CloseFunctionMenu();
}

}  // namespace
}  // namespace k2q::config::win
