// The progress popup's bar: two crops of the popup's pictures, the empty track and the fill,
// with the fill drawn as wide as the position says.
#pragma once

#include <cstdint>

#include "common/ui/win/SkinImage.h"
#include "common/win/Window.h"

namespace k2q::monitor {

class CPngHProgressBar : public win::Window {
  public:
    static constexpr UINT kControlId = 1025;

    bool CreateChild(HWND owner, const RECT& rect);
    // The parts of the popup's background and fill pictures under the bar.
    void SetImages(win::SkinImage background, win::SkinImage fill);
    void SetRange(std::int32_t minimum, std::int32_t maximum);
    void SetPosition(std::int32_t position);
    // Repaints now; the thread that owns the bar does not get to its message loop meanwhile.
    void RedrawNow();

    std::int32_t position() const { return position_; }
    bool mouseDisabled = false;

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    LRESULT OnEraseBackground(HDC) override { return 1; }

  private:
    win::SkinImage background_;
    win::SkinImage fill_;
    std::int32_t minimum_ = 0;
    std::int32_t maximum_ = 10;
    std::int32_t position_ = 0;
};

}  // namespace k2q::monitor
