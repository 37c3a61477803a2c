#include "config/shell/win/ConfigDlg.h"

#include <windowsx.h>

#include "common/Messages.h"
#include "common/localization/UiStrings.h"
#include "common/settings/SettingsStore.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/Caption.h"
#include "common/win/Gdi.h"
#include "common/win/Gdiplus.h"
#include "common/win/Text.h"
#include "config/shell/win/ShellResources.h"

namespace k2q::config::win {
namespace {

namespace layout = skin::main_dialog;

std::wstring Text(UiKey key) { return k2q::win::ToWide(UiText(key)); }

k2q::win::SkinImage LoadMainImage(std::u16string_view file) {
    return k2q::win::LoadSkinImage(k2q::win::MakeSkinPath(layout::kArea, file));
}

k2q::win::CaptionRect CaptionRectOf(const skin::Rect& r) {
    return {float(r.left), float(r.top), float(r.Width()), float(r.Height())};
}

}  // namespace

// Zeroed before the store fills them: a short stored value keeps the rest of its block.
struct CK2Q_ConfigDlg::Settings {
    ButtonSetting buttons{};
    MacroSetting macros{};
};

CK2Q_ConfigDlg::CK2Q_ConfigDlg(Registry& registry, Win32MonitorLink& monitor,
                               MonitorMissing monitorMissing)
    : registry_(registry),
      monitor_(monitor),
      monitorMissing_(std::move(monitorMissing)),
      settings_(std::make_unique<Settings>()) {}

CK2Q_ConfigDlg::~CK2Q_ConfigDlg() = default;

INT_PTR CK2Q_ConfigDlg::Run() { return DoModal(IDD_CONFIG_MAIN, nullptr); }

ButtonSetting& CK2Q_ConfigDlg::Buttons() { return settings_->buttons; }
MacroSetting& CK2Q_ConfigDlg::Macros() { return settings_->macros; }

BOOL CK2Q_ConfigDlg::OnInitDialog() {
    AddAboutEntry();
    SetIcons();
    ::SetWindowTextW(hwnd(), Text(UiKey::tc_title).c_str());

    if (!monitor_.MonitorPresent()) {
        ::MessageBoxW(hwnd(), Text(UiKey::tc_msg2).c_str(), Text(UiKey::tc_title).c_str(), MB_OK);
        if (monitorMissing_) {
            monitorMissing_();
            return TRUE;
        }
        // Nothing has been written and nothing else is held that needs an orderly end.
        ::ExitProcess(0);
    }
    monitor_.AnnounceWindow(hwnd());

    LoadOrCreateStore(registry_, settings_->buttons, settings_->macros);
    LayOut();
    ShowPage(kButtonPage);
    return TRUE;
}

void CK2Q_ConfigDlg::AddAboutEntry() {
    wchar_t text[128] = {};
    if (::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUT_ENTRY, text, 128) <= 0) {
        return;
    }
    HMENU system = ::GetSystemMenu(hwnd(), FALSE);
    if (!system) {
        return;
    }
    ::AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(system, MF_STRING, IDM_ABOUT_ENTRY, text);
}

void CK2Q_ConfigDlg::SetIcons() {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    bigIcon_.reset(static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_CONFIG_PROGRAM),
                                                   IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                                   ::GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDI_CONFIG_PROGRAM), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0)));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void CK2Q_ConfigDlg::LayOut() {
    normal_ = LoadMainImage(layout::kNormalFile);
    over_ = LoadMainImage(layout::kOverFile);
    down_ = LoadMainImage(layout::kDownFile);
    // The dialog opens at the screen's top-left corner, not centred.
    ::SetWindowPos(hwnd(), nullptr, 0, 0, normal_.width(), normal_.height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CK2Q_ConfigDlg::ShowPage(int page) {
    if (page == currentPage_) {
        return;
    }
    currentPage_ = page;
}

void CK2Q_ConfigDlg::CloseAllMenus() {}

void CK2Q_ConfigDlg::OnPaint() {
    if (::IsIconic(hwnd())) {
        k2q::win::PaintGuard paint(hwnd());
        RECT client;
        ::GetClientRect(hwnd(), &client);
        const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        ::DrawIcon(paint.dc(), x, y, bigIcon_.get());
        return;
    }
    k2q::win::PaintGuard paint(hwnd());
    RECT client;
    ::GetClientRect(hwnd(), &client);
    k2q::win::DoubleBuffer buffer(paint.dc(), client.right, client.bottom);
    {
        Gdiplus::Graphics graphics(buffer.dc());
        normal_.Draw(graphics, 0, 0);
    }
    k2q::win::DrawDarkCaption(buffer.dc(), Text(UiKey::tc_version), 8,
                              k2q::win::CaptionAlign::Near, CaptionRectOf(layout::kVersion));
    buffer.Present();
}

void CK2Q_ConfigDlg::OnDestroy() {
    monitor_.AnnounceWindow(nullptr);
    CloseAllMenus();
    normal_ = {};
    over_ = {};
    down_ = {};
    Default();
}

LRESULT CK2Q_ConfigDlg::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(bigIcon_.get());
        default:
            return Dialog::WndProc(msg, wParam, lParam);
    }
}

}  // namespace k2q::config::win
