#include "common/ui/win/SkinImage.h"

#include "common/win/ModulePath.h"
#include "common/win/Text.h"

namespace k2q::win {

SkinImage::SkinImage(std::unique_ptr<Gdiplus::Bitmap> bitmap) : bitmap_(std::move(bitmap)) {}

int SkinImage::width() const {
    return bitmap_ ? static_cast<int>(bitmap_->GetWidth()) : 0;
}
int SkinImage::height() const {
    return bitmap_ ? static_cast<int>(bitmap_->GetHeight()) : 0;
}

SkinImage SkinImage::Crop(int x, int y, int w, int h) const {
    if (!bitmap_ || w <= 0 || h <= 0 || x < 0 || y < 0 || x + w > width() || y + h > height()) {
        return {};
    }
    // Clone returns null for areas outside the picture; the bounds are checked above anyway.
    std::unique_ptr<Gdiplus::Bitmap> part(bitmap_->Clone(x, y, w, h, bitmap_->GetPixelFormat()));
    if (!part || part->GetLastStatus() != Gdiplus::Ok) {
        return {};
    }
    return SkinImage(std::move(part));
}

void SkinImage::Draw(Gdiplus::Graphics& graphics, int x, int y) const {
    if (bitmap_) {
        graphics.DrawImage(bitmap_.get(), Gdiplus::Rect(x, y, width(), height()), 0, 0, width(),
                           height(), Gdiplus::UnitPixel);
    }
}

void SkinImage::DrawPart(Gdiplus::Graphics& graphics, int x, int y, int sx, int sy, int w,
                         int h) const {
    if (bitmap_ && w > 0 && h > 0) {
        graphics.DrawImage(bitmap_.get(), Gdiplus::Rect(x, y, w, h), sx, sy, w, h,
                           Gdiplus::UnitPixel);
    }
}

std::wstring MakeSkinPath(std::u16string_view area, std::u16string_view file) {
    return ModuleFolder() + L"skins\\" + ToWide(area) + L"\\" + ToWide(file);
}

SkinImage LoadSkinImage(const std::wstring& path) {
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(path.c_str());
    if (bitmap->GetLastStatus() != Gdiplus::Ok || bitmap->GetWidth() == 0) {
        return {};
    }
    return SkinImage(std::move(bitmap));
}

}  // namespace k2q::win
