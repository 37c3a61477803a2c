// k2q_gallery.exe: a test-only program that shows the skinned controls on their shipped skins,
// one scene per run, so tests can look at them as a user would and take screenshots. It is
// built with the tests, beside them, and never shipped.
//
//   k2q_gallery <scene>    scenes: about, buttons, link-menu, function-menu, sliders
//
// Each scene's window is titled "K2qGallery <scene>"; closing it ends the program with 0. An
// unknown scene ends it with 2.
#include <windows.h>

#include <memory>
#include <string>

#include "common/Messages.h"
#include "common/localization/UiStrings.h"
#include "common/localization/win/ProgramLanguage.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/AboutDlg.h"
#include "common/ui/win/BmpMenu.h"
#include "common/ui/win/Caption.h"
#include "common/ui/win/PngHSlider.h"
#include "common/ui/win/SkinnedWindow.h"
#include "common/win/Text.h"

namespace k2q::gallery {
namespace {

using win::CBitmapBtn;
using win::ToWide;

std::wstring Title(std::wstring_view scene) {
    return L"K2qGallery " + std::wstring(scene);
}

struct SceneFiles {
    std::u16string_view area, normal, over, down;
};

// A skinned window standing at a fixed place, which ends the program when it closes.
class Scene : public win::SkinnedWindow {
  public:
    bool Open(std::wstring_view scene, const SceneFiles& files) {
        CreateParams p;
        p.className = L"K2qGalleryScene";
        p.title = L"";
        p.style = WS_POPUP | WS_CLIPCHILDREN;
        p.x = 100;
        p.y = 100;
        if (!Create(p)) {
            return false;
        }
        LoadSkin(files.area, files.normal, files.over, files.down);
        ::ShowWindow(hwnd(), SW_SHOW);
        ::SetForegroundWindow(hwnd());
        // As in the programs, menus open over a window that is already shown.
        Populate();
        // Tests find the scene by its title: it is given when everything stands.
        ::SetWindowTextW(hwnd(), Title(scene).c_str());
        return true;
    }

  protected:
    virtual void Populate() {}
    void OnDestroy() override { ::PostQuitMessage(0); }
};

// The reset dialog's buttons, one of them checked, on the reset picture.
class ButtonsScene : public Scene {
  protected:
    void Populate() override {
        namespace r = skin::reset;
        AddButton(ok_, IDOK, r::kOk, ToWide(UiText(UiKey::tc_ok)));
        AddButton(cancel_, IDCANCEL, r::kCancel, ToWide(UiText(UiKey::tc_cancel)));
        AddButton(close_, 3, r::kClose);
    }
    void PaintOverSkin(HDC dc) override {
        win::DrawGrayCaption(dc, ToWide(UiText(UiKey::tc_retitle)), 10, win::CaptionAlign::Near,
                             win::CaptionRectOf(skin::reset::kTitle));
        win::DrawGrayCaption(dc, ToWide(UiText(UiKey::tc_reinfo)), 9, win::CaptionAlign::Near,
                             win::CaptionRectOf(skin::reset::kInfo));
    }
    void OnCommand(UINT id, UINT, HWND) override {
        if (id == IDOK || id == IDCANCEL || id == 3) {
            Destroy();
        }
    }

  private:
    CBitmapBtn ok_, cancel_, close_;
};

// The sensitivity page's sliders, acceleration box and resolution buttons.
class SlidersScene : public Scene {
  protected:
    void Populate() override {
        namespace s = skin::sensitivity;
        const std::wstring thumb =
            win::MakeSkinPath(skin::slider_thumb::kArea, skin::slider_thumb::kPictureFile);
        const skin::Rect* tracks[] = {&s::kSpeedSlider, &s::kWheelSlider, &s::kDoubleClickSlider};
        const int positions[] = {6, 3, 8};
        for (int i = 0; i < 3; ++i) {
            sliders_[i].CreateSlider(thumb, hwnd(), 1030 + i, *tracks[i]);
            sliders_[i].SetRange(1, 10);
            sliders_[i].SetBackgroundFrom(skin().normal);
            sliders_[i].SetPos(positions[i]);
        }
        AddButton(acceleration_, 1040, s::kAcceleration, {}, skin::Checked::Down);
        acceleration_.SetToggleMode(true);
        acceleration_.SetChecked(true);
        const skin::Rect* levels[] = {&s::kCpi800, &s::kCpi1600, &s::kCpi2400};
        const wchar_t* names[] = {L"800", L"1600", L"2400"};
        for (int i = 0; i < 3; ++i) {
            AddButton(levels_[i], 1050 + i, *levels[i], names[i], skin::Checked::Down);
            levels_[i].SetTextColors(0x828180, 0x828180);
        }
        levels_[1].SetChecked(true);
    }
    void PaintOverSkin(HDC dc) override {
        namespace s = skin::sensitivity;
        win::DrawGrayCaptions(dc, 9,
                              {{UiKey::tc_mouse_speed, s::kSpeedCaption},
                               {UiKey::tc_enhance_speed, s::kAccelerationCaption},
                               {UiKey::tc_ver_scroll, s::kWheelCaption},
                               {UiKey::tc_double_clk, s::kDoubleClickCaption},
                               {UiKey::tc_cpi, s::kCpiCaption}});
    }

  private:
    win::CPngHSliderBar sliders_[3];
    CBitmapBtn acceleration_;
    CBitmapBtn levels_[3];
};

// The main dialog's picture with one of its menus open under its menu button.
class MenuScene : public Scene {
  public:
    explicit MenuScene(bool functionMenu) : functionMenu_(functionMenu) {}

  protected:
    void Populate() override {
        menu_ = std::make_unique<win::CBmpMenu>();
        if (functionMenu_) {
            namespace m = skin::function_menu;
            namespace s = skin::submenu;
            menu_->SetMenuImages(File(m::kArea, m::kNormalFile), File(m::kArea, m::kOverFile),
                                 File(m::kArea, m::kDownFile), File(m::kArea, m::kNormalFile));
            menu_->SetSubMenuImages(File(s::kArea, s::kNormalFile), File(s::kArea, s::kOverFile),
                                    File(s::kArea, s::kDownFile), File(s::kArea, s::kNormalFile));
            Place(400, 120);
            const UiKey items[] = {UiKey::tc_click,   UiKey::tc_middle,   UiKey::tc_menu,
                                   UiKey::tc_dbclick, UiKey::tc_base_fun, UiKey::tc_media};
            for (UiKey key : items) {
                menu_->AddItem(ToWide(UiText(key)), static_cast<std::uint32_t>(key));
            }
            for (UiKey key :
                 {UiKey::tc_cut, UiKey::tc_copy, UiKey::tc_past, UiKey::tc_all, UiKey::tc_find}) {
                menu_->AddSubItem(4, ToWide(UiText(key)), static_cast<std::uint32_t>(key));
            }
            for (UiKey key : {UiKey::tc_PL, UiKey::tc_stop, UiKey::tc_vol_up, UiKey::tc_mute}) {
                menu_->AddSubItem(5, ToWide(UiText(key)), static_cast<std::uint32_t>(key));
            }
        } else {
            namespace m = skin::menu3;
            menu_->SetMenuImages(File(m::kArea, m::kNormalFile), File(m::kArea, m::kOverFile),
                                 File(m::kArea, m::kDownFile), File(m::kArea, m::kNormalFile));
            Place(skin::main_dialog::kLinkMenu.x, skin::main_dialog::kLinkMenu.y);
            menu_->AddItem(ToWide(UiText(UiKey::tc_link_tvkmain)), 45);
            menu_->AddItem(ToWide(UiText(UiKey::tc_link_fam)), 46);
            menu_->AddItem(ToWide(UiText(UiKey::tc_about)), 47);
        }
        menu_->Open(hwnd());
    }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_BMPMENU_CHOSEN) {
            // The test reads the choice from the exit code: the item's and entry's words.
            ::PostQuitMessage(static_cast<int>(lParam));
            return 0;
        }
        return Scene::WndProc(msg, wParam, lParam);
    }
    void OnDestroy() override {
        if (menu_) {
            menu_->CloseMenu();
        }
        Scene::OnDestroy();
    }

  private:
    static std::wstring File(std::u16string_view area, std::u16string_view file) {
        return win::MakeSkinPath(area, file);
    }
    void Place(int x, int y) {
        POINT at{x, y};
        ::ClientToScreen(hwnd(), &at);
        menu_->SetPosition(at.x, at.y);
    }
    bool functionMenu_;
    std::unique_ptr<win::CBmpMenu> menu_;
};

class AboutScene : public win::CAboutDlg {
  protected:
    BOOL OnInitDialog() override {
        const BOOL result = CAboutDlg::OnInitDialog();
        ::SetWindowTextW(hwnd(), Title(L"about").c_str());
        ::SetForegroundWindow(hwnd());
        return result;
    }
};

int RunLoop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

// Opens a scene's window on its pictures and runs it until it closes.
int Show(std::unique_ptr<Scene> window, std::wstring_view scene, const SceneFiles& files) {
    return window->Open(scene, files) ? RunLoop() : 1;
}

int RunScene(std::wstring_view scene) {
    namespace main = skin::main_dialog;
    if (scene == L"about") {
        AboutScene about;
        about.DoModal(nullptr);
        return 0;
    }
    if (scene == L"buttons") {
        namespace r = skin::reset;
        return Show(std::make_unique<ButtonsScene>(), scene,
                    {r::kArea, r::kNormalFile, r::kOverFile, r::kDownFile});
    }
    if (scene == L"sliders") {
        namespace s = skin::sensitivity;
        return Show(std::make_unique<SlidersScene>(), scene,
                    {s::kArea, s::kNormalFile, s::kOverFile, s::kDownFile});
    }
    if (scene == L"link-menu" || scene == L"function-menu") {
        return Show(std::make_unique<MenuScene>(scene == L"function-menu"), scene,
                    {main::kArea, main::kNormalFile, main::kOverFile, main::kDownFile});
    }
    return 2;
}

}  // namespace
}  // namespace k2q::gallery

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    k2q::win::GdiplusSession gdiplus;
    k2q::win::LoadLanguageBesideProgram();
    return k2q::gallery::RunScene(commandLine ? commandLine : L"");
}
