// Skin pictures: the files beside the program that give every skinned window its look. A
// missing or unreadable file is not an error anywhere: its image is empty, draws nothing and
// measures 0 x 0, and the window goes on without it.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/win/Gdiplus.h"

namespace k2q::win {

class SkinImage {
  public:
    SkinImage() = default;
    explicit SkinImage(std::unique_ptr<Gdiplus::Bitmap> bitmap);

    bool empty() const { return !bitmap_; }
    int width() const;
    int height() const;
    Gdiplus::Bitmap* bitmap() const { return bitmap_.get(); }

    // A copy of the area (x, y, width, height) in the source's pixel format; empty when this
    // image is empty or the area does not lie inside it.
    SkinImage Crop(int x, int y, int width, int height) const;

    // Draws at 1:1 with the top-left corner at (x, y).
    void Draw(Gdiplus::Graphics& graphics, int x, int y) const;
    // Draws the source area (sx, sy, w, h) at (x, y), unscaled.
    void DrawPart(Gdiplus::Graphics& graphics, int x, int y, int sx, int sy, int w, int h) const;

  private:
    std::unique_ptr<Gdiplus::Bitmap> bitmap_;
};

// The program folder, then "skins\<area>\<file>" (area and file as the skin table names them).
std::wstring MakeSkinPath(std::u16string_view area, std::u16string_view file);

// Decodes a PNG or BMP file; always returns an image, empty when the file cannot be decoded.
SkinImage LoadSkinImage(const std::wstring& path);

}  // namespace k2q::win
