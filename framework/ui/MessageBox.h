// Message boxes of the program: the application title (string 57344) as caption, the
// exclamation icon when the call names no icon, owned by the program's active window.
// Win32 only.
#pragma once

#include <windows.h>

#include <string>

constexpr UINT kAppTitleStringId = 57344;

// Returns the button pressed (IDOK, IDYES, ...).
int AppMessageBox(const std::string& text, UINT type = MB_OK);
// The text is string `stringId` of the string table.
int AppMessageBox(UINT stringId, UINT type = MB_OK);
// The window that dialogs and message boxes without an explicit owner belong to: the
// program's active window, else the main window (null when there is none).
HWND GetDefaultOwner();
