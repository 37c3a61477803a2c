#include "config/sensitivity/win/SensitivityPage.h"

#include <algorithm>
#include <array>
#include <optional>

#include "common/Messages.h"
#include "common/localization/UiStrings.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/Caption.h"
#include "common/ui/win/PngHSlider.h"
#include "common/ui/win/SkinnedWindow.h"
#include "common/win/DialogKeyFilter.h"
#include "common/win/Text.h"
#include "config/sensitivity/ScrollTest.h"
#include "config/sensitivity/SensitivityMapping.h"

namespace k2q::config::win {
namespace {

namespace page = skin::sensitivity;
using k2q::win::CaptionAlign;
using k2q::win::CaptionRectOf;
using k2q::win::CBitmapBtn;
using k2q::win::CPngHSliderBar;
using k2q::win::SkinImage;

constexpr std::uint32_t kTestFill = 0xFF006196;
constexpr std::uint32_t kTestCross = 0xFF0571B8;

struct SliderPlace {
    SliderId id;
    skin::Rect rect;
};
constexpr SliderPlace kSliders[] = {
    {kSpeedSlider, page::kSpeedSlider},
    {kWheelSlider, page::kWheelSlider},
    {kDoubleClickSlider, page::kDoubleClickSlider},
};

struct LevelPlace {
    skin::Rect rect;
    const wchar_t* caption;
};
constexpr LevelPlace kLevels[kLevelCount] = {
    {page::kCpi800, L"800"},
    {page::kCpi1600, L"1600"},
    {page::kCpi2400, L"2400"},
};

// The region the test picture is painted into, a pixel wider than the area on each side the
// cross lines may reach.
constexpr RECT kTestRepaint{page::kTestArea.left, page::kTestArea.top, page::kTestArea.right + 1,
                            page::kTestArea.bottom};

std::wstring Text(UiKey key) {
    return k2q::win::ToWide(UiText(key));
}

}  // namespace

class CSensitivityPage::PageWindow : public k2q::win::SkinnedDialog {
    using Base = k2q::win::SkinnedDialog;

  public:
    explicit PageWindow(PageHost& host) : host_(host) {}

    bool Open(HWND parent) { return CreateModeless(kSensitivityPageTemplate, parent); }

    void RefreshFromSettings() {
        if (!hwnd()) {
            return;
        }
        const SensitivityControls shown = ControlsFromParams(host_.Buttons().mouse);
        const int positions[] = {shown.speed, shown.wheel, shown.doubleClick};
        for (std::size_t i = 0; i < sliders_.size(); ++i) {
            if (sliders_[i].GetPos() != positions[i]) {
                sliders_[i].SetPos(positions[i]);
            }
        }
        acceleration_.SetChecked(shown.acceleration);
        SyncLevels();
    }

    void WheelTest(int direction) {
        host_.CloseAllMenus();
        UINT lines = 3;
        ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        if (test_.Wheel(direction, ::GetTickCount(), TestWheelLines(lines))) {
            InvalidateTest();
        }
    }

    void TiltTest(WPARAM code) {
        test_.Tilt(code, host_.Buttons().mouse.hScrollAmount);
        InvalidateTest();
    }

    void CentreTestPicture() {
        test_.Centre();
        if (hwnd()) {
            ::InvalidateRect(hwnd(), nullptr, FALSE);
        }
    }

  protected:
    BOOL OnInitDialog() override {
        LoadSkin(page::kArea, page::kNormalFile, page::kOverFile, page::kDownFile);
        testPicture_ = k2q::win::LoadSkinImage(
            k2q::win::MakeSkinPath(skin::scroll_test::kArea, skin::scroll_test::kPictureFile));
        AddButton(acceleration_, kAccelerationId, page::kAcceleration, {}, skin::Checked::Down);
        acceleration_.SetToggleMode(true);
        for (int level = 0; level < kLevelCount; ++level) {
            AddButton(levels_[level], kFirstLevelId + level, kLevels[level].rect,
                      kLevels[level].caption, skin::Checked::Down);
        }
        const std::wstring thumb =
            k2q::win::MakeSkinPath(skin::slider_thumb::kArea, skin::slider_thumb::kPictureFile);
        for (std::size_t i = 0; i < sliders_.size(); ++i) {
            sliders_[i].CreateSlider(thumb, hwnd(), kSliders[i].id, kSliders[i].rect);
            sliders_[i].SetRange(kSliderMinimum, kSliderMaximum);
            sliders_[i].SetBackgroundFrom(skin().normal);
        }
        RefreshFromSettings();
        keys_.emplace(hwnd());
        return FALSE;  // a page never takes the focus from the main dialog
    }

    void OnOK() override {}
    void OnCancel() override {}

    void OnDestroy() override {
        keys_.reset();
        Default();
    }

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_PNGSLIDER_POS) {
            host_.CloseAllMenus();
            StoreSliderPosition(host_.Buttons().mouse, static_cast<std::uint32_t>(lParam),
                                static_cast<int>(wParam));
            return 0;
        }
        return Base::WndProc(msg, wParam, lParam);
    }

    void OnCommand(UINT id, UINT code, HWND control) override {
        if (control && control == acceleration_.hwnd()) {
            host_.CloseAllMenus();
            StoreAcceleration(host_.Buttons().mouse, acceleration_.checked());
        }
        for (int level = 0; level < kLevelCount; ++level) {
            if (control && control == levels_[level].hwnd()) {
                host_.CloseAllMenus();
                if (ClickLevel(host_.Buttons().mouse, level)) {
                    SyncLevels();
                }
            }
        }
        Base::OnCommand(id, code, control);
    }

    void OnLButtonDown(UINT, POINT) override {
        host_.CloseAllMenus();
        Default();  // the page does not drag the main window
    }

    void PaintOverSkin(HDC dc) override {
        {
            Gdiplus::Graphics graphics(dc);
            PaintTestPicture(graphics);
            Gdiplus::Pen cross(Gdiplus::Color(kTestCross), 2);
            for (const skin::Line& line : {page::kTestVertical, page::kTestHorizontal}) {
                graphics.DrawLine(&cross, line.from.x, line.from.y, line.to.x, line.to.y);
            }
        }
        const std::pair<UiKey, skin::Rect> captions[] = {
            {UiKey::tc_mouse_speed, page::kSpeedCaption},
            {UiKey::tc_enhance_speed, page::kAccelerationCaption},
            {UiKey::tc_ver_scroll, page::kWheelCaption},
            {UiKey::tc_double_clk, page::kDoubleClickCaption},
        };
        for (const auto& [key, rect] : captions) {
            k2q::win::DrawGrayCaption(dc, Text(key), 8, CaptionAlign::Near, CaptionRectOf(rect));
        }
        k2q::win::DrawGrayCaption(dc, Text(UiKey::tc_cpi), 10, CaptionAlign::Center,
                                  CaptionRectOf(page::kCpiCaption));
    }

    void OnPaint() override {
        Base::OnPaint();
        SyncLevels();
    }

  private:
    // The part of the test picture at the scroll test's origin, clipped to the picture: what
    // lies outside it shows the fill colour.
    void PaintTestPicture(Gdiplus::Graphics& graphics) const {
        const skin::Rect& area = page::kTestArea;
        Gdiplus::SolidBrush fill{Gdiplus::Color(kTestFill)};
        graphics.FillRectangle(&fill, area.left, area.top, area.Width(), area.Height());
        const int iw = testPicture_.width();
        const int ih = testPicture_.height();
        const Point origin = test_.PictureOrigin(iw, ih, area.Width(), area.Height());
        const int sx = std::max(origin.x, 0);
        const int sy = std::max(origin.y, 0);
        const int w = std::min(origin.x + area.Width(), iw) - sx;
        const int h = std::min(origin.y + area.Height(), ih) - sy;
        if (w > 0 && h > 0) {
            testPicture_.DrawPart(graphics, area.left + sx - origin.x, area.top + sy - origin.y, sx,
                                  sy, w, h);
        }
    }

    void InvalidateTest() const {
        if (hwnd()) {
            ::InvalidateRect(hwnd(), &kTestRepaint, FALSE);
        }
    }

    // Each level's button shows its field: checked and orange while enabled.
    void SyncLevels() {
        const MouseParams& params = host_.Buttons().mouse;
        for (int level = 0; level < kLevelCount; ++level) {
            const bool on = LevelEnabled(params, level);
            levels_[level].SetChecked(on);
            const LevelTextColours colours = LevelColours(on);
            if (colours.normal != shownColour_[level]) {
                levels_[level].SetTextColors(colours.normal, colours.over);
                shownColour_[level] = colours.normal;
            }
        }
    }

    PageHost& host_;
    SkinImage testPicture_;
    CBitmapBtn acceleration_;
    std::array<CBitmapBtn, kLevelCount> levels_;
    std::array<std::uint32_t, kLevelCount> shownColour_{};
    std::array<CPngHSliderBar, 3> sliders_;
    ScrollTest test_;
    std::optional<k2q::win::DialogKeyFilter> keys_;
};

CSensitivityPage::CSensitivityPage(PageHost& host) : window_(std::make_unique<PageWindow>(host)) {}
CSensitivityPage::~CSensitivityPage() = default;

bool CSensitivityPage::Create(HWND parent) {
    return window_->Open(parent);
}
void CSensitivityPage::RefreshFromSettings() {
    window_->RefreshFromSettings();
}
void CSensitivityPage::WheelTest(int direction) {
    window_->WheelTest(direction);
}
void CSensitivityPage::TiltTest(WPARAM code) {
    window_->TiltTest(code);
}
void CSensitivityPage::CentreTestPicture() {
    window_->CentreTestPicture();
}
HWND CSensitivityPage::hwnd() const {
    return window_->hwnd();
}

}  // namespace k2q::config::win
