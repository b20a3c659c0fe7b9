// The two Windows version tests the system integration relies on. Win32 only; never throw.
#pragma once

// True on the Windows NT platform, false on the Windows 95 family (IsWindows95Family).
bool IsWindowsNT();

// True on the newer shell with the Start menu (major version above 3: Windows 95, NT 4.0 and
// later); false on Windows NT 3.x, where Program Manager holds the program items.
bool IsNewShell();
