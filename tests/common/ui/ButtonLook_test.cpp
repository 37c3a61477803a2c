#include "common/ui/ButtonLook.h"

#include <gtest/gtest.h>

namespace k2q {
namespace {

using I = ButtonImage;
using C = ButtonColour;

TEST(ButtonLook, FirstMatchingStateChoosesPictureAndColour) {
    const struct {
        const char* name;
        ButtonState state;
        ButtonLook look;
    } cases[] = {
        // checked, toggle, hover, pressed, disabled
        {"resting", {false, false, false, false, false}, {I::Normal, C::Normal}},
        {"hover", {false, false, true, false, false}, {I::Over, C::Over}},
        {"pressed", {false, false, true, true, false}, {I::Down, C::Down}},
        {"checked wins over hover and press",
         {true, false, true, true, false},
         {I::Checked, C::Down}},
        {"checked and disabled", {true, false, false, false, true}, {I::Checked, C::Down}},
        {"disabled shows the checked picture",
         {false, false, false, false, true},
         {I::Checked, C::Normal}},
        {"hover wins over disabled", {false, false, true, false, true}, {I::Over, C::Over}},
        {"toggle ignores the press", {false, true, false, true, false}, {I::Normal, C::Normal}},
        {"toggle pressed under the pointer", {false, true, true, true, false}, {I::Over, C::Over}},
        {"toggle checked", {true, true, true, true, false}, {I::Checked, C::Down}},
        {"toggle checked and disabled", {true, true, false, false, true}, {I::Checked, C::Normal}},
        {"toggle disabled", {false, true, false, false, true}, {I::Checked, C::Normal}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseButtonLook(c.state), c.look) << c.name;
    }
}

TEST(ButtonLook, CaptionIsCentredInEachOrientation) {
    const struct {
        int orientation, width, height, along, across;
        CaptionPoint at;
        int fontHeight, escapement;
    } cases[] = {
        {0, 70, 35, 21, 16, {25, 9}, 14, 0},      {1, 71, 36, 20, 15, {25, 11}, 14, 0},
        {2, 46, 207, 91, 16, {15, 148}, 14, 900},  // reads upwards from the bottom
        {3, 46, 207, 91, 14, {30, 58}, 12, 2700},  // reads downwards from the top
        {7, 10, 10, 30, 20, {-10, -5}, 14, 0},     // unknown codes are horizontal
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CaptionOrigin(c.orientation, c.width, c.height, c.along, c.across), c.at)
            << "orientation " << c.orientation;
        EXPECT_EQ(CaptionFontFor(c.orientation).height, c.fontHeight);
        EXPECT_EQ(CaptionFontFor(c.orientation).escapement, c.escapement);
    }
}

TEST(ButtonLook, HoverLightsOnlyForMovesThatDidNotStartAsADragElsewhere) {
    HoverStep none;
    HoverStep light{
        .setHover = true, .takeCapture = true, .repaint = true, .forwardToParent = true};
    HoverStep forward{.forwardToParent = true};
    HoverStep leave{
        .clearHover = true, .releaseCapture = true, .repaint = true, .forwardToParent = true};
    HoverStep leaveHeld{.clearHover = true, .repaint = true, .forwardToParent = true};
    HoverStep freeCapture{.releaseCapture = true, .forwardToParent = true};
    const struct {
        const char* name;
        HoverInput in;
        HoverStep step;
    } cases[] = {
        // leftHeld, hover, hasCapture, active, parent, overButton
        {"first move over it", {false, false, false, true, true, true}, light},
        {"dragged onto it", {true, false, false, true, true, true}, none},
        {"dragged onto it while it has the capture", {true, false, true, true, true, true}, none},
        {"no active window", {false, false, false, false, true, true}, forward},
        {"moving on it", {false, true, true, true, true, true}, forward},
        {"leaving it", {false, true, true, true, true, false}, leave},
        {"leaving it with the button held", {true, true, true, true, true, false}, leaveHeld},
        {"captured, unlit, pointer away", {false, false, true, true, true, false}, freeCapture},
        {"pointer away without the capture", {false, false, false, false, true, false}, forward},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecideHoverMove(c.in), c.step) << c.name;
    }
}

}  // namespace
}  // namespace k2q
