#include "support/win/Screenshot.h"

#include "common/win/Gdi.h"
#include "common/win/Gdiplus.h"
#include "common/win/ModulePath.h"

namespace k2q::testing {
namespace {

bool PngEncoder(CLSID& clsid) {
    UINT count = 0;
    UINT bytes = 0;
    Gdiplus::GetImageEncodersSize(&count, &bytes);
    std::vector<std::uint8_t> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (bytes == 0 || Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) {
        return false;
    }
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

ScreenPixels CaptureScreen(const RECT& rect) {
    ScreenPixels pixels;
    pixels.width = rect.right - rect.left;
    pixels.height = rect.bottom - rect.top;
    if (pixels.width <= 0 || pixels.height <= 0) {
        return {};
    }
    win::WindowDcGuard screen(nullptr);
    win::UniqueDc memory(::CreateCompatibleDC(screen.dc()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win::UniqueBitmap bitmap(
        ::CreateDIBSection(screen.dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) {
        return {};
    }
    {
        win::SelectGuard select(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, pixels.width, pixels.height, screen.dc(), rect.left, rect.top,
                 SRCCOPY);
    }
    const auto* data = static_cast<const std::uint32_t*>(bits);
    pixels.rgb.assign(data, data + static_cast<std::size_t>(pixels.width) * pixels.height);
    for (std::uint32_t& p : pixels.rgb) {
        p &= 0x00FFFFFF;
    }
    return pixels;
}

bool SavePng(const ScreenPixels& pixels, const std::wstring& path) {
    CLSID png;
    if (pixels.width == 0 || !PngEncoder(png)) {
        return false;
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        ::CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
    }
    std::vector<std::uint32_t> argb(pixels.rgb);
    for (std::uint32_t& p : argb) {
        p |= 0xFF000000;
    }
    Gdiplus::Bitmap bitmap(pixels.width, pixels.height, pixels.width * 4, PixelFormat32bppARGB,
                           reinterpret_cast<BYTE*>(argb.data()));
    return bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

std::wstring ScreenshotPath(const std::wstring& fileName) {
    return win::ModuleFolder() + L"screenshots\\" + fileName;
}

}  // namespace k2q::testing
