#include "common/ui/ButtonLook.h"

namespace k2q {

ButtonLook ChooseButtonLook(const ButtonState& s) {
    if (s.checked) {
        // A disabled toggle shows its checked picture without the highlight colour.
        const bool quiet = s.toggleMode && s.disabled;
        return {ButtonImage::Checked, quiet ? ButtonColour::Normal : ButtonColour::Down};
    }
    if (s.pressed && !s.toggleMode) {
        return {ButtonImage::Down, ButtonColour::Down};
    }
    if (s.hover) {
        return {ButtonImage::Over, ButtonColour::Over};
    }
    if (s.disabled) {
        return {ButtonImage::Checked, ButtonColour::Normal};
    }
    return {ButtonImage::Normal, ButtonColour::Normal};
}

CaptionFont CaptionFontFor(int orientation) {
    switch (orientation) {
        case 2:
            return {14, 900};
        case 3:
            return {12, 2700};
        default:
            return {14, 0};
    }
}

CaptionPoint CaptionOrigin(int orientation, int width, int height, int along, int across) {
    switch (orientation) {
        case 2:
            return {width / 2 - across / 2, height / 2 + along / 2};
        case 3:
            return {width / 2 + across / 2, height / 2 - along / 2};
        default:
            return {width / 2 - along / 2, height / 2 - across / 2};
    }
}

HoverStep DecideHoverMove(const HoverInput& in) {
    HoverStep step;
    if (in.leftHeld && !in.hover) {
        return step;
    }
    if (!in.hasCapture && in.appHasActiveWindow && in.hasParent) {
        step.setHover = true;
        step.takeCapture = true;
        step.repaint = true;
    } else if (!in.pointerOverButton) {
        if (in.hover) {
            step.clearHover = true;
            step.repaint = true;
        }
        // Only a capture the button holds is its to release: ReleaseCapture would also free
        // another window's capture on this thread.
        step.releaseCapture = in.hasCapture && !in.leftHeld;
    }
    step.forwardToParent = true;
    return step;
}

}  // namespace k2q
