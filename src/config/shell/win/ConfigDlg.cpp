#include "config/shell/win/ConfigDlg.h"

#include <windowsx.h>

#include "common/Messages.h"
#include "common/localization/UiStrings.h"
#include "common/settings/ProfileFile.h"
#include "common/settings/SettingsStore.h"
#include "common/settings/win/Win32FileSystem.h"
#include "common/ui/WebAddresses.h"
#include "common/ui/win/AboutDlg.h"
#include "common/ui/win/Caption.h"
#include "common/win/Text.h"
#include "config/buttons/FunctionMenu.h"
#include "config/buttons/win/ButtonPage.h"
#include "config/sensitivity/win/SensitivityPage.h"
#include "config/shell/ProfileCommands.h"
#include "config/shell/win/ProfileDialogs.h"
#include "config/shell/win/ResetDlg.h"
#include "config/shell/win/ShellResources.h"

namespace k2q::config::win {
namespace {

namespace layout = skin::main_dialog;

std::wstring Text(UiKey key) {
    return k2q::win::ToWide(UiText(key));
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
      settings_(std::make_unique<Settings>()) {
    SetPaintMode(k2q::win::SkinPaint::Direct);
}

CK2Q_ConfigDlg::~CK2Q_ConfigDlg() = default;

INT_PTR CK2Q_ConfigDlg::Run() {
    return DoModal(IDD_CONFIG_MAIN, nullptr);
}

ButtonSetting& CK2Q_ConfigDlg::Buttons() {
    return settings_->buttons;
}
MacroSetting& CK2Q_ConfigDlg::Macros() {
    return settings_->macros;
}

k2q::win::CBitmapBtn& CK2Q_ConfigDlg::button(MainAction action) {
    return buttons_[static_cast<std::size_t>(action)];
}

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
        // Nothing has been written and nothing is held that needs an orderly end.
        ::ExitProcess(0);
    }
    monitor_.AnnounceWindow(hwnd());

    // The pages read the blocks while they initialize, so the store comes first.
    LoadOrCreateStore(registry_, settings_->buttons, settings_->macros);
    LayOut();

    currentPage_ = kSensitivityPage;  // so that ShowPage switches
    ShowPage(kButtonPage);
    return TRUE;
}

void CK2Q_ConfigDlg::AddAboutEntry() {
    wchar_t text[128] = {};
    if (::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUT_ENTRY, text, 128) <= 0) {
        return;
    }
    if (HMENU system = ::GetSystemMenu(hwnd(), FALSE)) {
        ::AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(system, MF_STRING, IDM_ABOUT_ENTRY, text);
    }
}

void CK2Q_ConfigDlg::SetIcons() {
    const auto load = [](int width, int height) {
        return k2q::win::UniqueIcon(static_cast<HICON>(
            ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CONFIG_PROGRAM),
                         IMAGE_ICON, width, height, 0)));
    };
    bigIcon_ = load(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
    smallIcon_ = load(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void CK2Q_ConfigDlg::LayOut() {
    LoadSkin(layout::kArea, layout::kNormalFile, layout::kOverFile, layout::kDownFile);
    // The dialog opens at the screen's top-left corner, not centred.
    ::SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const MainButtonEntry& entry : MainButtons()) {
        // Identifier 0 for all: a click is told apart by the button's window.
        AddButton(button(entry.action), 0, entry.rect,
                  entry.caption ? Text(*entry.caption) : std::wstring());
    }
    CreatePages();
}

void CK2Q_ConfigDlg::CreatePages() {
    const skin::Rect& area = layout::kPageArea;
    const auto place = [&](HWND page) {
        ::SetWindowPos(page, nullptr, area.left, area.top, area.Width(), area.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    };
    buttonPage_ = std::make_unique<CButtonPage>(*this);
    if (buttonPage_->Create(hwnd())) {
        place(buttonPage_->hwnd());
    }
    sensitivityPage_ = std::make_unique<CSensitivityPage>(*this);
    if (sensitivityPage_->Create(hwnd())) {
        place(sensitivityPage_->hwnd());
    }
}

void CK2Q_ConfigDlg::ShowPage(int page) {
    button(MainAction::ShowButtonPage).SetChecked(page == kButtonPage);
    button(MainAction::ShowSensitivityPage).SetChecked(page == kSensitivityPage);
    if (page == currentPage_) {
        return;
    }
    const bool sensitivity = page == kSensitivityPage;
    if (buttonPage_ && buttonPage_->hwnd()) {
        ::ShowWindow(buttonPage_->hwnd(), sensitivity ? SW_HIDE : SW_SHOW);
    }
    if (sensitivityPage_ && sensitivityPage_->hwnd()) {
        ::ShowWindow(sensitivityPage_->hwnd(), sensitivity ? SW_SHOW : SW_HIDE);
    }
    currentPage_ = page;
}

void CK2Q_ConfigDlg::CloseAllMenus() {
    menus_.CloseAll();
}

void CK2Q_ConfigDlg::CloseFunctionMenu() {
    if (currentPage_ == kButtonPage && buttonPage_) {
        buttonPage_->CloseFunctionMenu();
    }
}

void CK2Q_ConfigDlg::OnPaint() {
    if (!::IsIconic(hwnd())) {
        k2q::win::SkinnedDialog::OnPaint();
        return;
    }
    k2q::win::PaintGuard paint(hwnd());
    RECT client;
    ::GetClientRect(hwnd(), &client);
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(paint.dc(), x, y, bigIcon_.get());
}

void CK2Q_ConfigDlg::PaintOverSkin(HDC dc) {
    k2q::win::DrawDarkCaption(dc, Text(UiKey::tc_version), 8, k2q::win::CaptionAlign::Near,
                              k2q::win::CaptionRectOf(layout::kVersion));
}

void CK2Q_ConfigDlg::OnCommand(UINT, UINT, HWND control) {
    // Any command closes the open menus before it acts; a function menu forgets its label.
    if (currentPage_ == kButtonPage && buttonPage_ && buttonPage_->HasFunctionMenu()) {
        buttonPage_->SetCurrentButton(kNoButton);
        buttonPage_->CloseFunctionMenu();
    }
    CloseAllMenus();
    for (const MainButtonEntry& entry : MainButtons()) {
        if (control && button(entry.action).hwnd() == control) {
            Act(entry.action);
            break;
        }
    }
    Default();
}

void CK2Q_ConfigDlg::Act(MainAction action) {
    switch (action) {
        case MainAction::Close:
        case MainAction::Cancel:
            ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            break;
        case MainAction::Minimize:
            ::SendMessageW(hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
            break;
        case MainAction::Ok:
            WriteStore(registry_, settings_->buttons, settings_->macros);
            ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            break;
        case MainAction::Apply:
            Apply(registry_, settings_->buttons, settings_->macros, monitor_);
            break;
        case MainAction::Reset:
            RunReset();
            break;
        case MainAction::ShowButtonPage:
            ShowPage(kButtonPage);
            break;
        case MainAction::ShowSensitivityPage:
            ShowPage(kSensitivityPage);
            break;
        case MainAction::ProfileMenu:
            menus_.Open(MainMenu::Profile, hwnd(), currentPage_);
            break;
        case MainAction::SettingMenu:
            menus_.Open(MainMenu::Setting, hwnd(), currentPage_);
            break;
        case MainAction::HelpMenu:
            menus_.Open(MainMenu::Help, hwnd(), currentPage_);
            break;
        case MainAction::LinkMenu:
            menus_.Open(MainMenu::Link, hwnd(), currentPage_);
            break;
    }
}

void CK2Q_ConfigDlg::OnMenuChoice(LPARAM choice) {
    const MenuChoiceRoute route = RouteMenuChoice(currentPage_, static_cast<std::uint32_t>(choice));
    switch (route.target) {
        case MenuChoiceRoute::Target::ButtonPage:
            // The page's current button stays set: the choice is for its label.
            buttonPage_->CloseFunctionMenu();
            buttonPage_->ApplyFunctionChoice(choice);
            break;
        case MenuChoiceRoute::Target::MainCommand:
            RunMainCommand(route.command);
            break;
        case MenuChoiceRoute::Target::Nothing:
            break;
    }
}

void CK2Q_ConfigDlg::RunMainCommand(std::uint16_t command) {
    CloseAllMenus();
    switch (command) {
        case kImportProfile:
            ImportProfile();
            break;
        case kExportProfile:
            ExportProfile();
            break;
        case kShowButtonPage:
            ShowPage(kButtonPage);
            break;
        case kShowSensitivityPage:
            ShowPage(kSensitivityPage);
            break;
        case kOpenHelp:
            OpenHelpFile();
            break;
        case kOpenHomePage:
            OpenAddress(k2q::win::ToWide(HomePageAddress()).c_str());
            break;
        case kOpenForum:
            OpenAddress(k2q::win::ToWide(ForumAddress()).c_str());
            break;
        case kShowAbout:
            ShowAbout();
            break;
        default:
            break;
    }
}

void CK2Q_ConfigDlg::RunReset() {
    CResetDlg confirm;
    if (confirm.DoModal(hwnd()) != IDOK) {
        return;
    }
    ResetToFactory(registry_, settings_->buttons);
    RefreshPages();
}

std::optional<std::wstring> CK2Q_ConfigDlg::AskProfile(ProfileDialog kind) {
    // Without a documents folder there is nowhere to keep profiles: nothing opens.
    const std::optional<std::wstring> folder = ProfileFolder();
    if (!folder) {
        return std::nullopt;
    }
    return AskProfilePath(hwnd(), kind, *folder, Text(UiKey::tc_setting));
}

void CK2Q_ConfigDlg::ImportProfile() {
    const std::optional<std::wstring> path = AskProfile(ProfileDialog::Open);
    if (!path) {
        return;
    }
    k2q::win::Win32FileSystem files;
    const ProfileRead read =
        ReadProfile(files, k2q::win::ToU16(*path), settings_->buttons, settings_->macros);
    if (const std::optional<UiKey> message = ImportFailureMessage(read)) {
        Tell(*message);
        return;
    }
    RefreshPages();
}

void CK2Q_ConfigDlg::ExportProfile() {
    const std::optional<std::wstring> path = AskProfile(ProfileDialog::Save);
    if (!path) {
        return;
    }
    k2q::win::Win32FileSystem files;
    const ProfileWrite written =
        WriteProfile(files, k2q::win::ToU16(*path), settings_->buttons, settings_->macros);
    if (const std::optional<UiKey> message = ExportFailureMessage(written)) {
        Tell(*message);
    }
}

void CK2Q_ConfigDlg::ShowAbout() {
    k2q::win::CAboutDlg about;
    about.DoModal(hwnd());
}

void CK2Q_ConfigDlg::RefreshPages() {
    if (buttonPage_) {
        buttonPage_->RefreshButtonLabels();
    }
    if (sensitivityPage_) {
        sensitivityPage_->RefreshFromSettings();
        sensitivityPage_->CentreTestPicture();
    }
}

void CK2Q_ConfigDlg::Tell(UiKey message) {
    ::MessageBoxW(hwnd(), Text(message).c_str(), Text(UiKey::tc_title).c_str(),
                  MB_OK | MB_ICONWARNING);
}

void CK2Q_ConfigDlg::OnLButtonDown(UINT, POINT pt) {
    CloseFunctionMenu();
    CloseAllMenus();
    k2q::win::DragByBackground(hwnd(), pt);
}

void CK2Q_ConfigDlg::OnDestroy() {
    monitor_.AnnounceWindow(nullptr);
    buttonPage_.reset();
    sensitivityPage_.reset();
    CloseAllMenus();
    Default();
}

LRESULT CK2Q_ConfigDlg::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_BMPMENU_CHOSEN:
            OnMenuChoice(lParam);
            return Default();
        case kScrollNoticeMessage:
            if (currentPage_ == kSensitivityPage && sensitivityPage_) {
                sensitivityPage_->TiltTest(wParam);
            }
            return Default();
        case WM_MOUSEWHEEL:
            if (currentPage_ == kSensitivityPage && sensitivityPage_) {
                sensitivityPage_->WheelTest(WheelTestDirection(GET_WHEEL_DELTA_WPARAM(wParam)));
            }
            return Default();
        case WM_ACTIVATEAPP: {
            const LRESULT result = Default();
            if (!wParam) {
                CloseFunctionMenu();
            }
            CloseAllMenus();
            return result;
        }
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == IDM_ABOUT_ENTRY) {
                ShowAbout();
                return 0;
            }
            return Default();
        case WM_QUERYDRAGICON:
            return reinterpret_cast<LRESULT>(bigIcon_.get());
        default:
            return k2q::win::SkinnedDialog::WndProc(msg, wParam, lParam);
    }
}

}  // namespace k2q::config::win
