// The skinned push button's decisions, apart from its window: which of its four pictures and
// three text colours a state shows, where its caption stands in each orientation, and what a
// mouse move does to its hover light and the mouse capture. CBitmapBtn (ui/win/BitmapBtn.h)
// performs them.
#pragma once

#include <cstdint>

namespace k2q {

enum class ButtonImage : std::uint8_t { Normal, Over, Down, Checked };
enum class ButtonColour : std::uint8_t { Normal, Over, Down };

struct ButtonState {
    bool checked = false;
    bool toggleMode = false;
    bool hover = false;
    bool pressed = false;
    bool disabled = false;
};

struct ButtonLook {
    ButtonImage image = ButtonImage::Normal;
    ButtonColour colour = ButtonColour::Normal;
    friend constexpr bool operator==(const ButtonLook&, const ButtonLook&) = default;
};

// First match wins: checked, then pressed (not in toggle mode), then hover, then disabled.
ButtonLook ChooseButtonLook(const ButtonState& state);

// Caption orientations: 0 or 1 horizontal, 2 turned 90 degrees counter-clockwise (reading
// upwards), 3 turned 270 degrees (reading downwards).
struct CaptionFont {
    int height = 14;
    int escapement = 0;  // tenths of a degree
};
CaptionFont CaptionFontFor(int orientation);

struct CaptionPoint {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const CaptionPoint&, const CaptionPoint&) = default;
};

// Where the caption's text origin goes in a client area of width x height, for a text that
// measures `along` in its reading direction and `across` at right angles to it, before the
// owner's offsets are added. A turned text's origin is its first character's top-left corner,
// which for orientation 2 lies at the bottom of the text; the placement centres the text.
CaptionPoint CaptionOrigin(int orientation, int width, int height, int along, int across);

// One mouse move seen by a button (over it, or anywhere while it holds the capture).
struct HoverInput {
    bool leftHeld = false;
    bool hover = false;
    bool hasCapture = false;
    bool appHasActiveWindow = false;
    bool hasParent = false;
    bool pointerOverButton = false;  // the window under the pointer is the button itself
};

struct HoverStep {
    bool setHover = false;
    bool clearHover = false;
    bool takeCapture = false;
    bool releaseCapture = false;
    bool repaint = false;
    bool forwardToParent = false;
    friend constexpr bool operator==(const HoverStep&, const HoverStep&) = default;
};

// A drag that started elsewhere never lights a button; the first move over it lights it and
// takes the capture, so the move that leaves it is seen and puts the light out.
HoverStep DecideHoverMove(const HoverInput& in);

}  // namespace k2q
