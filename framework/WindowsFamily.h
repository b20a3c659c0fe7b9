// Which family of Windows runs the program, for the few decisions that differ between them:
// the Windows 95 family has no MoveFileEx (its kernel exports a stub) and no pending-rename
// list; it reads the "rename" section of wininit.ini at start instead. Win32 only.
#pragma once

// True on Windows 95 and its family (GetVersion's high bit), false on Windows NT.
bool IsWindows95Family();

// For tests: Wine carries out every call whatever Windows version a prefix reports, so the
// roads of the other family can only be taken by pretending. kRunning answers from the running
// system. Returns the previous setting.
enum class WindowsFamily { kRunning, kWindows95, kWindowsNT };
WindowsFamily PretendWindowsFamily(WindowsFamily family);
