// The sensitivity page hosted in a stand-in main dialog and used as a person uses it: clicks
// and drags on its sliders and buttons, wheel notches, the monitor's scroll notices; the
// outcome read back from the in-memory block, the controls and the screen's pixels.
#include "config/sensitivity/win/SensitivityPage.h"

#include <gtest/gtest.h>

#include "common/ui/SkinLayout.h"
#include "common/localization/win/ProgramLanguage.h"
#include "common/ui/win/BitmapBtn.h"
#include "common/ui/win/SkinImage.h"
#include "common/win/Gdiplus.h"
#include "config/sensitivity/ScrollTest.h"
#include "config/win/StandInMainDialog.h"
#include "support/UiTexts.h"
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
namespace page = skin::sensitivity;

// The slider track at a skin rectangle, and the left edge of its thumb within it.
HWND TrackAt(HWND pageHwnd, const skin::Rect& rect) {
    return ::ChildWindowFromPointEx(pageHwnd, {rect.left + 1, rect.top + 1}, CWP_SKIPINVISIBLE);
}
int ThumbLeft(HWND track) {
    HWND thumb = ::GetWindow(track, GW_CHILD);
    RECT t = RectOf(thumb);
    POINT pt{t.left, t.top};
    ::ScreenToClient(track, &pt);
    return pt.x;
}

class SensitivityPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        k2q::testing::LoadKeyNamesAsProgramUiTexts();
        ASSERT_TRUE(host.Open(100, 60));
        ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &savedLines_, 0);
        ::SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
    }
    void TearDown() override {
        ::SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, savedLines_, nullptr, 0);
    }
    void HostPage() {
        page_ = std::make_unique<CSensitivityPage>(host);
        host.sensitivityPage = page_.get();
        ASSERT_TRUE(host.Host(*page_));
    }
    HWND PageHwnd() { return page_->hwnd(); }
    k2q::win::CBitmapBtn* Button(UINT id) { return k2q::testing::PageButton(PageHwnd(), id); }
    // A click on one of the page's skinned buttons.
    void Click(const skin::Rect& r) {
        const POINT at = k2q::testing::CentreOf(r, PageHwnd());
        k2q::testing::ClickSkinnedButtonOf(host.hwnd(), at);
        PumpDialogFor(host.hwnd(), 100ms);
    }
    const MouseParams& Params() { return host.Buttons().mouse; }

    k2q::win::GdiplusSession gdiplus;
    k2q::testing::PointerGuard pointer;
    StandInMainDialog host;
    std::unique_ptr<CSensitivityPage> page_;
    UINT savedLines_ = 3;
};

TEST_F(SensitivityPageTest, ShowsTheBlockAndCorrectsDamagedValuesInIt) {
    MouseParams& p = host.Buttons().mouse;
    p.pointerSpeed = 0;
    p.wheelLines = 11;
    p.doubleClickTime = 150;
    p.acceleration = 1;
    p.cpi800 = 0;
    p.cpi1600 = 1;
    p.cpi2400 = 0;
    HostPage();
    EXPECT_EQ(Params().pointerSpeed, 10);
    EXPECT_EQ(Params().wheelLines, 10);
    EXPECT_EQ(Params().doubleClickTime, 550);

    // Thumbs: position 10 at the track's end, 5 at 4/9 of the travel (16-pixel thumb).
    const int travel = page::kSpeedSlider.Width() - skin::slider_thumb::kWidth;
    EXPECT_EQ(ThumbLeft(TrackAt(PageHwnd(), page::kSpeedSlider)), travel);
    EXPECT_EQ(ThumbLeft(TrackAt(PageHwnd(), page::kWheelSlider)), travel);
    EXPECT_EQ(ThumbLeft(TrackAt(PageHwnd(), page::kDoubleClickSlider)), travel * 4 / 9);
    EXPECT_TRUE(Button(kAccelerationId)->checked());
    EXPECT_FALSE(Button(kFirstLevelId)->checked());
    EXPECT_TRUE(Button(kFirstLevelId + 1)->checked());
    EXPECT_FALSE(Button(kFirstLevelId + 2)->checked());

    // A refresh after the block changed elsewhere (a reset, an import) follows it.
    p.pointerSpeed = 1;
    p.doubleClickTime = 500;
    p.acceleration = 0;
    p.cpi2400 = 1;
    page_->RefreshFromSettings();
    PumpDialogFor(host.hwnd(), 50ms);
    EXPECT_EQ(ThumbLeft(TrackAt(PageHwnd(), page::kSpeedSlider)), 0);
    EXPECT_EQ(ThumbLeft(TrackAt(PageHwnd(), page::kDoubleClickSlider)), travel * 5 / 9);
    EXPECT_FALSE(Button(kAccelerationId)->checked());
    EXPECT_TRUE(Button(kFirstLevelId + 2)->checked());
}

TEST_F(SensitivityPageTest, SlidersAndTheAccelerationBoxChangeTheBlock) {
    HostPage();
    const int closes = host.closeAllMenus;

    // A click on the speed track 175 pixels from its left edge means position 9.
    const POINT onTrack = PagePoint(PageHwnd(), page::kSpeedSlider.left + 175,
                                    (page::kSpeedSlider.top + page::kSpeedSlider.bottom) / 2);
    LeftClick(onTrack.x, onTrack.y);
    PumpDialogUntil(
        host.hwnd(), [&] { return Params().pointerSpeed == 9; }, 3s);
    EXPECT_EQ(Params().pointerSpeed, 9);
    EXPECT_GT(host.closeAllMenus, closes);

    // Dragging the double-click thumb all the way right gives 200 ms.
    HWND track = TrackAt(PageHwnd(), page::kDoubleClickSlider);
    HWND thumb = ::GetWindow(track, GW_CHILD);
    const POINT grab = k2q::testing::CentreOf(thumb);
    MovePointer(grab);
    k2q::testing::LeftDown();
    PumpDialogFor(host.hwnd(), 50ms);
    for (int dx = 20; dx <= 300; dx += 20) {
        MovePointer(grab.x + dx, grab.y);
        PumpDialogFor(host.hwnd(), 10ms);
    }
    k2q::testing::LeftUp();
    PumpDialogUntil(
        host.hwnd(), [&] { return Params().doubleClickTime == 200; }, 3s);
    EXPECT_EQ(Params().doubleClickTime, 200);

    // Wheel lines by a click near the track's start: position 1.
    const POINT start = PagePoint(PageHwnd(), page::kWheelSlider.left + 2,
                                  (page::kWheelSlider.top + page::kWheelSlider.bottom) / 2);
    LeftClick(start.x, start.y);
    PumpDialogUntil(
        host.hwnd(), [&] { return Params().wheelLines == 1; }, 3s);
    EXPECT_EQ(Params().wheelLines, 1);

    Click(page::kAcceleration);
    EXPECT_EQ(Params().acceleration, 1);
    Click(page::kAcceleration);
    EXPECT_EQ(Params().acceleration, 0);
    EXPECT_FALSE(Button(kAccelerationId)->checked());
}

TEST_F(SensitivityPageTest, TheLastResolutionLevelCannotBeSwitchedOff) {
    MouseParams& p = host.Buttons().mouse;
    p.cpi800 = 0;
    p.cpi1600 = 1;
    p.cpi2400 = 0;
    HostPage();
    Click(page::kCpi1600);
    EXPECT_EQ(Params().cpi1600, 1);
    EXPECT_TRUE(Button(kFirstLevelId + 1)->checked());

    Click(page::kCpi800);
    EXPECT_EQ(Params().cpi800, 1);
    EXPECT_TRUE(Button(kFirstLevelId)->checked());
    Click(page::kCpi1600);
    EXPECT_EQ(Params().cpi1600, 0);
    EXPECT_FALSE(Button(kFirstLevelId + 1)->checked());

    // An enabled level shows the pressed picture: its pixels differ from a disabled one's.
    const k2q::win::SkinImage down =
        k2q::win::LoadSkinImage(k2q::win::MakeSkinPath(page::kArea, page::kDownFile));
    ASSERT_FALSE(down.empty());
    MovePointer(PagePoint(PageHwnd(), 300, 320));  // off every control
    PumpDialogFor(host.hwnd(), 100ms);
    const POINT corner = PagePoint(PageHwnd(), page::kCpi800.left + 3, page::kCpi800.top + 3);
    Gdiplus::Color c;
    down.bitmap()->GetPixel(page::kCpi800.left + 3, page::kCpi800.top + 3, &c);
    EXPECT_EQ(CaptureScreen({corner.x, corner.y, corner.x + 1, corner.y + 1}).At(0, 0),
              c.GetValue() & 0x00FFFFFF);
}

// The test area's pixels against the test picture at the scroll test's origin.
class ScrollPicture {
  public:
    ScrollPicture()
        : picture_(k2q::win::LoadSkinImage(
              k2q::win::MakeSkinPath(skin::scroll_test::kArea, skin::scroll_test::kPictureFile))) {}
    bool loaded() const { return !picture_.empty(); }

    // True when the test area shows the picture from (ox, oy) on a column that is not plain.
    bool Shows(HWND pageHwnd, Point origin) const {
        const skin::Rect& area = page::kTestArea;
        const POINT tl = PagePoint(pageHwnd, area.left, area.top);
        const auto shot = CaptureScreen({tl.x, tl.y, tl.x + area.Width(), tl.y + area.Height()});
        int compared = 0;
        for (int y = 4; y < area.Height() - 4; y += 9) {
            for (int x : {20, 60, 130}) {  // clear of the cross lines at 89 and 125
                Gdiplus::Color c;
                picture_.bitmap()->GetPixel(origin.x + x, origin.y + y, &c);
                if (shot.At(x, y) != (c.GetValue() & 0x00FFFFFF)) {
                    return false;
                }
                ++compared;
            }
        }
        return compared > 0;
    }

  private:
    k2q::win::SkinImage picture_;
};

TEST_F(SensitivityPageTest, WheelNotchesAndScrollNoticesMoveTheTestPicture) {
    host.Buttons().mouse.hScrollAmount = 3;
    HostPage();
    ScrollPicture picture;
    ASSERT_TRUE(picture.loaded());
    const int w = skin::scroll_test::kWidth;
    const int h = skin::scroll_test::kHeight;
    const skin::Rect& area = page::kTestArea;
    const Point centre{(w - area.Width()) / 2, (h - area.Height()) / 2 - 17};
    EXPECT_TRUE(picture.Shows(PageHwnd(), centre));

    // A notch forward with the pointer over the page: three lines up.
    MovePointer(PagePoint(PageHwnd(), 300, 320));
    k2q::testing::Wheel(WHEEL_DELTA);
    const Point up{centre.x, centre.y - 81};
    PumpDialogUntil(
        host.hwnd(), [&] { return picture.Shows(PageHwnd(), up); }, 3s);
    EXPECT_TRUE(picture.Shows(PageHwnd(), up));
    EXPECT_GT(host.closeAllMenus, 0);

    // After a pause a notch back re-centres it.
    PumpDialogFor(host.hwnd(), 200ms);
    k2q::testing::Wheel(-WHEEL_DELTA);
    PumpDialogUntil(
        host.hwnd(), [&] { return picture.Shows(PageHwnd(), centre); }, 3s);
    EXPECT_TRUE(picture.Shows(PageHwnd(), centre));

    // The monitor's scroll-right notice shows the part 81 pixels further right.
    ::PostMessageW(host.hwnd(), kScrollNoticeMessage, kScrollRightNotice, 0);
    const Point right{centre.x + 81, centre.y};
    PumpDialogUntil(
        host.hwnd(), [&] { return picture.Shows(PageHwnd(), right); }, 3s);
    EXPECT_TRUE(picture.Shows(PageHwnd(), right));
    ::PostMessageW(host.hwnd(), kScrollNoticeMessage, kScrollLeftNotice, 0);
    PumpDialogUntil(
        host.hwnd(), [&] { return picture.Shows(PageHwnd(), centre); }, 3s);
    EXPECT_TRUE(picture.Shows(PageHwnd(), centre));
}

TEST_F(SensitivityPageTest, KeysAndBackgroundPressesStayInsideThePage) {
    HostPage();
    Click(page::kCpi2400);  // the button takes the focus
    ASSERT_TRUE(::IsChild(PageHwnd(), ::GetFocus()));
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
        k2q::testing::PressKey(key);
        PumpDialogFor(host.hwnd(), 100ms);
    }
    EXPECT_EQ(host.okCommands, 0);
    EXPECT_EQ(host.cancelCommands, 0);
    EXPECT_TRUE(::IsWindowVisible(PageHwnd()));

    // A press on the background closes the main dialog's menus; dragging moves nothing.
    const int closes = host.closeAllMenus;
    const RECT hostBefore = RectOf(host.hwnd());
    const RECT pageBefore = RectOf(PageHwnd());
    k2q::testing::DragBy(host.hwnd(), PagePoint(PageHwnd(), 300, 320), 40, 30);
    EXPECT_GT(host.closeAllMenus, closes);
    EXPECT_TRUE(k2q::testing::SameRect(hostBefore, RectOf(host.hwnd())));
    EXPECT_TRUE(k2q::testing::SameRect(pageBefore, RectOf(PageHwnd())));
}

TEST_F(SensitivityPageTest, Screenshot) {
    k2q::win::LoadLanguageBesideProgram();
    HostPage();
    MovePointer(PagePoint(PageHwnd(), 300, 320));
    PumpDialogFor(host.hwnd(), 100ms);
    k2q::testing::SavePng(CaptureScreen(RectOf(PageHwnd())),
                          k2q::testing::ScreenshotPath(L"sensitivity_page.png"));
}

}  // namespace
}  // namespace k2q::config::win
