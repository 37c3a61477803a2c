#include "config/macro/win/DlgMacro.h"

#include <algorithm>

#include "common/Messages.h"
#include "common/localization/UiStrings.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/Caption.h"
#include "common/win/Text.h"
#include "common/win/Win32Registry.h"
#include "config/keycapture/KeyNames.h"
#include "config/keycapture/win/HookLibrary.h"
#include "config/macro/win/MacroEditorIds.h"

namespace k2q::config::win {
namespace {

namespace layout = skin::macro;
using k2q::win::CaptionAlign;
using k2q::win::CaptionRectOf;

constexpr COLORREF kListBackground = RGB(0, 0, 0);
constexpr COLORREF kListSelection = RGB(20, 20, 20);
constexpr COLORREF kListText = RGB(56, 69, 89);
constexpr COLORREF kListSelectedText = RGB(235, 141, 36);
constexpr COLORREF kFieldText = RGB(235, 141, 36);
constexpr COLORREF kFieldBackground = RGB(0, 0, 0);
constexpr int kListItemHeight = 16;
constexpr int kLoopCountDigits = 3;
constexpr int kDelayDigits = 7;
constexpr float kCaptionPoints = 8.0f;

std::wstring Text(UiKey key) {
    return k2q::win::ToWide(UiText(key));
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsFilteredKey(const MSG& m) {
    const bool key = m.message == WM_KEYDOWN || m.message == WM_KEYUP;
    return key && (m.wParam == VK_RETURN || m.wParam == VK_ESCAPE || m.wParam == VK_SPACE);
}

}  // namespace

// Key delivery through KbSnare.dll, as long as the window holds the library.
class CDlgMacro::Delivery : public KeyDelivery {
  public:
    explicit Delivery(const std::unique_ptr<HookLibrary>& hook) : hook_(hook) {}
    bool CanDeliver() const override { return hook_ && hook_->canSwitch(); }
    void SetDelivery(bool on) override {
        if (hook_) {
            hook_->SetStatus(on);
        }
    }

  private:
    const std::unique_ptr<HookLibrary>& hook_;
};

CDlgMacro::CDlgMacro(MacroSetting& macros, ButtonSetting& buttons, int initialMacro, int button,
                     Options options)
    : macros_(macros),
      buttons_(buttons),
      initialMacro_(initialMacro),
      button_(button),
      options_(std::move(options)),
      fieldBrush_(::CreateSolidBrush(kFieldBackground)) {
    if (!options_.store) {
        ownStore_ = std::make_unique<k2q::win::Win32Registry>();
        options_.store = ownStore_.get();
    }
}

CDlgMacro::~CDlgMacro() = default;

INT_PTR CDlgMacro::DoModal(HWND parent) {
    return Dialog::DoModal(IDD_MACRO_EDITOR, parent);
}

BOOL CDlgMacro::OnInitDialog() {
    ::SetWindowTextW(hwnd(), L"CDlgMacro");
    LoadSkin(layout::kArea, layout::kNormalFile, layout::kOverFile, layout::kDownFile);
    SetPaintMode(k2q::win::SkinPaint::Direct);
    CentreInWorkArea();

    using skin::Checked;
    AddButton(ok_, IDOK, layout::kOk, Text(UiKey::tc_ok));
    AddButton(cancel_, IDCANCEL, layout::kCancel, Text(UiKey::tc_cancel));
    AddButton(close_, IDC_MACRO_CLOSE, layout::kClose);
    AddButton(new_, IDC_MACRO_NEW, layout::kNewMacro, Text(UiKey::tc_macro_new));
    AddButton(delete_, IDC_MACRO_DELETE, layout::kDeleteMacro, Text(UiKey::tc_macro_del));
    AddButton(record_, IDC_MACRO_RECORD, layout::kRecord, Text(UiKey::tc_macro_start),
              Checked::Down);
    AddButton(loopBox_, IDC_MACRO_LOOP_BOX, layout::kLoopBox, {}, Checked::Down);
    loopBox_.SetCaption(Text(UiKey::tc_macro_loop), 8, 0, 1);
    AddButton(delayBox_, IDC_MACRO_DELAY_BOX, layout::kDelayBox, {}, Checked::Down);
    delayBox_.SetCaption(Text(UiKey::tc_macro_delay), -3, 0, 1);
    AddButton(modifyDelay_, IDC_MACRO_MODIFY_DELAY, layout::kModifyDelay,
              Text(UiKey::tc_modifydelay), Checked::Down);
    AddButton(leftButton_, IDC_MACRO_LEFT_BUTTON, layout::kLeftButton, {}, Checked::Down);
    AddButton(middleButton_, IDC_MACRO_MIDDLE_BUTTON, layout::kMiddleButton, {}, Checked::Down);
    AddButton(rightButton_, IDC_MACRO_RIGHT_BUTTON, layout::kRightButton, {}, Checked::Down);
    for (k2q::win::CBitmapBtn* picture : {&leftButton_, &middleButton_, &rightButton_}) {
        picture->SetNotify(true);
    }
    PlaceControls();

    hook_ = options_.hookFolder.empty() ? std::make_unique<HookLibrary>()
                                        : std::make_unique<HookLibrary>(options_.hookFolder);
    hook_->Install(hwnd());
    hook_->SetStatus(false);  // nothing arrives until a recording starts
    delivery_ = std::make_unique<Delivery>(hook_);
    editor_ = std::make_unique<MacroEditor>(
        macros_, buttons_, button_, initialMacro_, UiText(UiKey::tc_new_macro),
        [this](std::uint8_t code) { return KeyName(code, layout_, KeyNameSet::Macro); },
        *delivery_);
    Sync();

    keyFilter_.reset(
        ::SetWindowsHookExW(WH_MSGFILTER, &CDlgMacro::FilterKeys, nullptr, ::GetCurrentThreadId()));
    ::SetFocus(macroList_.hwnd());
    return FALSE;
}

void CDlgMacro::PlaceControls() {
    const auto place = [this](int id, const skin::Rect& r) {
        HWND control = ::GetDlgItem(hwnd(), id);
        ::SetWindowPos(control, nullptr, r.left, r.top, r.Width(), r.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        return control;
    };
    ::SendMessageW(place(IDC_MACRO_LOOP_COUNT, layout::kLoopCount), EM_LIMITTEXT, kLoopCountDigits,
                   0);
    ::SendMessageW(place(IDC_MACRO_DELAY, layout::kDelayField), EM_LIMITTEXT, kDelayDigits, 0);

    macroList_.Attach(place(IDC_MACRO_LIST, layout::kMacroList));
    eventList_.Attach(place(IDC_MACRO_EVENTS, layout::kEventList));
    for (CListBoxEx* list : {&macroList_, &eventList_}) {
        list->SetItemHeight(kListItemHeight);
        list->SetColours(kListText, kListSelectedText, kListSelection);
        list->SetBackground(kListBackground);
    }
    macroList_.SetRenaming(true);
}

void CDlgMacro::Sync() {
    if (!editor_ || syncing_) {
        return;
    }
    // Texts set here are the editor's own: their change notifications are not the user's.
    syncing_ = true;
    SyncMacroList();
    SyncEventList();
    const bool recording = editor_->recording();
    record_.SetChecked(recording);
    if (recording != shownRecording_) {
        record_.SetCaption(Text(recording ? UiKey::tc_macro_end : UiKey::tc_macro_start), 0, 0, 1);
        shownRecording_ = recording;
    }
    delayBox_.SetChecked(editor_->delayBoxChecked());
    loopBox_.SetChecked(editor_->loopBoxChecked());
    SyncField(IDC_MACRO_LOOP_COUNT, editor_->loopFieldText(), shownLoopField_);
    ::EnableWindow(::GetDlgItem(hwnd(), IDC_MACRO_LOOP_COUNT), editor_->loopFieldEnabled());
    SyncField(IDC_MACRO_DELAY, editor_->delayFieldText(), shownDelayField_);
    syncing_ = false;
}

void CDlgMacro::SyncMacroList() {
    const std::vector<std::u16string> names = editor_->MacroNames();
    HWND list = macroList_.hwnd();
    const std::size_t kept = std::min(names.size(), shownNames_.size());
    for (std::size_t i = 0; i < kept; ++i) {
        if (names[i] != shownNames_[i]) {
            const std::wstring name = k2q::win::ToWide(names[i]);
            ::SendMessageW(list, LB_DELETESTRING, i, 0);
            ::SendMessageW(list, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(name.c_str()));
        }
    }
    for (std::size_t i = names.size(); i < shownNames_.size(); ++i) {
        ::SendMessageW(list, LB_DELETESTRING, names.size(), 0);
    }
    for (std::size_t i = shownNames_.size(); i < names.size(); ++i) {
        macroList_.AddListItem(k2q::win::ToWide(names[i]), kItemPlain);
    }
    shownNames_ = names;
    const int selected = editor_->selectedMacro();
    if (macroList_.Selection() != selected) {
        ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    }
}

void CDlgMacro::SyncEventList() {
    const std::vector<EventItem>& items = editor_->items();
    // While recording, items only ever follow the ones shown: they are appended.
    const bool appended = items.size() >= shownItems_.size() &&
                          std::equal(shownItems_.begin(), shownItems_.end(), items.begin());
    if (!appended) {
        ::SendMessageW(eventList_.hwnd(), LB_RESETCONTENT, 0, 0);
        shownItems_.clear();
    }
    const bool changed = !appended || items.size() != shownItems_.size();
    for (std::size_t i = shownItems_.size(); i < items.size(); ++i) {
        eventList_.AddListItem(k2q::win::ToWide(items[i].text), static_cast<int>(items[i].kind));
    }
    shownItems_ = items;
    const int selected = editor_->selectedItem();
    if (changed || selected != shownItem_) {
        ::SendMessageW(eventList_.hwnd(), LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        shownItem_ = selected;
    }
}

void CDlgMacro::SyncField(int id, const std::u16string& text, std::u16string& shown) {
    if (text != shown) {
        shown = text;
        ::SetDlgItemTextW(hwnd(), id, k2q::win::ToWide(text).c_str());
    }
}

void CDlgMacro::OnOK() {
    if (editor_) {
        selectedMacro_ = editor_->Confirm(macros_, buttons_, *options_.store);
    }
    EndDialog(IDOK);
}

void CDlgMacro::OnCancel() {
    if (editor_) {
        editor_->Cancel();
    }
    EndDialog(IDCANCEL);
}

void CDlgMacro::OnCommand(UINT id, UINT code, HWND control) {
    // Notifications of what Sync itself does are not the user's.
    if (!editor_ || syncing_) {
        Default();
        return;
    }
    switch (id) {
        case IDC_MACRO_CLOSE:
            OnCancel();
            return;
        case IDC_MACRO_NEW:
            editor_->NewMacro();
            break;
        case IDC_MACRO_DELETE:
            if (editor_->DeleteSelected() == DeleteOutcome::RefusedInUse) {
                Sync();
                ::MessageBoxW(hwnd(), Text(UiKey::tc_macro_msg3).c_str(),
                              Text(UiKey::tc_title).c_str(), MB_OK | MB_ICONEXCLAMATION);
            }
            break;
        case IDC_MACRO_RECORD:
            editor_->ToggleRecording();
            break;
        case IDC_MACRO_LOOP_BOX:
            editor_->ClickLoopBox();
            break;
        case IDC_MACRO_DELAY_BOX:
            editor_->ClickDelayBox();
            break;
        case IDC_MACRO_MODIFY_DELAY:
            editor_->ModifyDelay(eventList_.Selection());
            break;
        case IDC_MACRO_LOOP_COUNT:
        case IDC_MACRO_DELAY:
            // What the user typed is already on screen: nothing to show back.
            if (code == EN_SETFOCUS || code == EN_KILLFOCUS) {
                editor_->FieldFocusChanged(code == EN_SETFOCUS);
            } else if (code == EN_CHANGE) {
                const std::u16string text = k2q::win::ToU16(WindowText(control));
                if (id == IDC_MACRO_LOOP_COUNT) {
                    shownLoopField_ = text;
                    editor_->LoopFieldChanged(text);
                } else {
                    shownDelayField_ = text;
                    editor_->DelayFieldChanged(text);
                }
            }
            return;
        default:
            Default();
            return;
    }
    Sync();
}

void CDlgMacro::OnDestroy() {
    keyFilter_.reset();
    hook_.reset();  // delivery off, hook removed, library released
    Default();
}

LRESULT CDlgMacro::FieldColours(HDC dc) {
    ::SetTextColor(dc, kFieldText);
    ::SetBkColor(dc, kFieldBackground);
    return reinterpret_cast<LRESULT>(fieldBrush_.get());
}

LRESULT CDlgMacro::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_HOOK_KEY:
            if (editor_) {
                editor_->OnKeyNotification(static_cast<std::uint32_t>(wParam),
                                           static_cast<std::uint32_t>(lParam), ::GetTickCount());
                Sync();
            }
            return 0;
        case WM_BITMAPBTN_MOUSE: {
            const HWND button = reinterpret_cast<HWND>(lParam);
            const std::pair<const k2q::win::CBitmapBtn*, MousePicture> pictures[] = {
                {&leftButton_, MousePicture::Left},
                {&middleButton_, MousePicture::Middle},
                {&rightButton_, MousePicture::Right}};
            for (const auto& [picture, which] : pictures) {
                if (editor_ && editor_->recording() && picture->hwnd() == button) {
                    // Through the same road as a key, so the same repeat rule applies.
                    const KeyNotification n = PictureNotification(which, wParam == WM_LBUTTONDOWN);
                    ::PostMessageW(hwnd(), WM_HOOK_KEY, n.code, n.flags);
                    return 0;
                }
            }
            break;
        }
        case WM_LISTBOXEX_EDITED:
            if (editor_ && wParam == IDC_MACRO_LIST) {
                const int index = static_cast<int>(lParam);
                editor_->Rename(index, k2q::win::ToU16(macroList_.ItemText(index)));
                Sync();
            }
            return 0;
        case WM_LISTBOXEX_SELCHANGED:
            if (editor_ && wParam == IDC_MACRO_LIST) {
                editor_->SelectMacro(macroList_.Selection());
                Sync();
            }
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            const HWND control = reinterpret_cast<HWND>(lParam);
            if (control == ::GetDlgItem(hwnd(), IDC_MACRO_LOOP_COUNT) ||
                control == ::GetDlgItem(hwnd(), IDC_MACRO_DELAY)) {
                return FieldColours(reinterpret_cast<HDC>(wParam));
            }
            break;
        }
        default:
            break;
    }
    return k2q::win::SkinnedDialog::WndProc(msg, wParam, lParam);
}

void CDlgMacro::PaintOverSkin(HDC dc) {
    const std::uint32_t colour = skin::kMacroText.normal;
    k2q::win::DrawCaption(dc, Text(UiKey::tc_macro_panel), kCaptionPoints, CaptionAlign::Near,
                          colour, CaptionRectOf(layout::kPanelCaption));
    k2q::win::DrawCaption(dc, Text(UiKey::tc_macro_list), kCaptionPoints, CaptionAlign::Near,
                          colour, CaptionRectOf(layout::kListCaption));
    k2q::win::DrawCaption(dc, Text(UiKey::tc_macro_editor), kCaptionPoints, CaptionAlign::Near,
                          colour, CaptionRectOf(layout::kEditorCaption));
    k2q::win::DrawCaption(dc, Text(UiKey::tc_delaytime), kCaptionPoints, CaptionAlign::Far, colour,
                          CaptionRectOf(layout::kDelayCaption));
}

LRESULT CALLBACK CDlgMacro::FilterKeys(int code, WPARAM wParam, LPARAM lParam) noexcept {
    // Runs inside the modal loop before the dialog manager sees a message. Enter, Esc and Space
    // would press a button or end the dialog: the editor never handles them itself. An open
    // name edit still gets them, to commit, cancel or type a space.
    if (code == MSGF_DIALOGBOX) {
        const auto* m = reinterpret_cast<const MSG*>(lParam);
        const bool ours = dynamic_cast<CDlgMacro*>(k2q::win::Window::FromHandle(
                              ::GetAncestor(m->hwnd, GA_ROOT))) != nullptr;
        if (ours && IsFilteredKey(*m)) {
            const CListBoxEx* list = CListBoxEx::Editing();
            if (list && list->editWindow()) {
                MSG toEdit = *m;
                toEdit.hwnd = list->editWindow();
                ::TranslateMessage(&toEdit);
                ::DispatchMessageW(&toEdit);
            }
            return TRUE;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace k2q::config::win
