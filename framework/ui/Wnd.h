// CWnd: a C++ object bound to one window, with typed message handlers. Win32 only.
//
// A window created through CreateEx (or a dialog created by CDialog) is bound to its object
// until WM_NCDESTROY; FromHandle finds the object of a bound window. Every message of a bound
// window reaches WindowProc, which calls the typed handlers below; their defaults pass the
// message on to the window's default processing (Default()).
//
// Exceptions: a handler may throw. The framework's window procedure catches everything, so
// nothing unwinds through the system's code, and hands framework exceptions to the
// application's ProcessWndProcException (other exceptions are reported as CException).
//
// Ownership: the object does not own the window by default; a window this object created is
// destroyed by the object's destructor when it still exists. Objects that delete themselves
// when their window goes away override PostNcDestroy.
#pragma once

#include <windows.h>

#include <string>

// The whole text of a window or control, however long; empty for a null window.
std::string GetWindowTextOf(HWND wnd);

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The bound object of a window, or null for windows the framework does not know.
    static CWnd* FromHandle(HWND wnd);

    // Refers to an existing window (a dialog control) without binding or owning it.
    void Attach(HWND wnd) { m_hWnd = wnd; }
    HWND Detach();

    // Creates a window of a class whose procedure is the framework's (see
    // CFrameWnd::RegisterWndClass) or of a system class (then subclassed). False on failure.
    bool CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x,
                  int y, int width, int height, HWND parent, HMENU menuOrId);
    virtual bool DestroyWindow();

    // Thin wrappers.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SetWindowText(const std::string& text) const;
    std::string GetWindowText() const;
    HWND GetDlgItem(int id) const;
    void SetDlgItemText(int id, const std::string& text) const;
    std::string GetDlgItemText(int id) const;
    void ShowWindow(int command) const;
    bool IsWindowVisible() const;
    void EnableWindow(bool enable) const;
    void SetFocus() const;
    void Invalidate(bool erase = true) const;
    void UpdateWindow() const;
    RECT GetWindowRect() const;
    RECT GetClientRect() const;
    void SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) const;
    HWND GetOwner() const;
    // Centres the window over its owner (or over `alternate` when given) when that is visible
    // and not minimised, else over the work area; the result stays inside the work area.
    void CenterWindow(HWND alternate = nullptr) const;

    HWND m_hWnd = nullptr;

protected:
    // The message handler of a bound window. Overrides handle what they need and call the
    // base for the rest.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message now being handled.
    LRESULT Default();
    // What Default() does with a message: the superseded window procedure, or DefWindowProc.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY, when the window is gone and unbound.
    virtual void PostNcDestroy() {}

    // Typed handlers; each default calls Default().
    virtual int OnCreate(CREATESTRUCTA* create);
    virtual void OnDestroy();
    virtual void OnPaint();
    virtual void OnClose();
    virtual void OnActivateApp(bool active, DWORD threadId);
    virtual void OnPaletteChanged(HWND changedBy);
    virtual LRESULT OnQueryNewPalette();
    virtual void OnShowWindow(bool show, UINT status);
    virtual void OnTimer(UINT_PTR timerId);
    // WM_COMMAND; return true when handled (else Default() runs).
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    // WM_CTLCOLOR*; return a brush to use it, null for the default processing.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColorMessage);

    // Binds this object to a window created by someone else (dialogs), putting the
    // framework's procedure in front of the window's own when subclass is true.
    void BindWindow(HWND wnd, bool subclass);
    // Runs WindowProc for one message with the exception barrier.
    static LRESULT Dispatch(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_bCreatedHere = false;

public:
    // The window procedure of the framework's window classes.
    static LRESULT CALLBACK StdWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnNcDestroyed();

    WNDPROC m_pfnSuper = nullptr; // the procedure this object's procedure stands in front of
    MSG m_msgCur{};               // the message being handled, for Default()
};
