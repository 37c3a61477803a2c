#include "config/sensitivity/win/SensitivityPage.h"

#include "common/win/Dialog.h"

namespace k2q::config::win {

class CSensitivityPage::Window : public k2q::win::Dialog {
public:
    explicit Window(PageHost& host) : host_(host) {}

protected:
    // Enter and Escape never end a page.
    void OnOK() override {}
    void OnCancel() override {}

private:
    PageHost& host_;
};

CSensitivityPage::CSensitivityPage(PageHost& host) : window_(std::make_unique<Window>(host)) {}
CSensitivityPage::~CSensitivityPage() = default;

bool CSensitivityPage::Create(HWND parent) {
    return window_->CreateModeless(kSensitivityPageTemplate, parent);
}

void CSensitivityPage::RefreshFromSettings() {}
void CSensitivityPage::WheelTest(int) {}
void CSensitivityPage::TiltTest(WPARAM) {}
HWND CSensitivityPage::hwnd() const { return window_->hwnd(); }

}  // namespace k2q::config::win
