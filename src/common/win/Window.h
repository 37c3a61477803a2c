// The window framework: one object per window, bound to its HWND at WM_NCCREATE (or when a
// control is subclassed), with the common messages unpacked into typed virtual handlers.
// Every handler's default is Default(), the default processing of the message being handled.
//
// Lifetime: the HWND is cleared at WM_NCDESTROY and only then is OnFinalMessage called. The
// destructor of an object whose window is still alive unbinds it first and then destroys it,
// so no virtual handler ever runs on a half-destroyed object.
//
// Owner-draw and control notifications (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM,
// WM_CTLCOLOR*, WM_HSCROLL, WM_VSCROLL) are first offered to the child's own object through
// OnReflected, so a skinned control paints and handles itself.
#pragma once

#include <windows.h>

#include <string>

namespace k2q::win {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }

    struct CreateParams {
        const wchar_t* className = L"K2qWindow";
        const wchar_t* title = L"";
        DWORD style = WS_POPUP;
        DWORD exStyle = 0;
        int x = 0, y = 0, width = 0, height = 0;
        HWND parent = nullptr;
        HMENU menuOrId = nullptr;
        HCURSOR cursor = nullptr;  // class cursor; the arrow when null
        UINT classStyle = 0;
    };
    // Registers the class (once per name and process) and creates the window bound to this.
    bool Create(const CreateParams& params);

    // Binds this object to an existing window (a standard control or a dialog item) by
    // subclassing it; Default() then goes to the control's own procedure.
    bool Attach(HWND hwnd);

    // Destroys the window if it exists.
    void Destroy();

    // The object bound to a window of this framework, or nullptr.
    static Window* FromHandle(HWND hwnd);

protected:
    // Dispatches one message; override to handle messages without a typed handler, and call
    // the base for the rest.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Default processing of the message being dispatched.
    LRESULT Default();
    // Default processing of any message (for handlers that change parameters).
    virtual LRESULT DefaultProcessing(UINT msg, WPARAM wParam, LPARAM lParam);

    virtual LRESULT OnCreate(CREATESTRUCTW* /*cs*/) { return Default(); }
    virtual void OnDestroy() { Default(); }
    virtual void OnClose() { Default(); }
    virtual void OnTimer(UINT_PTR /*id*/) { Default(); }
    virtual void OnCommand(UINT /*id*/, UINT /*code*/, HWND /*control*/) { Default(); }
    virtual LRESULT OnNotify(NMHDR* /*header*/) { return Default(); }
    virtual void OnPaint() { Default(); }
    virtual LRESULT OnEraseBackground(HDC /*dc*/) { return Default(); }
    virtual void OnSize(UINT /*type*/, int /*width*/, int /*height*/) { Default(); }
    virtual void OnMouseMove(UINT /*keys*/, POINT /*pt*/) { Default(); }
    virtual void OnMouseLeave() { Default(); }
    virtual void OnLButtonDown(UINT /*keys*/, POINT /*pt*/) { Default(); }
    virtual void OnLButtonUp(UINT /*keys*/, POINT /*pt*/) { Default(); }
    virtual void OnLButtonDblClk(UINT /*keys*/, POINT /*pt*/) { Default(); }
    virtual void OnRButtonDown(UINT /*keys*/, POINT /*pt*/) { Default(); }
    virtual void OnRButtonUp(UINT /*keys*/, POINT /*pt*/) { Default(); }
    virtual LRESULT OnDrawItem(UINT /*id*/, DRAWITEMSTRUCT* /*dis*/) { return Default(); }
    virtual LRESULT OnMeasureItem(UINT /*id*/, MEASUREITEMSTRUCT* /*mis*/) { return Default(); }

    // A notification of this control that its parent passed on (see the file comment).
    // Return true and set result when handled.
    virtual bool OnReflected(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                             LRESULT& /*result*/) {
        return false;
    }

    // Called after WM_NCDESTROY, when hwnd() is already null; an object that owns itself may
    // delete itself here.
    virtual void OnFinalMessage() {}

    // Binding used by the window and dialog procedures.
    void Bind(HWND hwnd);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR refData);
    bool ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Unbind();

    struct CurrentMessage {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };

    HWND hwnd_ = nullptr;
    bool subclassed_ = false;
    CurrentMessage current_{};
};

}  // namespace k2q::win
