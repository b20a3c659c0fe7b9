// The removal helper "_kstinst.exe": started by setup after a successful uninstall as
//     _kstinst.exe /U /PP:<short path of the setup program>
// it finishes what setup cannot do for itself. It waits (bounded) until the setup program
// has ended, deletes it, and then removes the install folder when that is empty. It deletes
// nothing else, and it deletes the setup program only when the program lies in the install
// folder recorded in the install log (so a setup program run from the diskettes or a network
// share stays). Win32 only; nothing here throws except std::bad_alloc.
#pragma once

#include <windows.h>

#include <string>

enum HelperResult {
    kHelperDone = 0,     // the setup program is gone (the folder too when it was empty)
    kHelperRefused = 1,  // not a setup program in the logged install folder: nothing deleted
    kHelperUsage = 2,    // no "/U" or no "/PP:" value
    kHelperTimedOut = 3, // the setup program could not be deleted in time: nothing deleted
};

struct HelperSettings {
    std::string strLogPath;          // the install log; empty: "shift.log" in the Windows dir
    DWORD nWaitMilliseconds = 60000; // how long the setup program may take to end
    DWORD nPollMilliseconds = 200;
};

// Does the helper's work for the text of its command line (without the program name).
HelperResult RunRemovalHelper(const std::string& commandLine, const HelperSettings& settings);

// The install folder (destination 0) recorded in the install log; empty when none.
std::string LoggedInstallFolder(const std::string& logPath);
