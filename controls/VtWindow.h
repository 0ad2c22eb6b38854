// VtWindow binds one Win32 window to one object and turns the window's
// messages into virtual handler calls. The object is found from the window
// through the window property "ptr"; messages that arrive before the
// property is set (creation messages) never reach the object.
#pragma once

#include "platform/WinApi.h"

class VtWindow {
public:
    VtWindow() = default;
    // Unbinds the window if it still points here, so that a late message
    // cannot reach a destroyed object.
    virtual ~VtWindow();
    VtWindow(const VtWindow&) = delete;
    VtWindow& operator=(const VtWindow&) = delete;

    virtual BOOL Show(int command);

    // Handlers, one per message. x and y are signed client coordinates;
    // the base results are what the window procedure returns when a class
    // does not override the handler.
    virtual LRESULT OnCreate();
    virtual LRESULT OnLButtonDown(WPARAM keys, int x, int y);
    virtual LRESULT OnLButtonUp(WPARAM keys, int x, int y);
    virtual LRESULT OnLButtonDblClk(WPARAM keys, int x, int y);
    virtual LRESULT OnEraseBackground(HDC dc);
    virtual LRESULT OnMouseMove(WPARAM keys, int x, int y);
    virtual LRESULT OnPaint(const PAINTSTRUCT& paint);
    virtual LRESULT OnSize(UINT sizeType, unsigned width, unsigned height);
    virtual LRESULT OnSizing(UINT edge, RECT* rect);
    virtual LRESULT OnMoving(UINT edge, RECT* rect);
    virtual LRESULT OnTimer(UINT_PTR timerId);
    virtual LRESULT OnSetFocus();
    virtual LRESULT OnKillFocus();
    virtual LRESULT OnEnterSizeMove();
    virtual LRESULT OnExitSizeMove();
    virtual LRESULT OnDrawItem(UINT controlId, DRAWITEMSTRUCT* item);
    virtual LRESULT OnCommand(UINT notifyCode, UINT id, HWND control);
    virtual LRESULT OnNotify(NMHDR* header);
    // Every other message. Its result counts only for the toolkit's own
    // messages, 0x8000 to 0x80C8 (in dialogs as in controls); the system
    // default runs for the rest.
    virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);

    // Dispatches a message of a control window to the handlers; false when
    // the system default should run instead.
    virtual bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

    HWND Hwnd() const { return hwnd_; }
    bool HasFocus() const { return hasFocus_; }
    bool InSizeMove() const { return inSizeMove_; }

    // The object bound to the parent window, or null.
    VtWindow* ParentObject() const;

    BOOL SetPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
    LRESULT Send(UINT message, WPARAM wparam, LPARAM lparam);
    // With `invalidate` set the whole client area is invalidated (without
    // erasing) first; then any pending painting is done at once.
    void Refresh(bool invalidate);
    void Enable();
    void Disable();

    // The object bound to `hwnd`, or null.
    static VtWindow* FromHandle(HWND hwnd);

protected:
    // Binds this object to `hwnd`: sets the "ptr" property and keeps the
    // handle. False when the property cannot be set.
    bool Bind(HWND hwnd);
    // What the dialog procedure and the control window procedure do when
    // the window is destroyed: the object stops receiving messages.
    void Unbind();

private:
    friend LRESULT CALLBACK VtControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend INT_PTR CALLBACK VtDialogProc(HWND, UINT, WPARAM, LPARAM);

    // The handler dispatch that the dialog procedure shares.
    LRESULT DispatchDialogMessage(UINT message, WPARAM wparam, LPARAM lparam);

    HWND hwnd_ = nullptr;
    bool hasFocus_ = false;
    bool inSizeMove_ = false;
};

// The window procedure of every toolkit control class.
LRESULT CALLBACK VtControlWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// The dialog procedure of every VtDialog; the dialog object comes as the
// creation parameter of WM_INITDIALOG.
INT_PTR CALLBACK VtDialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// The first and last message of the range the toolkit uses for its own
// messages; their OnMessage result is the window procedure's result.
inline constexpr UINT kFirstToolkitMessage = 0x8000;
inline constexpr UINT kLastToolkitMessage = 0x80C8;
