// CSensitivityPage: the second page of the main dialog, for the pointer speed, acceleration,
// wheel lines, double-click speed and the enabled resolution levels, with a test picture that
// moves with the wheel and the mouse's sideways scrolling. Every change goes straight into the
// mouse parameters of the in-memory button block; nothing is applied to the system here.
#pragma once

#include <windows.h>

#include <memory>

#include "config/shell/win/PageHost.h"

namespace k2q::config::win {

// The page's dialog template in the program's resources.
inline constexpr UINT kSensitivityPageTemplate = 135;
// Control identifiers of the acceleration box and the resolution buttons (800, 1600, 2400 are
// kFirstLevelId + 0, 1, 2); the sliders carry their own identifiers 0x100, 0x101 and 0x103.
inline constexpr UINT kAccelerationId = 1700;
inline constexpr UINT kFirstLevelId = 1701;

class CSensitivityPage {
  public:
    explicit CSensitivityPage(PageHost& host);
    ~CSensitivityPage();  // destroys the page's window
    CSensitivityPage(const CSensitivityPage&) = delete;
    CSensitivityPage& operator=(const CSensitivityPage&) = delete;

    // Creates the page as a hidden child of parent, sized to its picture; the caller moves it
    // into place. Reads the host's block while it initializes.
    bool Create(HWND parent);

    // Shows the block's mouse parameters, correcting out-of-range values in the block.
    void RefreshFromSettings();

    // A wheel notch the main dialog received while this page is shown: +1 forward, -1 back.
    void WheelTest(int direction);

    // The monitor's scroll notice (0x604): wParam 0x2FF scroll left, 0x201 scroll right.
    void TiltTest(WPARAM code);

    // Centres the test picture and repaints the whole page, after the block was replaced.
    void CentreTestPicture();

    // The page's window (null before Create): the main dialog moves, shows and hides it.
    HWND hwnd() const;

  private:
    class PageWindow;  // the page's dialog window, kept out of this header
    std::unique_ptr<PageWindow> window_;
};

}  // namespace k2q::config::win
