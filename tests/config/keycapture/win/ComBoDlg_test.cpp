// The combination-key dialog as a user meets it: opened modally on this thread, with the real
// KbSnare.dll (a copy in a folder of the test's own), while a second thread plays the user with
// real keystrokes and clicks and reads the painted text back from the screen.
#include "config/keycapture/win/ComBoDlg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "common/localization/UiStrings.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/Caption.h"
#include "common/ui/win/SkinImage.h"
#include "common/win/Gdi.h"
#include "common/win/Gdiplus.h"
#include "support/UiTexts.h"
#include "support/win/MessagePump.h"
#include "support/win/Screenshot.h"
#include "support/win/TempFolder.h"
#include "support/win/UserInput.h"

namespace k2q::config::win {
namespace {

using namespace std::chrono_literals;
namespace combo = skin::combo;

RECT OnScreen(HWND dialog, const skin::Rect& r) {
    const POINT topLeft = testing::ScreenPointOf(dialog, r.left, r.top);
    return {topLeft.x, topLeft.y, topLeft.x + r.Width(), topLeft.y + r.Height()};
}

POINT CentreOf(HWND dialog, const skin::Rect& r) {
    return testing::ScreenPointOf(dialog, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

k2q::win::SkinImage Picture(std::u16string_view file) {
    return k2q::win::LoadSkinImage(k2q::win::MakeSkinPath(combo::kArea, file));
}

std::uint32_t PixelOf(const k2q::win::SkinImage& image, int x, int y) {
    Gdiplus::Color c;
    image.bitmap()->GetPixel(x, y, &c);
    return c.GetValue() & 0x00FFFFFF;
}

// An area of the dialog as it must look with `text` painted at `caption` in `argb`: its
// background picture with the text drawn over it, rendered here the way a skinned window
// renders, for the screen to match.
testing::ScreenPixels ExpectedArea(const skin::Rect& area, const skin::Rect& caption,
                                   const std::wstring& text, std::uint32_t argb) {
    const k2q::win::SkinImage background = Picture(combo::kNormalFile);
    k2q::win::WindowDcGuard screen(nullptr);
    k2q::win::DoubleBuffer buffer(screen.dc(), combo::kWidth, combo::kHeight);
    {
        Gdiplus::Graphics graphics(buffer.dc());
        background.Draw(graphics, 0, 0);
    }
    k2q::win::DrawCaption(buffer.dc(), text, 8.0f, k2q::win::CaptionAlign::Near, argb,
                          k2q::win::CaptionRectOf(caption));
    testing::ScreenPixels pixels;
    pixels.width = area.Width();
    pixels.height = area.Height();
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = ::GetPixel(buffer.dc(), x, y);
            pixels.rgb.push_back(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
        }
    }
    return pixels;
}

// A dialog that tells the user's thread when it is up.
class OpenedDialog : public CComBoDlg {
  public:
    using CComBoDlg::CComBoDlg;
    std::atomic<HWND> opened{nullptr};

  protected:
    BOOL OnInitDialog() override {
        const BOOL result = CComBoDlg::OnInitDialog();
        opened = hwnd();
        return result;
    }
};

// What the user's thread does and sees; it never asserts itself but notes what went wrong, and
// closes the dialog if it has to give up, so this thread's modal loop always ends.
class User {
  public:
    explicit User(HWND dialog) : dialog_(dialog) {}

    void Check(bool ok, const std::string& what) {
        if (!ok) {
            failures.push_back(what);
        }
    }
    // Waits for a look of the dialog; gives up at once when the dialog has gone.
    bool Until(const std::function<bool()>& done) {
        return testing::PumpUntil([&] { return !::IsWindow(dialog_) || done(); }) &&
               ::IsWindow(dialog_);
    }
    // Waits until the area shows the text painted at caption in argb.
    void ExpectPainted(const skin::Rect& area, const skin::Rect& caption, const std::wstring& text,
                       std::uint32_t argb) {
        const testing::ScreenPixels want = ExpectedArea(area, caption, text, argb);
        Check(
            Until([&] { return testing::CaptureScreen(OnScreen(dialog_, area)).rgb == want.rgb; }),
            "the dialog does not show \"" + std::string(text.begin(), text.end()) + "\"");
    }
    // The combination's text area.
    void ExpectShown(const std::wstring& text) {
        ExpectPainted(combo::kTextArea, combo::kCombination, text, skin::kBlackText.normal);
    }
    void Click(const skin::Rect& control) {
        const POINT at = CentreOf(dialog_, control);
        testing::LeftClick(at.x, at.y);
    }
    // Moves onto a button and waits until it shows its pointer-over picture: by then the dialog
    // has handled all the input sent before the move.
    void HoverOver(const skin::Rect& button) {
        const auto normal = Picture(combo::kNormalFile);
        const auto over = Picture(combo::kOverFile);
        // A point of the button where the two pictures differ tells which one is shown.
        for (int y = button.top; y < button.bottom; ++y) {
            for (int x = button.left; x < button.right; ++x) {
                if (PixelOf(normal, x, y) == PixelOf(over, x, y)) {
                    continue;
                }
                const POINT at = testing::ScreenPointOf(dialog_, x, y);
                const auto shown = [&] {
                    return testing::CaptureScreen({at.x, at.y, at.x + 1, at.y + 1}).rgb.at(0);
                };
                testing::MovePointer(testing::ScreenPointOf(dialog_, 1, 1));
                Check(Until([&] { return shown() == PixelOf(normal, x, y); }),
                      "the button stayed lit with the pointer off it");
                testing::MovePointer(CentreOf(dialog_, button));
                Check(Until([&] { return shown() == PixelOf(over, x, y); }),
                      "the button did not light up under the pointer");
                return;
            }
        }
        Check(false, "the button looks the same in both pictures");
    }
    HWND dialog() const { return dialog_; }

    std::vector<std::string> failures;

  private:
    HWND dialog_;
};

class ComboDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        testing::LoadProgramUiTexts({{UiKey::tc_ok, u"OK"},
                                     {UiKey::tc_cancel, u"Cancel"},
                                     {UiKey::tc_combo_tittle, u"Combination key"},
                                     {UiKey::tc_combo_tips, u"Press the keys together"}});
        ASSERT_TRUE(withLibrary.CopyFromDist(L"KbSnare.dll")) << "dist/KbSnare.dll is not built";
    }

    // Runs the dialog modally here while `play` acts as the user on another thread; returns
    // what DoModal returned, with the user's failures reported.
    INT_PTR Run(OpenedDialog& dialog, const std::function<void(User&)>& play) {
        std::vector<std::string> failures;
        std::thread user([&] {
            if (!testing::PumpUntil([&] {
                    const HWND hwnd = dialog.opened.load();
                    return hwnd && ::IsWindowVisible(hwnd) && ::GetForegroundWindow() == hwnd;
                })) {
                failures.push_back("the dialog did not come up in front");
                if (const HWND hwnd = dialog.opened.load()) {
                    ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
                }
                return;
            }
            User u(dialog.opened.load());
            u.ExpectShown(L"");
            play(u);
            failures = u.failures;
            // A dialog still open here was not closed by the play: give up on it.
            if (testing::PumpUntil([&] { return !::IsWindow(u.dialog()); }, 5s) == false) {
                failures.push_back("the dialog stayed open");
                ::PostMessageW(u.dialog(), WM_CLOSE, 0, 0);
            }
        });
        const INT_PTR result = dialog.DoModal(nullptr);
        user.join();
        for (const std::string& f : failures) {
            ADD_FAILURE() << f;
        }
        return result;
    }

    k2q::win::GdiplusSession gdiplus;
    testing::PointerGuard pointer;
    testing::TempFolder withLibrary{L"K2qComboHook"};
};

TEST_F(ComboDialog, ShowsCtrlAltDeletePressedOnTheKeyboardAndHandsItBackAfterOk) {
    OpenedDialog dialog;
    dialog.SetHookFolder(withLibrary.path());
    RECT placed{};
    const INT_PTR result = Run(dialog, [&](User& u) {
        ::GetWindowRect(u.dialog(), &placed);
        u.ExpectPainted(combo::kTitle, combo::kTitle, L"Combination key", skin::kComboText.normal);
        u.ExpectPainted(combo::kTips, combo::kTips, L"Press the keys together",
                        skin::kComboText.normal);
        testing::KeyDown(VK_LCONTROL);
        testing::KeyDown(VK_LMENU);
        testing::KeyDown(VK_DELETE);
        u.ExpectShown(L"Ctrl+Alt+Delete");
        testing::KeyUp(VK_LCONTROL);  // the first key pressed: closes the capture
        testing::KeyUp(VK_DELETE);
        testing::KeyUp(VK_LMENU);
        u.ExpectShown(L"Ctrl+Alt+Delete");
        u.Click(combo::kOk);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(dialog.captured());
    EXPECT_EQ(dialog.modifiers(), 0x05);
    EXPECT_EQ(dialog.key1(), 0x2E);
    EXPECT_EQ(dialog.key2(), 0x00);
    // Its size is its picture's, centred in the full-screen area.
    EXPECT_EQ(placed.right - placed.left, combo::kWidth);
    EXPECT_EQ(placed.bottom - placed.top, combo::kHeight);
    EXPECT_EQ(placed.left, (::GetSystemMetrics(SM_CXFULLSCREEN) - combo::kWidth) / 2);
    EXPECT_EQ(placed.top, (::GetSystemMetrics(SM_CYFULLSCREEN) - combo::kHeight) / 2);
}

TEST_F(ComboDialog, CapturesEnterEscSpaceAndAltF4WithoutClosing) {
    OpenedDialog dialog;
    dialog.SetHookFolder(withLibrary.path());
    const INT_PTR result = Run(dialog, [&](User& u) {
        testing::PressKey(VK_RETURN);
        u.ExpectShown(L"Enter");
        testing::PressKey(VK_ESCAPE);
        u.ExpectShown(L"Esc");
        testing::PressKey(VK_SPACE);
        u.ExpectShown(L"Space");
        testing::PressChord({VK_LMENU, VK_F4});
        u.ExpectShown(L"Alt+F4");
        u.Check(::IsWindowVisible(u.dialog()) != FALSE, "the dialog closed");
        u.Click(combo::kOk);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.modifiers(), 0x04);
    EXPECT_EQ(dialog.key1(), 0x73);
    EXPECT_EQ(dialog.key2(), 0x00);
}

// Without a library to load, or with one that does not load, the dialog still opens and
// closes, shows nothing, and gives the caller's record back unchanged; Enter, Esc, Space and
// Alt+F4 now reach the dialog itself and still neither press a button nor close it.
TEST_F(ComboDialog, WithoutAWorkingLibraryCapturesNothingAndLeavesTheRecord) {
    testing::TempFolder empty{L"K2qComboNoHook"};
    testing::TempFolder damaged{L"K2qComboBadHook"};
    ASSERT_TRUE(damaged.Write(L"KbSnare.dll", "MZ this is not a library"));
    const struct {
        const testing::TempFolder& folder;
        const skin::Rect& endWith;
        INT_PTR ends;
    } cases[] = {{empty, combo::kOk, IDOK}, {damaged, combo::kClose, IDCANCEL}};
    for (const auto& c : cases) {
        OpenedDialog dialog(0x01, 'C', 0x00);
        dialog.SetHookFolder(c.folder.path());
        const INT_PTR result = Run(dialog, [&](User& u) {
            testing::PressChord({VK_LCONTROL, VK_LMENU, VK_DELETE});
            testing::PressKey(VK_RETURN);
            testing::PressKey(VK_ESCAPE);
            testing::PressKey(VK_SPACE);
            testing::PressChord({VK_LMENU, VK_F4});
            u.HoverOver(combo::kOk);
            u.Check(::IsWindowVisible(u.dialog()) != FALSE, "the dialog closed");
            u.ExpectShown(L"");
            u.Click(c.endWith);
        });
        EXPECT_EQ(result, c.ends);
        EXPECT_FALSE(dialog.captured());
        EXPECT_EQ(dialog.modifiers(), 0x01);
        EXPECT_EQ(dialog.key1(), 'C');
        EXPECT_EQ(dialog.key2(), 0x00);
    }
}

TEST_F(ComboDialog, MovesWhenItsBackgroundIsDraggedAndCancelKeepsTheRecord) {
    OpenedDialog dialog(0x02, 'X', 'Y');
    dialog.SetHookFolder(withLibrary.path());
    RECT before{}, after{};
    const INT_PTR result = Run(dialog, [&](User& u) {
        ::GetWindowRect(u.dialog(), &before);
        // Paced as a hand moves, so the system's move loop sees the button held throughout.
        const POINT grip = testing::ScreenPointOf(u.dialog(), 100, 120);
        testing::MovePointer(grip);
        ::Sleep(30);
        testing::LeftDown();
        ::Sleep(50);
        for (int step = 1; step <= 4; ++step) {
            testing::MovePointer(grip.x + 10 * step, grip.y + 8 * step);
            ::Sleep(20);
        }
        testing::LeftUp();
        u.Check(u.Until([&] {
            ::GetWindowRect(u.dialog(), &after);
            return after.left == before.left + 40 && after.top == before.top + 32;
        }),
                "the dialog did not follow the drag");
        testing::PressKey('Q');
        u.ExpectShown(L"Q");
        u.Click(combo::kCancel);
    });
    // Cancel: what was captured is not handed back.
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(dialog.captured());
    EXPECT_EQ(dialog.modifiers(), 0x02);
    EXPECT_EQ(dialog.key1(), 'X');
    EXPECT_EQ(dialog.key2(), 'Y');
}

// The library is only ever loaded by its full path: a library planted in the current folder is
// not picked up when the folder is not a full path.
TEST(HookLibrary, LoadsOnlyFromAFullFolderPath) {
    testing::TempFolder planted{L"K2qPlantedHook"};
    ASSERT_TRUE(planted.CopyFromDist(L"KbSnare.dll"));
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryW(planted.path().c_str()));
    {
        const HookLibrary bare(L"");
        const HookLibrary relative(L".\\");
        EXPECT_FALSE(bare.loaded());
        EXPECT_FALSE(relative.loaded());
    }
    ::SetCurrentDirectoryW(previous);
    {
        const HookLibrary full(planted.path());
        EXPECT_TRUE(full.loaded());
        EXPECT_TRUE(full.canSwitch());
    }
    // Freed with its holder.
    EXPECT_EQ(::GetModuleHandleW((planted.path() + L"KbSnare.dll").c_str()), nullptr);
}

}  // namespace
}  // namespace k2q::config::win
