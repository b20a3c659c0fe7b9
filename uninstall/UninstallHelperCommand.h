// The command line that starts the removal helper after a successful uninstall. Win32 only;
// never throws except std::bad_alloc.
#pragma once

#include <string>

// The helper "_kstinst.exe" in the system directory, then " /U /PP:" and the short (8.3)
// form of ownPath with its extension set to "EXE" (the long form when the system has no
// short one). Paths with blanks are quoted.
std::string MakeUninstallHelperCommandFor(const std::string& ownPath);

// The short form of a path, asked for in a buffer of the size the system reports (a short
// path can be longer than the long one); the path itself when it has none.
std::string ShortPathOf(const std::string& path);
