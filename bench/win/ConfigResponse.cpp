// How fast the configuration program answers a click: from the press of a real click to its
// menu, or its other page, painted on the screen, against one frame (16.7 ms). The baseline,
// measured in the same run, is a plain Win32 window of this program that answers a click by
// showing a popup of the same picture, painted from a prepared bitmap, found and read back from
// the screen the same way.
//
// "Painted" means that at least 70% of the points where the picture differs from what the
// screen showed before the click show the picture's colour (menus draw their texts and the
// item under the pointer over their picture).
#include <windows.h>
#include <gdiplus.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/Messages.h"
#include "common/ui/SkinLayout.h"
#include "common/win/Gdiplus.h"
#include "common/win/UniqueHandle.h"
#include "support/Stats.h"
#include "support/win/ConfigProgram.h"
#include "support/win/MessagePump.h"
#include "support/win/Processes.h"
#include "support/win/Screenshot.h"
#include "support/win/UserInput.h"

namespace {

using namespace std::chrono_literals;
using namespace k2q;

constexpr wchar_t kConfigTitle[] = L"K2q Gaming Mouse";  // "tc_title" of the shipped texts
constexpr int kRounds = 15;
constexpr double kFrameMs = 1000.0 / 60;

// A skin picture's pixels (0x00RRGGBB) and which of them are opaque.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;
    std::vector<bool> opaque;
    win::UniqueBitmap bitmap;  // for the baseline's window to paint
};

Picture LoadPicture(std::u16string_view area, std::u16string_view file) {
    const std::wstring path = testing::DistPath(
        (L"skins\\" + std::wstring(area.begin(), area.end()) + L"\\" +
         std::wstring(file.begin(), file.end()))
            .c_str());
    Picture picture;
    Gdiplus::Bitmap bitmap(path.c_str());
    picture.width = static_cast<int>(bitmap.GetWidth());
    picture.height = static_cast<int>(bitmap.GetHeight());
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            Gdiplus::Color c;
            bitmap.GetPixel(x, y, &c);
            picture.rgb.push_back(c.GetValue() & 0x00FFFFFF);
            picture.opaque.push_back(c.GetA() == 255);
        }
    }
    HBITMAP handle = nullptr;
    bitmap.GetHBITMAP(Gdiplus::Color(0, 0, 0), &handle);
    picture.bitmap.reset(handle);
    return picture;
}

// The baseline: a plain window on a thread of its own that answers a press by showing a popup
// at the pointer painted with the chosen picture; a press on the popup takes it away.
class PlainPopupHost {
  public:
    static constexpr wchar_t kPopupClass[] = L"K2qPlainPopup";

    PlainPopupHost() : thread_([this] { Run(); }) {
        while (!host_) {
            std::this_thread::sleep_for(5ms);
        }
    }
    ~PlainPopupHost() {
        ::PostMessageW(host_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    void Choose(const Picture* picture) { picture_ = picture; }
    POINT Centre() const { return testing::CentreOf(host_); }

  private:
    static LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<PlainPopupHost*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (msg == WM_LBUTTONDOWN && self) {
            if (::IsWindow(self->popup_)) {
                ::DestroyWindow(self->popup_);
                self->popup_ = nullptr;
            } else if (const Picture* p = self->picture_.load()) {
                POINT at;
                ::GetCursorPos(&at);
                self->popup_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kPopupClass, L"", WS_POPUP,
                                                 at.x, at.y, p->width, p->height, hwnd, nullptr,
                                                 nullptr, nullptr);
                ::SetWindowLongPtrW(self->popup_, GWLP_USERDATA,
                                    reinterpret_cast<LONG_PTR>(p->bitmap.get()));
                ::ShowWindow(self->popup_, SW_SHOWNOACTIVATE);
            }
            return 0;
        }
        if (msg == WM_CLOSE) {
            ::DestroyWindow(hwnd);
            ::PostQuitMessage(0);
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    static LRESULT CALLBACK PopupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_LBUTTONDOWN) {  // the press that takes it away lands on it
            ::DestroyWindow(hwnd);
            return 0;
        }
        if (msg == WM_ERASEBKGND) {
            return 1;
        }
        if (msg == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hwnd, &ps);
            HDC memory = ::CreateCompatibleDC(dc);
            auto bitmap = reinterpret_cast<HBITMAP>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            HGDIOBJ old = ::SelectObject(memory, bitmap);
            RECT r;
            ::GetClientRect(hwnd, &r);
            ::BitBlt(dc, 0, 0, r.right, r.bottom, memory, 0, 0, SRCCOPY);
            ::SelectObject(memory, old);
            ::DeleteDC(memory);
            ::EndPaint(hwnd, &ps);
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    void Run() {
        WNDCLASSW host{};
        host.lpfnWndProc = &HostProc;
        host.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        host.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
        host.lpszClassName = L"K2qPlainPopupHost";
        ::RegisterClassW(&host);
        WNDCLASSW popup{};
        popup.lpfnWndProc = &PopupProc;
        popup.hCursor = host.hCursor;
        popup.lpszClassName = kPopupClass;
        ::RegisterClassW(&popup);
        // Beside the configuration program's dialog, which stands at the screen's corner.
        HWND hwnd = ::CreateWindowExW(0, host.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 800, 100,
                                      300, 200, nullptr, nullptr, nullptr, nullptr);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        host_ = hwnd;
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::DispatchMessageW(&msg);
        }
    }

    std::atomic<const Picture*> picture_{nullptr};
    std::atomic<HWND> host_{nullptr};
    HWND popup_ = nullptr;  // the thread's own
    std::thread thread_;
};

// Milliseconds from the press at `at` until `locate` finds where the picture shows and the
// picture is painted there; -1 when that did not happen within 5 s.
double TimeClick(POINT at, const Picture& picture,
                 const std::function<std::optional<RECT>()>& locate) {
    testing::PointAt(at);
    RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    const testing::ScreenPixels before = testing::CaptureScreen(screen);
    const double start = bench::NowMs();
    testing::LeftDown();
    testing::LeftUp();
    int lastTelling = -1, lastShown = -1;
    while (bench::NowMs() - start < 5000) {
        if (const std::optional<RECT> r = locate()) {
            const testing::ScreenPixels now = testing::CaptureScreen(*r);
            int telling = 0, shown = 0;
            for (int y = 0; y < picture.height && y < now.height; y += 2) {
                for (int x = 0; x < picture.width && x < now.width; x += 2) {
                    const std::size_t i = static_cast<std::size_t>(y) * picture.width + x;
                    const int sx = r->left + x, sy = r->top + y;
                    if (!picture.opaque[i] || sx < 0 || sy < 0 || sx >= before.width ||
                        sy >= before.height || before.At(sx, sy) == picture.rgb[i]) {
                        continue;
                    }
                    ++telling;
                    shown += now.At(x, y) == picture.rgb[i];
                }
            }
            if (telling > 0 && shown * 10 >= telling * 7) {
                return bench::NowMs() - start;
            }
            lastTelling = telling;
            lastShown = shown;
        }
        ::Sleep(0);
    }
    std::printf("not painted at %ld,%ld: %d of %d telling points shown\n", at.x, at.y, lastShown,
                lastTelling);
    return -1;
}

std::optional<RECT> RectOf(HWND hwnd) {
    RECT r;
    if (!hwnd || !::IsWindowVisible(hwnd) || !::GetWindowRect(hwnd, &r)) {
        return std::nullopt;
    }
    return r;
}

}  // namespace

int main() {
    ::GetDesktopWindow();
    win::GdiplusSession gdiplus;
    testing::PointerGuard pointer;
    testing::ChildProcess monitor =
        testing::ChildProcess::Start(testing::DistPath(L"K2q_Mouse.exe"));
    if (!testing::WaitForWindow(kMonitorWindowTitle, 20s)) {
        std::printf("the monitor did not start\n");
        return 1;
    }
    testing::ChildProcess program = testing::ChildProcess::Start(testing::DistPath(L"K2q_Config.exe"));
    HWND dialog = nullptr;
    testing::PumpUntil([&] { return (dialog = ::FindWindowW(nullptr, kConfigTitle)) != nullptr; },
                       30s);
    if (!dialog) {
        std::printf("the configuration program did not open\n");
        return 1;
    }
    ::SetForegroundWindow(dialog);
    testing::PumpFor(1s);
    const testing::ConfigDialog config(program.id(), dialog);
    PlainPopupHost plain;

    namespace fm = skin::function_menu;
    const Picture functionMenu = LoadPicture(fm::kArea, fm::kNormalFile);
    const Picture profileMenu = LoadPicture(skin::menu2::kArea, skin::menu2::kNormalFile);
    const Picture buttonPage = LoadPicture(skin::button_page::kArea, skin::button_page::kNormalFile);
    const Picture sensitivityPage =
        LoadPicture(skin::sensitivity::kArea, skin::sensitivity::kNormalFile);
    const auto popupOf = [&](const Picture& p) {
        return [&] { return RectOf(testing::WindowOfSize(program.id(), p.width, p.height)); };
    };
    const auto pageArea = [&]() -> std::optional<RECT> {
        const POINT topLeft = config.PagePoint({0, 0});
        return RECT{topLeft.x, topLeft.y, topLeft.x + skin::main_dialog::kPageArea.Width(),
                    topLeft.y + skin::main_dialog::kPageArea.Height()};
    };
    const auto plainPopup = [] {
        return RectOf(::FindWindowW(PlainPopupHost::kPopupClass, nullptr));
    };
    const POINT background = config.DialogPoint({30, 470});  // closes the menus

    std::vector<double> fnMenu, mainMenu, pages, baseMenu, basePage;
    bool failed = false;
    const auto record = [&](std::vector<double>& into, double ms) {
        failed |= ms < 0;
        into.push_back(ms);
    };
    for (int round = 0; round < kRounds && !failed; ++round) {
        record(fnMenu, TimeClick(config.PagePoint(testing::RectCentre(skin::button_page::kLabel3)),
                                 functionMenu, popupOf(functionMenu)));
        testing::ClickAt(background);
        testing::PumpUntil([&] { return !popupOf(functionMenu)(); }, 5s);

        record(mainMenu,
               TimeClick(config.DialogPoint(testing::RectCentre(skin::main_dialog::kProfile)),
                         profileMenu, popupOf(profileMenu)));
        testing::ClickAt(background);
        testing::PumpUntil([&] { return !popupOf(profileMenu)(); }, 5s);

        record(pages, TimeClick(config.DialogPoint(
                                    testing::RectCentre(skin::main_dialog::kSensitivityPage)),
                                sensitivityPage, pageArea));
        record(pages,
               TimeClick(config.DialogPoint(testing::RectCentre(skin::main_dialog::kAssignPage)),
                         buttonPage, pageArea));

        for (const Picture* p : {&functionMenu, &sensitivityPage}) {
            plain.Choose(p);
            record(p == &functionMenu ? baseMenu : basePage,
                   TimeClick(plain.Centre(), *p, plainPopup));
            testing::ClickAt(plain.Centre());  // takes it away
            testing::PumpUntil([&] { return !plainPopup(); }, 5s);
        }
    }
    ::PostMessageW(dialog, WM_CLOSE, 0, 0);
    program.Wait(10s);
    ::PostMessageW(::FindWindowW(nullptr, kMonitorWindowTitle), WM_CLOSE, 0, 0);
    monitor.Wait(10s);
    if (failed) {
        std::printf("a menu or page was not painted within 5 s\n");
        return 1;
    }

    std::printf("K2q_Config.exe: press to painted on the screen, %d rounds; one frame is %.1f ms\n",
                kRounds, kFrameMs);
    const auto print = [](const char* name, const std::vector<double>& ours,
                          const std::vector<double>& base) {
        const bench::Summary o = bench::Summarize(ours);
        const bench::Summary b = bench::Summarize(base);
        bench::PrintComparison(std::string(name) + " (median)", o.median, b.median, "ms");
        bench::PrintComparison(std::string(name) + " (max)", o.max, b.max, "ms");
    };
    print("function menu", fnMenu, baseMenu);
    print("profile menu", mainMenu, baseMenu);
    print("page switch", pages, basePage);
    std::printf("baseline: a plain window's popup of the same picture (the page's for the page "
                "switch), shown at a press and painted from a prepared bitmap\n");
    return 0;
}
