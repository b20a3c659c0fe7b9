#include "pages/UnregisterPage.h"

#include "app/SetupApp.h"
#include "profile/Destination.h"
#include "system/CommandText.h"
#include "system/RegistryEntries.h"

int CUnregisterPage::RunPage() {
    CSetupApp& app = GetSetupApp();
    const std::string installDir = app.m_pDestinations->GetPath(kDestInstall);
    if (!installDir.empty())
        RemoveAppPath(CSetupPath(AsFolderText(installDir) + app.m_strMainExe));
    RemoveUninstallEntry(app.m_strProductName);
    return m_nNextId;
}
