// The mouse parameters against the real Control Panel settings and SystemParametersInfoW. The
// Wine tests share one prefix: every value touched here is put back, in the registry and in the
// running system.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <optional>
#include <vector>

#include "common/settings/SystemMouseParams.h"
#include "common/settings/win/Win32SystemParameters.h"
#include "common/win/Win32Registry.h"
#include "support/win/SystemMouseGuard.h"

namespace k2q {
namespace {

void SetString(const wchar_t* key, const wchar_t* name, const wchar_t* text) {
    const DWORD size = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_SZ, text, size), ERROR_SUCCESS);
}

bool RunningUnderWine() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

class Win32SystemMouseParams : public ::testing::Test {
  protected:
    testing::SystemMouseGuard saved;
    win::Win32Registry registry;
};

TEST_F(Win32SystemMouseParams, ReadsTheControlPanelStringsOfTheCurrentUser) {
    SetString(L"Control Panel\\Mouse", L"MouseSensitivity", L"13");
    SetString(L"Control Panel\\Mouse", L"DoubleClickSpeed", L"730");
    SetString(L"Control Panel\\Mouse", L"MouseSpeed", L"1");
    SetString(L"Control Panel\\Mouse", L"MouseThreshold1", L"6");
    SetString(L"Control Panel\\Mouse", L"MouseThreshold2", L"10");
    SetString(L"Control Panel\\Desktop", L"WheelScrollLines", L"7");
    ButtonSetting block{};
    ReadSystemMouseParams(registry, block);
    EXPECT_EQ(block.mouse.pointerSpeed, 7);
    EXPECT_EQ(block.mouse.doubleClickTime, 730);
    EXPECT_EQ(block.mouse.acceleration, 1);
    EXPECT_EQ(block.mouse.wheelLines, 7);
    EXPECT_EQ(block.mouse.hScrollAmount, 3);

    // A number stored as REG_DWORD is not read; acceleration needs all three above 0.
    const DWORD number = 16;
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Mouse", L"MouseSensitivity",
                                REG_DWORD, &number, sizeof number),
              ERROR_SUCCESS);
    SetString(L"Control Panel\\Mouse", L"MouseSpeed", L"0");
    ReadSystemMouseParams(registry, block);
    EXPECT_EQ(block.mouse.pointerSpeed, 0);
    EXPECT_EQ(block.mouse.acceleration, 0);
    EXPECT_EQ(block.mouse.doubleClickTime, 730);
}

// A message-only window: it receives the notices sent to it, but no broadcasts.
struct Notices {
    std::vector<WPARAM> wParams;
    std::vector<std::array<int, 3>> mouseArrays;  // read during the send, while it lives
};

LRESULT CALLBACK NoticeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTINGCHANGE) {
        auto* notices = reinterpret_cast<Notices*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        notices->wParams.push_back(wParam);
        if (wParam == SPI_SETMOUSE && lParam) {
            const auto* array = reinterpret_cast<const int*>(lParam);
            notices->mouseArrays.push_back({array[0], array[1], array[2]});
        }
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST_F(Win32SystemMouseParams, AppliedValuesReadBackFromTheSystem) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = NoticeProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"K2qSettingNotices";
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);

    const struct {
        MouseParams params;
        std::array<int, 3> mouse;
    } cases[] = {
        {{7, 3, 730, 4, 1, 1, 1, 1, {0, 0}}, {6, 10, 1}},
        {{2, 3, 410, 9, 0, 1, 1, 1, {0, 0}}, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        Notices notices;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&notices));
        std::vector<int> progress;
        win::Win32SystemParameters system(window);
        ApplySystemMouseParams(system, c.params, [&](int p) { progress.push_back(p); });

        EXPECT_EQ(progress, (std::vector<int>{85, 90, 95}));
        EXPECT_EQ(notices.wParams,
                  (std::vector<WPARAM>{SPI_SETWHEELSCROLLLINES, SPI_SETMOUSE, SPI_SETMOUSESPEED,
                                       SPI_SETDOUBLECLICKTIME}));
        EXPECT_EQ(notices.mouseArrays, (std::vector<std::array<int, 3>>{c.mouse}));

        UINT wheel = 0;
        std::array<int, 3> mouse = {-1, -1, -1};
        int speed = 0;
        ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &wheel, 0));
        ASSERT_TRUE(::SystemParametersInfoW(SPI_GETMOUSE, 0, mouse.data(), 0));
        ASSERT_TRUE(::SystemParametersInfoW(SPI_GETMOUSESPEED, 0, &speed, 0));
        EXPECT_EQ(wheel, static_cast<UINT>(c.params.wheelLines));
        EXPECT_EQ(mouse, c.mouse);
        EXPECT_EQ(::GetDoubleClickTime(), static_cast<UINT>(c.params.doubleClickTime));
        // The speed goes in pvParam itself, as Windows reads it. Wine 8 reads uiParam instead
        // (0 here), so only Windows can show the doubled speed.
        if (!RunningUnderWine()) {
            EXPECT_EQ(speed, 2 * c.params.pointerSpeed);
        }
    }
    ::DestroyWindow(window);
    ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

}  // namespace
}  // namespace k2q
