// Operations whose real work lives in parts of the program that are not written yet. Each
// stub does the least that keeps a run coherent; whoever writes the real operation deletes
// its stub here.
#include "app/SetupApp.h"
#include "app/Wizard.h"
#include "transfer/SetupPath.h"

// The uninstall driver: the install log becomes the profile; the wizard starts at 1545.
void CSetupApp::StartUninstall() {
    *m_pProfilePath = *m_pLogPath;
    GoToPage(1545, kForward);
}

// The uninstall driver: starting the removal helper. Not started yet.
void CSetupApp::LaunchUninstallHelper() {}
