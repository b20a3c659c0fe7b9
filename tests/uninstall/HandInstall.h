// An installation of Corvatek Shiftwell made by the test itself, as the copy engine and the
// registering page would leave it: files in an install folder, its subfolder and the system
// folder, the install log in the Windows folder, "SETUP.INI", the App Paths and Uninstall
// entries, program items, the components of "REGISTER.INI" registered, and traces of the
// product's use ("Register.ini" data files and registry keys). It lets the uninstall be
// tested on its own. Win32, under Wine.
#pragma once

#include <string>

struct HandInstallOptions {
    std::string strInstallDir; // with a trailing backslash; made afresh
    std::string strGroup = "Corvatek Shiftwell";
    std::string strSetupExe;   // SETUP.EXE to put into the install folder
    std::string strHelperExe;  // _kstinst.exe to put into the system folder
    std::string strLibraryDll; // shiftreg.dll (the self-registering sample library)
    int nBulkFiles = 0;        // extra logged files in the subfolder, to make the removal long
};

// Makes the installation; the log path is the Windows folder's "shift.log" (replaced).
void InstallByHand(const HandInstallOptions& options);

std::string InstallLogPath();
