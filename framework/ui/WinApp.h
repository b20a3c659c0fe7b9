// CWinApp: the application object: start and end hooks, the message loop and the handler
// of exceptions that escape a window procedure. Win32 only.
//
// Exactly one application object exists at a time; its constructor makes it the current one
// (GetApp()). RunApplication is the whole body of WinMain: InitInstance, then the message
// loop while it returned true, then ExitInstance, whose result is the exit code.
#pragma once

#include "framework/Exception.h"

#include <windows.h>

#include <new>
#include <string>

class CWnd;

class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // Start hook: false ends the program at once (ExitInstance still runs).
    virtual bool InitInstance() { return true; }
    // End hook: returns the program's exit code (by default the message loop's).
    virtual int ExitInstance() { return m_nExitCode; }
    // Runs the message loop until WM_QUIT; returns the quit code.
    virtual int Run();
    // Gives modeless dialogs their keyboard interface; true when the message was consumed.
    virtual bool PreTranslateMessage(MSG& msg);
    // Called with the exception that a window procedure's handler threw while handling msg
    // (null when no message was being handled); the result becomes the message's result.
    virtual LRESULT ProcessWndProcException(const CException& e, const MSG* msg);

    // Background and text colour of every dialog of the program.
    void SetDialogBkColor(COLORREF background, COLORREF text);

    HINSTANCE m_hInstance = nullptr;
    std::string m_strCmdLine;   // the text after the program name
    CWnd* m_pMainWnd = nullptr; // not owned; its destruction ends the message loop
    int m_nExitCode = 0;
};

CWinApp* GetApp();
// The module that holds the program's resources (dialog templates, strings, icons).
HINSTANCE GetResourceHandle();

// The body of WinMain.
int RunApplication(CWinApp& app, HINSTANCE instance, const char* cmdLine);

// Hands an exception that escaped a handler to the current application's
// ProcessWndProcException (msg may be null); 0 when there is no application.
LRESULT ReportEscapedException(const CException& e, const MSG* msg);

// The exception barrier of every call from the system into the program's handlers: runs f and
// returns its result; an exception it throws goes to ReportEscapedException (std::bad_alloc as
// CMemoryException, anything else as CException), whose result is returned instead. *msg is
// read only when something was thrown.
template <class F> LRESULT CallBehindExceptionBarrier(const MSG* msg, F&& f) {
    try {
        return f();
    } catch (const CException& e) {
        return ReportEscapedException(e, msg);
    } catch (const std::bad_alloc&) {
        return ReportEscapedException(CMemoryException(), msg);
    } catch (...) {
        return ReportEscapedException(CException(), msg);
    }
}

// The top-level window that a window belongs to (itself when it is not a child): its parents
// walked while it is a child, as GetAncestor(GA_ROOT) does where it exists (Windows 98 and
// 2000 on).
HWND RootWindowOf(HWND window);

// Modeless dialogs that the message loop gives IsDialogMessage.
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);
// IsDialogMessage for the modeless dialog that msg belongs to; true when consumed.
bool PreTranslateModelessDialog(MSG& msg);
