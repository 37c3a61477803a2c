// The skinned controls on their shipped skins, in the gallery program (tests/gallery), driven
// from outside as a user would: the screen shows the pictures, choices come back as the
// program's exit code, and the screenshots for the documentation are taken on the way
// (build/win/screenshots).
#include <gtest/gtest.h>

#include <string>

#include "common/localization/UiStrings.h"
#include "common/ui/BmpMenuModel.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/SkinImage.h"
#include "common/win/Gdiplus.h"
#include "common/win/ModulePath.h"
#include "support/win/Processes.h"
#include "support/win/Screenshot.h"
#include "support/win/UserInput.h"
#include "UiHost.h"

namespace k2q::testing {
namespace {

using namespace std::chrono_literals;

// The screen rectangle that holds every visible window of a process.
RECT WindowsOf(DWORD process) {
    struct Search {
        DWORD process;
        RECT all;
    } search{process, {LONG_MAX, LONG_MAX, LONG_MIN, LONG_MIN}};
    ::EnumWindows(
        [](HWND hwnd, LPARAM out) -> BOOL {
            auto* s = reinterpret_cast<Search*>(out);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hwnd, &pid);
            RECT r;
            if (pid == s->process && ::IsWindowVisible(hwnd) && ::GetWindowRect(hwnd, &r) &&
                r.right > r.left) {
                ::UnionRect(&s->all, &s->all, &r);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.all;
}

std::uint32_t PictureRgb(std::u16string_view area, std::u16string_view file, int x, int y) {
    const win::SkinImage picture = win::LoadSkinImage(win::MakeSkinPath(area, file));
    Gdiplus::Color c;
    if (picture.empty()) {
        return 0xFFFFFFFF;
    }
    picture.bitmap()->GetPixel(x, y, &c);
    return c.GetValue() & 0x00FFFFFF;
}

class Gallery : public ::testing::Test {
  protected:
    HWND Open(const std::wstring& scene) {
        program = ChildProcess::Start(win::ModuleFolder() + L"k2q_gallery.exe", scene);
        HWND window = WaitForWindow((L"K2qGallery " + scene).c_str(), 20s);
        if (window) {
            PumpFor(150ms);  // let it paint
        }
        return window;
    }
    void Shot(const std::wstring& name, const RECT& area) {
        PumpFor(100ms);
        // Beside the test program (build/win), wherever the test is started from.
        EXPECT_TRUE(SavePng(CaptureScreen(area),
                            testing::ScreenshotPath(name + L".png")))
            << name.c_str() << " " << area.left << "," << area.top << " " << area.right << ","
            << area.bottom;
    }
    RECT RectOf(HWND hwnd) {
        RECT r{};
        ::GetWindowRect(hwnd, &r);
        return r;
    }

    win::GdiplusSession gdiplus;
    PointerGuard pointer;
    ChildProcess program;
};

TEST_F(Gallery, ButtonsLightOverTheirPictureAndCloseTheWindow) {
    HWND window = Open(L"buttons");
    ASSERT_NE(window, nullptr);
    const RECT w = RectOf(window);
    namespace r = skin::reset;
    const POINT ok{w.left + r::kOk.left + 4, w.top + r::kOk.top + 4};
    EXPECT_EQ(ScreenPixel(ok),
              PictureRgb(r::kArea, r::kNormalFile, r::kOk.left + 4, r::kOk.top + 4));
    MovePointer(ok.x + 20, ok.y + 10);
    EXPECT_TRUE(PollUntil([&] {
        return ScreenPixel(ok) ==
               PictureRgb(r::kArea, r::kOverFile, r::kOk.left + 4, r::kOk.top + 4);
    }));
    Shot(L"reset_buttons_hover", w);
    LeftClick((w.left + r::kCancel.left + w.left + r::kCancel.right) / 2,
              w.top + (r::kCancel.top + r::kCancel.bottom) / 2);
    EXPECT_EQ(program.Wait(10s), 0);
}

TEST_F(Gallery, AboutBoxShowsItsPictureAndLinks) {
    HWND window = Open(L"about");
    ASSERT_NE(window, nullptr);
    const RECT w = RectOf(window);
    namespace a = skin::about;
    MovePointer(w.left + 30, w.bottom - 20);  // on the background, away from the links
    PumpFor(150ms);
    EXPECT_EQ(ScreenPixel({w.left + 300, w.top + 60}),
              PictureRgb(a::kArea, a::kNormalFile, 300, 60));
    Shot(L"about", w);
    HWND home = ::GetDlgItem(window, 1001);
    const RECT link = RectOf(home);
    MovePointer(link.left + 10, (link.top + link.bottom) / 2);
    PumpFor(200ms);
    Shot(L"about_link_hover", w);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.Wait(10s), 0);
}

TEST_F(Gallery, LinkMenuReportsTheChosenItem) {
    HWND window = Open(L"link-menu");
    ASSERT_NE(window, nullptr);
    const RECT w = RectOf(window);
    const POINT at{w.left + skin::main_dialog::kLinkMenu.x, w.top + skin::main_dialog::kLinkMenu.y};
    MovePointer(at.x + 40, at.y + kMenuItemPitch * 1 + 10);
    PumpFor(200ms);
    Shot(L"link_menu", RECT{w.left, w.top, w.right, at.y + 160});
    LeftClick(at.x + 40, at.y + kMenuItemPitch * 2 + 10);  // "About", 47
    EXPECT_EQ(program.Wait(10s), 47 << 16);
}

TEST_F(Gallery, FunctionMenuOpensASubmenuAndReportsTheEntry) {
    HWND window = Open(L"function-menu");
    ASSERT_NE(window, nullptr);
    const RECT w = RectOf(window);
    const POINT at{w.left + 400, w.top + 120};
    // Item 4 carries the editing submenu; its second entry is the copy command.
    MovePointer(at.x + 40, at.y + kMenuItemPitch * 4 + 10);
    PumpFor(200ms);
    const POINT entry{at.x + skin::function_menu::kWidth + 40, at.y + kMenuItemPitch * 4 + 24 + 12};
    MovePointer(at.x + skin::function_menu::kWidth + 5, at.y + kMenuItemPitch * 4 + 10);
    MovePointer(entry);
    PumpFor(200ms);
    RECT area = WindowsOf(program.id());
    Shot(L"function_menu", RECT{at.x - 20, at.y - 20, area.right + 20, at.y + 320});
    LeftClick(entry.x, entry.y);
    const long code = program.Wait(10s);
    EXPECT_EQ(ChosenItemId(static_cast<std::uintptr_t>(code)),
              static_cast<int>(UiKey::tc_base_fun));
    EXPECT_EQ(ChosenEntryId(static_cast<std::uintptr_t>(code)), static_cast<int>(UiKey::tc_copy));
}

TEST_F(Gallery, SlidersShowTheirThumbsOnThePage) {
    HWND window = Open(L"sliders");
    ASSERT_NE(window, nullptr);
    const RECT w = RectOf(window);
    Shot(L"sensitivity_controls", w);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.Wait(10s), 0);
}

}  // namespace
}  // namespace k2q::testing
