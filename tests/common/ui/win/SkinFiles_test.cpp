// The generated pictures and icons as the programs will meet them: decoded by GDI+ and the
// system's icon loader from the paths the windows form, at the table's sizes, with every
// control's rectangle cut out of its window's pictures.
#include "common/win/Gdiplus.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/ui/SkinLayout.h"
#include "common/win/Text.h"
#include "support/win/Processes.h"

namespace k2q::skin {
namespace {

std::wstring Narrow(std::string_view s) {
    return std::wstring(s.begin(), s.end());
}

std::unique_ptr<Gdiplus::Bitmap> Load(const std::wstring& path) {
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(path.c_str());
    if (bitmap->GetLastStatus() != Gdiplus::Ok)
        return nullptr;
    return bitmap;
}

bool IsCut(Kind kind) {
    return kind == Kind::Button || kind == Kind::Glyph || kind == Kind::Check ||
           kind == Kind::Level || kind == Kind::MouseButton || kind == Kind::Plate ||
           kind == Kind::Slider || kind == Kind::Bar;
}

class SkinFiles : public ::testing::Test {
  protected:
    win::GdiplusSession gdiplus;
};

TEST_F(SkinFiles, EveryFileDecodesAtItsWindowSizeAndYieldsItsControls) {
    ASSERT_TRUE(gdiplus.ok());
    for (const FileEntry& f : kFiles) {
        const WindowEntry* w = nullptr;
        for (const WindowEntry& e : kWindows) {
            if (e.window == f.window)
                w = &e;
        }
        ASSERT_NE(w, nullptr);
        const std::wstring path = testing::DistPath(
            (L"skins\\" + win::ToWide(w->area) + L"\\" + win::ToWide(f.file)).c_str());
        auto bitmap = Load(path);
        ASSERT_NE(bitmap, nullptr) << Narrow(f.window) << " " << Narrow(f.role);
        EXPECT_EQ(bitmap->GetWidth(), static_cast<UINT>(w->width)) << Narrow(f.window);
        EXPECT_EQ(bitmap->GetHeight(), static_cast<UINT>(w->height)) << Narrow(f.window);
        for (const ControlEntry& c : kControls) {
            if (c.window != f.window || !IsCut(c.kind))
                continue;
            std::unique_ptr<Gdiplus::Bitmap> cut(bitmap->Clone(c.rect.left, c.rect.top,
                                                               c.rect.Width(), c.rect.Height(),
                                                               bitmap->GetPixelFormat()));
            EXPECT_NE(cut, nullptr) << Narrow(c.window) << "." << Narrow(c.control);
        }
    }
}

TEST_F(SkinFiles, WindowsFindTheirFilesByTheirOwnSpelling) {
    // The button page and the macro editor spell the folders differently from the others.
    const wchar_t* paths[] = {L"Skins\\btn\\btn_n.png", L"Skins\\MACRO\\Macro_n.PNG",
                              L"skins\\macro\\up1.PNG", L"skins\\com\\Combo_N.png",
                              L"skins\\progress\\pregross_d.png"};
    for (const wchar_t* p : paths) {
        EXPECT_NE(Load(testing::DistPath(p)), nullptr) << Narrow(std::string(p, p + wcslen(p)));
    }
}

std::wstring IconPath(const wchar_t* file) {
    std::wstring path = L"Z:";
    for (const char* p = K2Q_ICON_DIR; *p; ++p)
        path += *p == '/' ? L'\\' : wchar_t(*p);
    return path + L"\\" + file;
}

TEST(SkinIcons, EveryIconOffersItsSizes) {
    struct Case {
        const wchar_t* file;
        int largest;
    } cases[] = {{L"program.ico", 256},
                 {L"tray_config.ico", 48},
                 {L"tray_config_selected.ico", 48},
                 {L"tray_exit.ico", 48},
                 {L"tray_exit_selected.ico", 48}};
    for (const Case& c : cases) {
        for (int size : {16, 32, 48, c.largest}) {
            HICON icon = static_cast<HICON>(::LoadImageW(nullptr, IconPath(c.file).c_str(),
                                                         IMAGE_ICON, size, size, LR_LOADFROMFILE));
            ASSERT_NE(icon, nullptr) << size;
            ICONINFO info{};
            ASSERT_TRUE(::GetIconInfo(icon, &info));
            BITMAP bm{};
            ::GetObjectW(info.hbmColor, sizeof bm, &bm);
            EXPECT_EQ(bm.bmWidth, size);
            ::DeleteObject(info.hbmColor);
            ::DeleteObject(info.hbmMask);
            ::DestroyIcon(icon);
        }
    }
}

}  // namespace
}  // namespace k2q::skin
