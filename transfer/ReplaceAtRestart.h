// Replacing a file that is in use: the new copy takes the old one's place at the next start
// of Windows. Win32 only.
#pragma once

#include <string>

// Schedules sourcePath to replace destinationPath at the next start: through MoveFileEx where
// the system offers it, otherwise as a line "destination=source" in section "rename" of
// wininit.ini in the Windows folder (short 8.3 forms: Windows 95 reads that file before long
// names are available). Always true; throws CFileException when wininit.ini cannot be
// rewritten.
bool ReplaceAtRestart(const std::string& sourcePath, const std::string& destinationPath);

// The delayed move, replaceable so that tests can take the wininit.ini road. The default is
// MoveFileExA.
using DelayedMoveFunction = int (*)(const char* source, const char* destination, unsigned flags);
DelayedMoveFunction SetDelayedMoveFunction(DelayedMoveFunction function);

// The short form of an existing path, or the path itself when there is none.
std::string ShortFormOf(const std::string& path);
