// The skinned horizontal slider: a track (CPngHSliderBar) showing the piece of its owner's
// background under it, and a thumb (CPngHSlider) drawn from its picture and shaped to it.
//
// Usage (the sensitivity page):
//     CPngHSliderBar speed;
//     speed.CreateSlider(MakeSkinPath(u"sensitivity", u"Slider.png"), hwnd(), kSpeedId,
//                        skin::sensitivity::kSpeedSlider);
//     speed.SetRange(1, 10);                    // on the track and the thumb
//     speed.SetBackgroundFrom(skin().normal);   // the owner's picture, cut under the track
//     speed.SetPos(5);                          // moves the thumb; reports nothing
// The owner hears WM_PNGSLIDER_POS (wParam the position, lParam the slider's identifier) after
// the user drops the thumb or clicks the track, never while a drag goes on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "common/ui/SkinLayout.h"
#include "common/ui/SliderMath.h"
#include "common/ui/win/SkinnedWindow.h"

namespace k2q::win {

class CPngHSlider : public SkinnedWindow {
  public:
    // Creates the thumb as a visible child of the track, shaped to its picture, with a travel
    // over the whole track width, at position 0 (which SetPos turns into the minimum).
    bool Create(HWND track, UINT id, const std::wstring& picturePath, int trackWidth);

    void SetRange(std::int32_t minimum, std::int32_t maximum);
    // A position outside the range becomes the minimum; the thumb moves to it, nothing is
    // reported.
    void SetPos(std::int32_t position);

    std::int32_t GetPos() const { return position_; }
    const SliderRange& range() const { return range_; }
    int left() const { return left_; }  // the thumb's left edge in the track
    bool dragging() const { return dragging_; }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(UINT keys, POINT pt) override;
    void OnLButtonUp(UINT keys, POINT pt) override;
    void OnMouseMove(UINT keys, POINT pt) override;

  private:
    void ApplyShape();
    void MoveTo(int left);
    void Drop();

    UINT id_ = 0;
    ThumbTravel travel_;
    int top_ = 0;
    int left_ = 0;
    SliderRange range_;
    std::int32_t position_ = 0;
    bool dragging_ = false;
    POINT pressed_{};
};

class CPngHSliderBar : public SkinnedWindow {
  public:
    // Creates the track as a visible child of owner at rect, and its thumb from the picture.
    bool CreateSlider(const std::wstring& thumbPicturePath, HWND owner, UINT id,
                      const skin::Rect& rect);

    // The same range on the track and the thumb.
    void SetRange(std::int32_t minimum, std::int32_t maximum);
    void SetPos(std::int32_t position) { thumb_.SetPos(position); }
    std::int32_t GetPos() const { return thumb_.GetPos(); }

    // The background: the area of the owner's picture under the track, replacing any earlier.
    void SetBackgroundFrom(const SkinImage& ownerPicture);

    CPngHSlider& thumb() { return thumb_; }
    const CPngHSlider& thumb() const { return thumb_; }
    UINT id() const { return id_; }

  protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCreate(CREATESTRUCTW* cs) override;
    void OnLButtonDown(UINT keys, POINT pt) override;
    void OnLButtonUp(UINT keys, POINT pt) override;

  private:
    UINT id_ = 0;
    skin::Rect rect_;
    SliderRange range_;
    std::wstring thumbPath_;
    bool pressed_ = false;
    CPngHSlider thumb_;
};

}  // namespace k2q::win
