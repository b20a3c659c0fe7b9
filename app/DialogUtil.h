// Small utilities that the pages and the dialogs share: the message pump of long work,
// window placement and control helpers. Win32 only; none of them throws.
#pragma once

#include <windows.h>

#include <string>

// Dispatches every message waiting in the thread's queue without waiting. A quit request is
// posted again (same exit code) for the main message loop, and the pump returns at once.
void PumpMessages();

// Moves wnd (keeping its size, without repainting) so that its centre is at a/b of the
// screen's width and c/d of its height, kept on the screen.
void PlaceWindow(HWND wnd, int a, int b, int c, int d);

// Enables or disables control id of wnd; false when the control does not exist.
bool EnableDlgItem(HWND wnd, int id, bool enable);
// The text of control id (empty when it does not exist).
std::string GetDlgItemString(HWND wnd, int id);
// The text of the selected item of list box id (empty when nothing is selected).
std::string GetListBoxSelection(HWND wnd, int id);
// Formats printf-style (cut at 511 characters) and sets the result as the control's text.
void SetDlgItemFormat(HWND wnd, int id, const char* format, ...);
// Sets a control's font (null: the system font) and redraws it.
void SetDlgItemFont(HWND wnd, int id, HFONT font);
