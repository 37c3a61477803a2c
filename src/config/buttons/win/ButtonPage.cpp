#include "config/buttons/win/ButtonPage.h"

#include "common/win/Dialog.h"

namespace k2q::config::win {

class CButtonPage::Window : public k2q::win::Dialog {
public:
    Window(PageHost& host, ChoiceDialogs* dialogs) : host_(host), dialogs_(dialogs) {}

    ButtonPageState state;

protected:
    // Enter and Escape never end a page.
    void OnOK() override {}
    void OnCancel() override {}

private:
    PageHost& host_;
    ChoiceDialogs* dialogs_;
};

CButtonPage::CButtonPage(PageHost& host) : window_(std::make_unique<Window>(host, nullptr)) {}
CButtonPage::CButtonPage(PageHost& host, ChoiceDialogs& dialogs)
    : window_(std::make_unique<Window>(host, &dialogs)) {}
CButtonPage::~CButtonPage() = default;

bool CButtonPage::Create(HWND parent) {
    return window_->CreateModeless(kButtonPageTemplate, parent);
}

void CButtonPage::RefreshButtonLabels() {}
void CButtonPage::ApplyFunctionChoice(LPARAM) {}
void CButtonPage::CloseFunctionMenu() {}
bool CButtonPage::HasFunctionMenu() const { return false; }
int CButtonPage::CurrentButton() const { return window_->state.currentButton; }
void CButtonPage::SetCurrentButton(int button) { window_->state.currentButton = button; }
HWND CButtonPage::hwnd() const { return window_->hwnd(); }

}  // namespace k2q::config::win
