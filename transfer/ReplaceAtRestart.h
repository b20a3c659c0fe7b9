// Replacing a file that is in use: the new copy takes the old one's place at the next start
// of Windows. Win32 only.
#pragma once

#include <string>

// Schedules sourcePath to replace destinationPath at the next start: on Windows NT through
// MoveFileEx (the pending-rename list), on the Windows 95 family as a line
// "destination=source" in section "rename" of wininit.ini in the Windows folder (short 8.3
// forms: Windows 95 reads that file before long names are available). True once scheduled;
// throws CFileException when it cannot be (NT refuses the delayed move, for one to a user who
// may not write the list, or wininit.ini cannot be rewritten): nothing will replace the file.
bool ReplaceAtRestart(const std::string& sourcePath, const std::string& destinationPath);

// The delayed move on Windows NT, replaceable so that tests can see it refused. The default is
// MoveFileExA.
using DelayedMoveFunction = int (*)(const char* source, const char* destination, unsigned flags);
DelayedMoveFunction SetDelayedMoveFunction(DelayedMoveFunction function);

// The short form of an existing path, or the path itself when there is none.
std::string ShortFormOf(const std::string& path);
