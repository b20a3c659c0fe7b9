// The uninstall operations of the application object. This file is compiled into the
// application library (see uninstall/CMakeLists.txt): it defines members of CSetupApp.
#include "app/PageIds.h"
#include "app/SetupApp.h"
#include "app/Wizard.h"
#include "transfer/SetupPath.h"
#include "uninstall/UninstallHelperCommand.h"

#include <windows.h>

void CSetupApp::StartUninstall() {
    // The reading page then loads the install log in place of a setup profile.
    *m_pProfilePath = *m_pLogPath;
    GoToPage(kUninstallWelcomePageId, kForward);
}

void CSetupApp::LaunchUninstallHelper() {
    char module[kMaxPath + 1] = {};
    DWORD n = GetModuleFileNameA(m_hInstance, module, kMaxPath);
    if (n == 0 || n >= kMaxPath)
        return;
    // Setup ends right after; the helper waits for that before deleting the program.
    WinExec(MakeUninstallHelperCommandFor(std::string(module, n)).c_str(), SW_SHOW);
}
