// CWinApp: the application object: start and end hooks, the message loop and the handler
// of exceptions that escape a window procedure. Win32 only.
//
// Exactly one application object exists at a time; its constructor makes it the current one
// (GetApp()). RunApplication is the whole body of WinMain: InitInstance, then the message
// loop while it returned true, then ExitInstance, whose result is the exit code.
#pragma once

#include <windows.h>

#include <string>

class CException;
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

// Modeless dialogs that the message loop gives IsDialogMessage.
void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);
// IsDialogMessage for the modeless dialog that msg belongs to; true when consumed.
bool PreTranslateModelessDialog(MSG& msg);
