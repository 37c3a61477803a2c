#include "common/ui/win/HyperLink.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "common/win/Gdi.h"
#include "common/win/Text.h"

namespace k2q::win {
namespace {

constexpr UINT_PTR kToolId = 1;
// The hand cursor of the Windows help program, where it still has one.
constexpr WORD kHelpHandCursor = 106;

class Win32HyperlinkShell : public HyperlinkShell {
  public:
    long ShellOpen(std::u16string_view address) override {
        const std::wstring target = ToWide(address);
        const auto result = reinterpret_cast<INT_PTR>(
            ::ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
        return static_cast<long>(result);
    }

    std::optional<std::u16string> ClassesRootDefault(std::u16string_view key) override {
        HKEY opened = nullptr;
        if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, ToWide(key).c_str(), 0, KEY_READ, &opened) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        UniqueKey owned(opened);
        DWORD type = 0;
        DWORD bytes = 0;
        if (::RegQueryValueExW(opened, nullptr, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ)) {
            return std::nullopt;
        }
        // One spare character, so a value stored without its terminator still ends.
        std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD capacity = static_cast<DWORD>((text.size() - 1) * sizeof(wchar_t));
        if (::RegQueryValueExW(opened, nullptr, nullptr, &type,
                               reinterpret_cast<BYTE*>(text.data()), &capacity) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return ToU16(std::wstring_view(text.data()));
    }

    long Run(std::u16string_view commandLine) override {
        const std::wstring wide = ToWide(commandLine);
        const int bytes =
            ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
        if (bytes <= 0) {
            return 0;
        }
        std::vector<char> line(static_cast<std::size_t>(bytes));
        ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, line.data(), bytes, nullptr, nullptr);
        return static_cast<long>(::WinExec(line.data(), SW_SHOWNORMAL));
    }
};

skin::Rect RectInParent(HWND hwnd) {
    RECT r;
    ::GetWindowRect(hwnd, &r);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

CHyperLink::CHyperLink()
    : systemShell_(std::make_unique<Win32HyperlinkShell>()), shell_(systemShell_.get()) {}

CHyperLink::~CHyperLink() = default;

bool CHyperLink::AttachTo(HWND staticControl) {
    if (!Attach(staticControl)) {
        return false;
    }
    // Clicks are reported only with the notify style.
    const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
    ::SetWindowLongPtrW(hwnd(), GWL_STYLE, style | SS_NOTIFY);

    const int length = ::GetWindowTextLengthW(hwnd());
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(hwnd(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    if (url_.empty()) {
        url_ = text;
    }
    if (text.empty()) {
        ::SetWindowTextW(hwnd(), url_.c_str());
    }

    MakeFonts();
    SizeToText();
    LoadHandCursor();
    underline_ = kUnderlineHover;
    ::SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(normalFont_.get()), FALSE);
    CreateTooltip();
    return true;
}

void CHyperLink::MakeFonts() {
    auto font = reinterpret_cast<HFONT>(::SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    if (!font) {
        font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    }
    if (!font) {
        font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    }
    LOGFONTW lf{};
    ::GetObjectW(font, sizeof lf, &lf);
    normalFont_.reset(::CreateFontIndirectW(&lf));
    lf.lfUnderline = TRUE;
    underlinedFont_.reset(::CreateFontIndirectW(&lf));
}

void CHyperLink::LoadHandCursor() {
    wchar_t folder[MAX_PATH] = {};
    const UINT n = ::GetWindowsDirectoryW(folder, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        const std::wstring path = std::wstring(folder) + L"\\winhlp32.exe";
        UniqueModule help(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        if (help) {
            if (HCURSOR hand = ::LoadCursorW(help.get(), MAKEINTRESOURCEW(kHelpHandCursor))) {
                // A copy, so the file can be released at once.
                ownedCursor_.reset(static_cast<HCURSOR>(::CopyImage(hand, IMAGE_CURSOR, 0, 0, 0)));
            }
        }
    }
    // Newer systems have no hand in the help program; theirs is the one users know.
    cursor_ = ownedCursor_ ? ownedCursor_.get() : ::LoadCursorW(nullptr, IDC_HAND);
}

void CHyperLink::CreateTooltip() {
    tooltip_.reset(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                     WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr));
    if (!tooltip_) {
        return;
    }
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the control
    // The tip may stand over a neighbouring link: clicks pass through it.
    tool.uFlags = TTF_TRANSPARENT;
    tool.hwnd = hwnd();
    tool.uId = kToolId;
    ::GetClientRect(hwnd(), &tool.rect);
    tool.lpszText = url_.data();
    ::SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CHyperLink::UpdateTooltipText() {
    if (!tooltip_) {
        return;
    }
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = hwnd();
    tool.uId = kToolId;
    tool.lpszText = url_.data();
    ::SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    ::GetClientRect(hwnd(), &tool.rect);
    ::SendMessageW(tooltip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CHyperLink::SetURL(std::wstring_view address) {
    url_.assign(address);
    if (hwnd()) {
        SizeToText();
        UpdateTooltipText();
    }
}

void CHyperLink::SetColours(COLORREF link, COLORREF visited, COLORREF hover) {
    colours_ = {link, visited, hover};
    Repaint();
}

void CHyperLink::SetUnderline(int mode) {
    if (mode != underline_ && hwnd()) {
        ::SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(normalFont_.get()), FALSE);
        Repaint();
    }
    underline_ = mode;
}

void CHyperLink::SetShell(HyperlinkShell* shell) {
    shell_ = shell ? shell : systemShell_.get();
}

void CHyperLink::SizeToText() {
    if (!autoSize_ || !hwnd()) {
        return;
    }
    const int length = ::GetWindowTextLengthW(hwnd());
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(hwnd(), text.data(), length + 1);
    SIZE extent{};
    {
        WindowDcGuard dc(hwnd());
        SelectGuard select(dc.dc(), underlinedFont_.get());
        ::GetTextExtentPoint32W(dc.dc(), text.c_str(), length, &extent);
    }
    RECT window, client;
    ::GetWindowRect(hwnd(), &window);
    ::GetClientRect(hwnd(), &client);
    const int width = extent.cx + (window.right - window.left) - client.right;
    const int height = extent.cy + (window.bottom - window.top) - client.bottom;

    const LONG_PTR style = ::GetWindowLongPtrW(hwnd(), GWL_STYLE);
    LinkAnchor anchor;
    anchor.centreVertically = (style & SS_CENTERIMAGE) != 0;
    anchor.centreHorizontally = (style & SS_TYPEMASK) == SS_CENTER;
    anchor.keepRight = (style & SS_TYPEMASK) == SS_RIGHT;
    const skin::Rect r = AnchoredRect(RectInParent(hwnd()), width, height, anchor);
    ::SetWindowPos(hwnd(), nullptr, r.left, r.top, r.Width(), r.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHyperLink::Repaint() {
    if (!hwnd()) {
        return;
    }
    // The text has no background of its own: the parent's picture under it is painted again
    // first, so a lighter colour never sits on a darker one.
    HWND parent = ::GetParent(hwnd());
    RECT r;
    ::GetWindowRect(hwnd(), &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    ::RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

LRESULT CHyperLink::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (tooltip_ && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
        MSG relay{hwnd(), msg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
        ::SendMessageW(tooltip_.get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
    }
    if (msg == WM_SETCURSOR && cursor_) {
        ::SetCursor(cursor_);
        return TRUE;
    }
    return Window::WndProc(msg, wParam, lParam);
}

void CHyperLink::OnMouseMove(UINT, POINT) {
    if (!over_) {
        over_ = true;
        if (underline_ == kUnderlineHover) {
            ::SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(underlinedFont_.get()),
                           FALSE);
        }
        Repaint();
        ::SetTimer(hwnd(), kHoverTimer, 100, nullptr);
    }
    Default();
}

void CHyperLink::OnTimer(UINT_PTR id) {
    if (id != kHoverTimer) {
        Default();
        return;
    }
    POINT pointer;
    ::GetCursorPos(&pointer);
    ::ScreenToClient(hwnd(), &pointer);
    RECT client;
    ::GetClientRect(hwnd(), &client);
    if (::PtInRect(&client, pointer)) {
        return;
    }
    over_ = false;
    ::KillTimer(hwnd(), kHoverTimer);
    // The tip hears only the moves over the link, so it is told that the pointer has gone.
    if (tooltip_) {
        ::SendMessageW(tooltip_.get(), TTM_POP, 0, 0);
    }
    ::SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(normalFont_.get()), FALSE);
    Repaint();
}

void CHyperLink::OnDestroy() {
    ::KillTimer(hwnd(), kHoverTimer);
    tooltip_.reset();
    Default();
}

bool CHyperLink::OnReflected(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg == WM_CTLCOLORSTATIC) {
        auto dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, LinkTextColour(over_, visited_, colours_));
        ::SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
        return true;
    }
    if (msg == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        Open();
        result = 0;
        return true;
    }
    return false;
}

void CHyperLink::Open() {
    over_ = false;
    const long result = OpenHyperlink(ToU16(url_), *shell_);
    if (result > 32) {
        visited_ = true;
        Repaint();
        return;
    }
    ::MessageBeep(MB_ICONEXCLAMATION);
    const std::wstring message = ToWide(HyperlinkErrorMessage(result));
    ::MessageBoxW(::GetParent(hwnd()), message.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace k2q::win
