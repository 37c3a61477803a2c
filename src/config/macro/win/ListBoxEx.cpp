#include "config/macro/win/ListBoxEx.h"

#include <utility>
#include <vector>

#include "common/Messages.h"
#include "common/ui/SkinLayout.h"
#include "common/ui/win/SkinImage.h"
#include "common/win/Gdi.h"
#include "common/win/Gdiplus.h"

namespace k2q::config::win {
namespace {

// The one list of the program whose in-place edit is open (user-interface thread only).
CListBoxEx* g_editing = nullptr;

constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_WANTRETURN;
static_assert(kEditStyle == 0x50801080);
constexpr int kEditLimit = 10;
constexpr int kAnsiTextLimit = 4095;

// New names pass through the thread's ANSI code page, so that what is kept is what that page
// can write: other characters come back as its default character.
std::wstring ThroughAnsiCodePage(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int wide = static_cast<int>(text.size());
    int bytes =
        ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    bytes = ::WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), wide, narrow.data(), bytes,
                                  nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(std::min(std::max(bytes, 0), kAnsiTextLimit)));
    if (narrow.empty()) {
        return {};
    }
    const int n = static_cast<int>(narrow.size());
    const int units = ::MultiByteToWideChar(CP_THREAD_ACP, 0, narrow.data(), n, nullptr, 0);
    std::wstring back(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    ::MultiByteToWideChar(CP_THREAD_ACP, 0, narrow.data(), n, back.data(), units);
    return back;
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    k2q::win::UniqueBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush.get());
}

std::u16string_view IconFile(int kind, bool selected) {
    namespace icon = skin::macro_icon;
    switch (kind) {
        case kItemRelease:
            return selected ? icon::kUpSelectedFile : icon::kUpFile;
        case kItemPress:
            return selected ? icon::kPressSelectedFile : icon::kPressFile;
        default:
            return selected ? icon::kDelaySelectedFile : icon::kDelayFile;
    }
}

}  // namespace

CListBoxEx::CListBoxEx()
    : font_(::CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS,
                          L"MS Shell Dlg")),
      textColour_(::GetSysColor(COLOR_WINDOWTEXT)),
      selectedTextColour_(::GetSysColor(COLOR_HIGHLIGHTTEXT)),
      selectionColour_(::GetSysColor(COLOR_HIGHLIGHT)) {}

CListBoxEx::~CListBoxEx() {
    if (g_editing == this) {
        g_editing = nullptr;
    }
}

CListBoxEx* CListBoxEx::Editing() {
    return g_editing;
}

bool CListBoxEx::Create(HWND parent, int id, const RECT& rect) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWVARIABLE |
                        LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    HWND list = ::CreateWindowExW(0, L"LISTBOX", L"", style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    return list && Attach(list);
}

void CListBoxEx::SetColours(COLORREF text, COLORREF selectedText, COLORREF selection) {
    textColour_ = text;
    selectedTextColour_ = selectedText;
    selectionColour_ = selection;
}

void CListBoxEx::SetBackground(COLORREF colour) {
    background_.reset(::CreateSolidBrush(colour));
}

void CListBoxEx::AddListItem(std::wstring_view text, int kind) {
    if (editing()) {
        editingIndex_ = -1;
        CloseEdit();
    }
    const std::wstring item(text);
    const LRESULT index =
        ::SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (index == LB_ERR || index == LB_ERRSPACE) {
        return;
    }
    ::SendMessageW(hwnd(), LB_SETITEMDATA, static_cast<WPARAM>(index), kind);
    ::SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int CListBoxEx::Count() const {
    return static_cast<int>(::SendMessageW(hwnd(), LB_GETCOUNT, 0, 0));
}

int CListBoxEx::Selection() const {
    return static_cast<int>(::SendMessageW(hwnd(), LB_GETCURSEL, 0, 0));
}

std::wstring CListBoxEx::ItemText(int index) const {
    const LRESULT length = ::SendMessageW(hwnd(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = ::SendMessageW(hwnd(), LB_GETTEXT, static_cast<WPARAM>(index),
                                          reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

int CListBoxEx::ItemKind(int index) const {
    return static_cast<int>(::SendMessageW(hwnd(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

HBRUSH CListBoxEx::CurrentBackground() const {
    if (!::IsWindowEnabled(hwnd())) {
        return ::GetSysColorBrush(COLOR_INACTIVEBORDER);
    }
    return background_.get();
}

LRESULT CListBoxEx::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ENABLE: {
            const LRESULT result = Default();
            ::InvalidateRect(hwnd(), nullptr, TRUE);
            return result;
        }
        case WM_DESTROY:
            // Focus moves away while the window goes: that is no commit.
            if (editing()) {
                editingIndex_ = -1;
                CloseEdit();
            }
            return Default();
        default:
            return Window::WndProc(msg, wParam, lParam);
    }
}

bool CListBoxEx::OnReflected(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            result = TRUE;
            return true;
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
                static_cast<UINT>(itemHeight_);
            result = TRUE;
            return true;
        case WM_CTLCOLORLISTBOX:
            if (HBRUSH brush = CurrentBackground()) {
                result = reinterpret_cast<LRESULT>(brush);
                return true;
            }
            return false;
        case WM_COMMAND:
            // The system notifies only changes made by the user, never LB_SETCURSEL.
            if (HIWORD(wParam) == LBN_SELCHANGE) {
                ::PostMessageW(::GetParent(hwnd()), WM_LISTBOXEX_SELCHANGED,
                               static_cast<WPARAM>(::GetDlgCtrlID(hwnd())), 0);
                result = 0;
                return true;
            }
            return false;
        default:
            return false;
    }
}

void CListBoxEx::DrawItem(const DRAWITEMSTRUCT& dis) {
    HDC dc = dis.hDC;
    const RECT& rc = dis.rcItem;
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    // Every action repaints the whole line, so no state leaves the previous one behind.
    if (selected) {
        Fill(dc, rc, selectionColour_);
    } else if (HBRUSH brush = CurrentBackground()) {
        ::FillRect(dc, &rc, brush);
    }
    COLORREF colour = selected ? selectedTextColour_ : textColour_;
    if (dis.itemState & ODS_DISABLED) {
        colour = ::GetSysColor(COLOR_BTNSHADOW);
    }
    if (dis.itemID == static_cast<UINT>(-1)) {
        return;
    }
    const std::wstring text = ItemText(static_cast<int>(dis.itemID));
    const int kind = static_cast<int>(dis.itemData);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    k2q::win::SelectGuard font(dc, font_.get());
    int textX = rc.left + iconWidth_ + 10;
    if (kind == kItemPlain) {
        textX = rc.left + 5;
    } else if (kind == kItemRelease || kind == kItemPress || kind == kItemPause) {
        // Read at every drawing: the lists are short and the files small.
        const k2q::win::SkinImage icon = k2q::win::LoadSkinImage(
            k2q::win::MakeSkinPath(skin::macro_icon::kArea, IconFile(kind, selected)));
        if (!icon.empty()) {
            Gdiplus::Graphics graphics(dc);
            graphics.DrawImage(icon.bitmap(),
                               Gdiplus::Rect(rc.left + 5, rc.top, iconWidth_, iconHeight_));
        }
    }
    ::TextOutW(dc, textX, rc.top, text.c_str(), static_cast<int>(text.size()));
}

void CListBoxEx::OnLButtonDblClk(UINT /*keys*/, POINT pt) {
    Default();
    if (!renaming_ || editing()) {
        return;
    }
    const LRESULT hit = ::SendMessageW(hwnd(), LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    const int index = LOWORD(hit);
    if (HIWORD(hit) != 0 || index >= Count()) {
        return;
    }
    OpenEdit(index);
}

void CListBoxEx::OpenEdit(int index) {
    RECT item{};
    if (::SendMessageW(hwnd(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                       reinterpret_cast<LPARAM>(&item)) == LB_ERR) {
        return;
    }
    ::InvalidateRect(hwnd(), &item, TRUE);
    const std::wstring text = ItemText(index);
    // The list must not paint over its edit.
    ::SetWindowLongPtrW(hwnd(), GWL_STYLE,
                        ::GetWindowLongPtrW(hwnd(), GWL_STYLE) | WS_CLIPCHILDREN);
    HWND edit = ::CreateWindowExW(0, L"EDIT", text.c_str(), kEditStyle, item.left, item.top,
                                  item.right - item.left, item.bottom - item.top, hwnd(), nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (!edit) {
        return;
    }
    if (!edit_.Attach(edit)) {
        ::DestroyWindow(edit);
        return;
    }
    editingIndex_ = index;
    g_editing = this;
    ::SendMessageW(edit, EM_LIMITTEXT, kEditLimit, 0);
    ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    ::SetFocus(edit);
}

void CListBoxEx::CommitEdit() {
    if (!editing() || !edit_.hwnd()) {
        return;
    }
    // Cleared first: destroying the focused edit makes it lose the focus once more.
    const int index = std::exchange(editingIndex_, -1);
    const std::wstring text = ThroughAnsiCodePage(WindowText(edit_.hwnd()));
    ::SendMessageW(hwnd(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    ::SendMessageW(hwnd(), LB_INSERTSTRING, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    CloseEdit();
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    ::PostMessageW(::GetParent(hwnd()), WM_LISTBOXEX_EDITED,
                   static_cast<WPARAM>(::GetDlgCtrlID(hwnd())), index);
}

void CListBoxEx::CancelEdit() {
    if (!editing()) {
        return;
    }
    const int index = std::exchange(editingIndex_, -1);
    ::SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    CloseEdit();
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void CListBoxEx::CloseEdit() {
    if (g_editing == this) {
        g_editing = nullptr;
    }
    edit_.Destroy();
}

LRESULT CListBoxEx::InPlaceEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETDLGCODE:
            // Enter and Esc end the edit, also inside a dialog.
            return Default() | DLGC_WANTALLKEYS;
        case WM_CHAR:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
                return 0;  // handled on release; the edit would only beep
            }
            return Default();
        case WM_KEYUP: {
            // The default processing runs first: the edit may be gone after either call.
            const LRESULT result = Default();
            if (wParam == VK_RETURN) {
                owner_.CommitEdit();
            } else if (wParam == VK_ESCAPE) {
                owner_.CancelEdit();
            }
            return result;
        }
        case WM_KILLFOCUS: {
            const LRESULT result = Default();
            owner_.CommitEdit();
            return result;
        }
        default:
            return Window::WndProc(msg, wParam, lParam);
    }
}

}  // namespace k2q::config::win
