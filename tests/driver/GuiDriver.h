// The GUI driver: operates a program's windows from outside, as a person would. It finds
// top-level windows by caption, class, process and control ids, reads texts, clicks
// buttons, presses keys and takes screenshots. Every wait is bounded. Win32 only.
//
// Clicks and keys are posted (never sent), so a handler that opens a modal dialog cannot
// block the driver. Texts are read with bounded SendMessageTimeout calls.
#pragma once

#include "WindowsTestSupport.h"

#include "framework/ui/Handle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace guidriver {

constexpr DWORD kDefaultTimeoutMs = 20000;

struct WindowQuery {
    std::string caption;              // exact window text; empty: any
    std::vector<int> controlIds;      // every id must exist among the window's descendants
    DWORD processId = 0;              // 0: any process
    std::string className = "#32770"; // empty: any class
    bool visibleOnly = true;
};

// The first top-level window that matches, or null.
HWND FindTopWindow(const WindowQuery& query);
// Polls for a matching window until the time-out; null when none appeared.
HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs = kDefaultTimeoutMs);
// True when the window is gone or hidden before the time-out.
bool WaitForWindowGone(HWND wnd, DWORD timeoutMs = kDefaultTimeoutMs);
// Polls until pred() holds; false at the time-out.
template <class Pred> bool WaitUntil(Pred pred, DWORD timeoutMs = kDefaultTimeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (pred())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(50);
    }
}

// Top-level windows of a process (visible ones only when asked).
std::vector<HWND> ListTopWindows(DWORD processId, bool visibleOnly);

// A control with id among the window's descendants (direct children first), or null.
HWND FindControl(HWND root, int id);
std::string GetText(HWND wnd);
std::string GetControlText(HWND root, int id);
// The texts of every static child, joined by newlines (a message box's message).
std::string GetStaticTexts(HWND root);
bool IsControlEnabled(HWND root, int id);
bool IsControlVisible(HWND root, int id);
RECT GetRect(HWND wnd);

// Posts BN_CLICKED of control id to the control's parent; false when there is no control.
bool Click(HWND root, int id);
// Posts a key press (down and up) to wnd.
void PressKey(HWND wnd, UINT virtualKey);
// Posts WM_CLOSE to wnd (the close box).
void Close(HWND wnd);

// Closes every folder window of the shell (it shows a program group when one is made).
// Left open, such windows pile up over a test run and read the folders' files whenever
// they change.
void CloseFolderWindows();

// Opens path with no sharing, as another program using the file would, trying again for a
// while when someone (the shell) has it open for a moment. No handle at the time-out.
CHandle OpenExclusively(const std::string& path, DWORD timeoutMs = kDefaultTimeoutMs);

// Saves the whole screen as a 24-bit BMP file.
bool SaveScreenshot(const std::string& bmpPath);

// A program started by the driver. The destructor ends it if it still runs.
class CProcess {
public:
    CProcess() = default;
    CProcess(const CProcess&) = delete;
    CProcess& operator=(const CProcess&) = delete;
    ~CProcess();

    // Starts exePath with arguments in workingDir (empty: the current directory).
    bool Launch(const std::string& exePath, const std::string& arguments,
                const std::string& workingDir = {});
    // Waits for the end; exitCode receives the full 32-bit code. False at the time-out.
    bool Wait(DWORD timeoutMs, DWORD* exitCode = nullptr);
    bool IsRunning() const;
    void Terminate();
    DWORD Id() const { return m_id; }
    // The process handle (owned by this object), for waiting on it with other objects.
    HANDLE Handle() const { return m_process.Get(); }

private:
    CHandle m_process;
    DWORD m_id = 0;
};

// No window manager runs on the tests' virtual display: makes Wine place and maximise
// windows itself (its X11 driver's "Managed" = "N" in the prefix). Call before the program
// under test starts.
void UseUnmanagedWindows();

} // namespace guidriver
