#include "config/buttons/win/ButtonPage.h"

#include <array>
#include <optional>

#include "common/localization/UiStrings.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/BmpMenu.h"
#include "common/ui/win/SkinnedWindow.h"
#include "common/win/DialogKeyFilter.h"
#include "common/win/Gdi.h"
#include "common/win/Text.h"
#include "common/win/Win32KeyboardLayout.h"
#include "config/buttons/ButtonCaption.h"
#include "config/buttons/LeaderLines.h"
#include "config/buttons/win/FunctionDialogs.h"
#include "config/keycapture/KeyNames.h"

namespace k2q::config::win {
namespace {

namespace page = skin::button_page;
using k2q::win::CBitmapBtn;
using k2q::win::MakeSkinPath;
using k2q::win::SkinImage;
using k2q::win::ToWide;

constexpr UINT_PTR kLeaderTimer = 1;
constexpr UINT kLeaderPeriodMs = 200;

constexpr skin::Rect kLabelRects[kRecordCount] = {
    page::kLabel0, page::kLabel1, page::kLabel2, page::kLabel3,
    page::kLabel4, page::kLabel5, page::kLabel6,
};

bool Contains(const RECT& r, POINT pt) {
    return ::PtInRect(&r, pt) != FALSE;
}

}  // namespace

class CButtonPage::PageWindow : public k2q::win::SkinnedDialog {
    using Base = k2q::win::SkinnedDialog;

  public:
    PageWindow(PageHost& host, ChoiceDialogs* dialogs)
        : host_(host), ownDialogs_(host), dialogs_(dialogs ? *dialogs : ownDialogs_) {}

    bool Open(HWND parent) { return CreateModeless(kButtonPageTemplate, parent); }

    void RefreshButtonLabels() {
        const ButtonSetting& block = host_.Buttons();
        for (int i = 0; i < kRecordCount; ++i) {
            const std::u16string caption =
                ButtonCaption(block.records[i], ProgramUiStrings(), host_.Macros(),
                              [this](std::uint8_t m, std::uint8_t k1, std::uint8_t k2) {
                                  return CombinationText(m, k1, k2, layout_);
                              });
            labels_[i].SetCaption(ToWide(caption), 0, 0, 1);
        }
    }

    void ApplyFunctionChoice(LPARAM choice) {
        const ChoiceEffect effect =
            ApplyMenuChoice(state_, host_.Buttons(), static_cast<std::uint32_t>(choice), dialogs_);
        if (effect == ChoiceEffect::Recaption && hwnd()) {
            RefreshButtonLabels();
        }
    }

    void CloseFunctionMenu() {
        if (menu_) {
            menu_->CloseMenu();
            menu_.reset();
        }
    }

    bool HasFunctionMenu() const { return menu_ != nullptr; }
    ButtonPageState& state() { return state_; }

  protected:
    BOOL OnInitDialog() override {
        LoadSkin(page::kArea, page::kNormalFile, page::kOverFile, page::kDownFile);
        for (int i = 0; i < kRecordCount; ++i) {
            AddButton(labels_[i], kFirstLabelId + i, kLabelRects[i]);
        }
        AddButton(modeCaption_, kModeCaptionId, page::kModeCaption);
        modeCaption_.SetCaption(ToWide(UiText(UiKey::tc_mousemode)), 0, 0, 3);
        ::EnableWindow(modeCaption_.hwnd(), FALSE);
        LoadMousePictures();
        RefreshButtonLabels();
        ::SetTimer(hwnd(), kLeaderTimer, kLeaderPeriodMs, nullptr);
        ownDialogs_.SetOwner(hwnd());
        keys_.emplace(hwnd());
        return FALSE;  // a page never takes the focus from the main dialog
    }

    // Enter and Escape never end a page (the key filter keeps them from the dialog manager;
    // this covers a command made from them some other way).
    void OnOK() override {}
    void OnCancel() override {}

    void OnDestroy() override {
        CloseFunctionMenu();
        ::KillTimer(hwnd(), kLeaderTimer);
        keys_.reset();
        Default();
    }

    void PaintOverSkin(HDC dc) override {
        Gdiplus::Graphics graphics(dc);
        const SkinImage& mouse = pictureHover_ ? mouse2_[0] : mouse1_[0];
        mouse.Draw(graphics, page::kMousePicture.x, page::kMousePicture.y);
    }

    void OnPaint() override {
        Base::OnPaint();
        // The lines go onto the window itself, after the picture has been copied there.
        k2q::win::WindowDcGuard dc(hwnd());
        for (int i = 0; i < kButtonCount; ++i) {
            DrawLeaderLine(dc.dc(), i, kLeaderResting);
        }
        DrawLeaderLine(dc.dc(), state_.currentButton, kLeaderLit);
    }

    void OnTimer(UINT_PTR id) override {
        if (id != kLeaderTimer) {
            Default();
            return;
        }
        if (state_.tracking && !menu_) {
            UpdateLeaderLines();
        }
    }

    // Moves over the page's background, and the moves its labels pass on (in screen
    // coordinates): both are read from the pointer itself.
    void OnMouseMove(UINT, POINT) override {
        POINT screen;
        ::GetCursorPos(&screen);
        POINT client = screen;
        ::ScreenToClient(hwnd(), &client);
        const RECT area{page::kPictureArea.left, page::kPictureArea.top, page::kPictureArea.right,
                        page::kPictureArea.bottom};
        const bool over = Contains(area, client);
        if (over != pictureHover_) {
            pictureHover_ = over;
            ::InvalidateRect(hwnd(), &area, FALSE);
        }
        if (!menu_) {
            LightLinesUnder(screen);
        }
        Default();
    }

    void OnLButtonDown(UINT, POINT) override {
        CloseFunctionMenu();
        host_.CloseAllMenus();
        Default();  // the page does not drag the main window
    }

    void OnCommand(UINT id, UINT code, HWND control) override {
        for (int i = 0; i < kRecordCount; ++i) {
            if (control && control == labels_[i].hwnd()) {
                OnLabelClicked(i);
                break;
            }
        }
        Base::OnCommand(id, code, control);
    }

  private:
    void LoadMousePictures() {
        const std::u16string_view files1[] = {skin::mouse1::kNormalFile, skin::mouse1::kOverFile,
                                              skin::mouse1::kDownFile};
        const std::u16string_view files2[] = {skin::mouse2::kNormalFile, skin::mouse2::kOverFile,
                                              skin::mouse2::kDownFile};
        for (int s = 0; s < 3; ++s) {
            mouse1_[s] = k2q::win::LoadSkinImage(MakeSkinPath(skin::mouse1::kArea, files1[s]));
            mouse2_[s] = k2q::win::LoadSkinImage(MakeSkinPath(skin::mouse2::kArea, files2[s]));
        }
    }

    void OnLabelClicked(int label) {
        CloseFunctionMenu();
        state_.currentButton = label;
        if (label < kButtonCount) {
            host_.CloseAllMenus();
            UpdateLeaderLines();
        } else {
            UpdateLeaderLines();
            host_.CloseAllMenus();
        }
        OpenFunctionMenu(label);
    }

    void OpenFunctionMenu(int label) {
        CloseFunctionMenu();
        namespace fm = skin::function_menu;
        namespace sub = skin::submenu;
        menu_ = std::make_unique<k2q::win::CBmpMenu>();
        menu_->SetMenuImages(
            MakeSkinPath(fm::kArea, fm::kNormalFile), MakeSkinPath(fm::kArea, fm::kOverFile),
            MakeSkinPath(fm::kArea, fm::kDownFile), MakeSkinPath(fm::kArea, fm::kNormalFile));
        POINT pointer;
        ::GetCursorPos(&pointer);
        const Point at =
            FunctionMenuOrigin({pointer.x, pointer.y}, ::GetSystemMetrics(SM_CXFULLSCREEN),
                               ::GetSystemMetrics(SM_CYFULLSCREEN));
        menu_->SetPosition(at.x, at.y);
        menu_->SetSubMenuImages(
            MakeSkinPath(sub::kArea, sub::kNormalFile), MakeSkinPath(sub::kArea, sub::kOverFile),
            MakeSkinPath(sub::kArea, sub::kDownFile), MakeSkinPath(sub::kArea, sub::kNormalFile));
        const std::vector<FunctionMenuItem> items = FunctionMenuOf(label);
        for (const FunctionMenuItem& item : items) {
            menu_->AddItem(ToWide(LanguageText(ProgramUiStrings(), item.key)), item.function);
        }
        for (std::size_t i = 0; i < items.size(); ++i) {
            for (const MenuEntry& entry : items[i].entries) {
                menu_->AddSubItem(i, ToWide(LanguageText(ProgramUiStrings(), entry.key)), entry.id);
            }
        }
        menu_->Open(host_.MenuOwner());
    }

    void DrawLeaderLine(HDC dc, int label, COLORREF colour) const {
        const auto lines = LeaderLinesOf(label);
        if (lines.empty()) {
            return;
        }
        k2q::win::UniquePen pen(::CreatePen(PS_SOLID, 1, colour));
        k2q::win::SelectGuard select(dc, pen.get());
        for (const skin::Line& line : lines) {
            ::MoveToEx(dc, line.from.x, line.from.y, nullptr);
            ::LineTo(dc, line.to.x, line.to.y);
        }
    }

    void LightLinesUnder(POINT screen) const {
        k2q::win::WindowDcGuard dc(hwnd());
        for (int i = 0; i < kButtonCount; ++i) {
            RECT r;
            ::GetWindowRect(labels_[i].hwnd(), &r);
            DrawLeaderLine(dc.dc(), i, Contains(r, screen) ? kLeaderLit : kLeaderResting);
        }
    }

    void UpdateLeaderLines() const {
        POINT screen;
        ::GetCursorPos(&screen);
        LightLinesUnder(screen);
    }

    PageHost& host_;
    FunctionDialogs ownDialogs_;
    ChoiceDialogs& dialogs_;
    std::array<SkinImage, 3> mouse1_;
    std::array<SkinImage, 3> mouse2_;
    std::array<CBitmapBtn, kRecordCount> labels_;
    CBitmapBtn modeCaption_;
    bool pictureHover_ = false;
    ButtonPageState state_;
    std::unique_ptr<k2q::win::CBmpMenu> menu_;
    k2q::win::Win32KeyboardLayout layout_;
    std::optional<k2q::win::DialogKeyFilter> keys_;
};

CButtonPage::CButtonPage(PageHost& host) : window_(std::make_unique<PageWindow>(host, nullptr)) {}
CButtonPage::CButtonPage(PageHost& host, ChoiceDialogs& dialogs)
    : window_(std::make_unique<PageWindow>(host, &dialogs)) {}
CButtonPage::~CButtonPage() = default;

bool CButtonPage::Create(HWND parent) {
    return window_->Open(parent);
}
void CButtonPage::RefreshButtonLabels() {
    window_->RefreshButtonLabels();
}
void CButtonPage::ApplyFunctionChoice(LPARAM choice) {
    window_->ApplyFunctionChoice(choice);
}
void CButtonPage::CloseFunctionMenu() {
    window_->CloseFunctionMenu();
}
bool CButtonPage::HasFunctionMenu() const {
    return window_->HasFunctionMenu();
}
int CButtonPage::CurrentButton() const {
    return window_->state().currentButton;
}
void CButtonPage::SetCurrentButton(int button) {
    window_->state().currentButton = button;
}
HWND CButtonPage::hwnd() const {
    return window_->hwnd();
}

}  // namespace k2q::config::win
