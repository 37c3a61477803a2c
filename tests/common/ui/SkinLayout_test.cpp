#include "common/ui/SkinLayout.h"

#include <gtest/gtest.h>

#include <string>

namespace k2q::skin {
namespace {

// Controls whose pictures are cut out of their window's pictures: GDI+ refuses to clone a
// rectangle that reaches outside the bitmap, and a pixel under two controls cannot show both.
bool IsCut(Kind kind) {
    switch (kind) {
        case Kind::Button:
        case Kind::Glyph:
        case Kind::Check:
        case Kind::Level:
        case Kind::MouseButton:
        case Kind::Plate:
        case Kind::Slider:
        case Kind::Bar:
            return true;
        default:
            return false;
    }
}

const WindowEntry* FindWindow(std::string_view id) {
    for (const WindowEntry& w : kWindows) {
        if (w.window == id)
            return &w;
    }
    return nullptr;
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(SkinLayout, CutControlsLieInsideTheirPictureAndApart) {
    for (const ControlEntry& c : kControls) {
        const WindowEntry* w = FindWindow(c.window);
        ASSERT_NE(w, nullptr) << c.window;
        if (!IsCut(c.kind))
            continue;
        const std::string name = std::string(c.window) + "." + std::string(c.control);
        EXPECT_GT(c.rect.Width(), 0) << name;
        EXPECT_GT(c.rect.Height(), 0) << name;
        EXPECT_TRUE(c.rect.left >= 0 && c.rect.top >= 0 && c.rect.right <= w->width &&
                    c.rect.bottom <= w->height)
            << name;
        for (const ControlEntry& other : kControls) {
            if (&other == &c || other.window != c.window || !IsCut(other.kind))
                continue;
            EXPECT_FALSE(Overlap(c.rect, other.rect)) << name << " and " << other.control;
        }
    }
}

TEST(SkinLayout, RowsReachCodeAsWritten) {
    // Rectangles given as position and size become exclusive right and bottom edges.
    EXPECT_EQ(macro::kOk, (Rect{323, 292, 381, 316}));
    EXPECT_EQ(main_dialog::kPageArea.Width(), 609);
    EXPECT_EQ(button_page::kMousePicture, (Point{15, 6}));
    EXPECT_EQ(macro::kArea, u"macro");
    EXPECT_EQ(combo::kNormalFile, u"Combo_N.png");
    EXPECT_EQ(menu2::kDownAltFile, u"menu2_da.bmp");
    EXPECT_EQ(kButtonText.over, 0xFFFFFFFFu);
    EXPECT_EQ(function_menu::kItemCount * function_menu::kItemPitch, function_menu::kHeight);
    for (const FileEntry& f : kFiles)
        EXPECT_NE(FindWindow(f.window), nullptr) << f.window;
}

}  // namespace
}  // namespace k2q::skin
