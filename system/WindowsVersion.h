// The two Windows version tests the system integration relies on. Win32 only; never throw.
#pragma once

// True on the Windows NT platform (platform id VER_PLATFORM_WIN32_NT), false on Windows 95.
bool IsWindowsNT();

// True on the newer shell with the Start menu (major version above 3: Windows 95, NT 4.0 and
// later); false on Windows NT 3.x, where Program Manager holds the program items.
bool IsNewShell();
