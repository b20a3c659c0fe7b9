#include "pages/ReadingPage.h"

#include "app/DialogUtil.h"
#include "app/SetupApp.h"
#include "profile/InstallProfile.h"
#include "transfer/SetupPath.h"

int CReadingPage::RunPage() {
    CSetupApp& app = GetSetupApp();
    CSetupPath profile(*app.m_pProfilePath);
    CInstallModel model{*app.m_pDestinations, *app.m_pGroups, *app.m_pItems, *app.m_pFileLists,
                        *app.m_pDiskettes};
    LoadInstallProfile(profile, model, app.m_bUninstall ? &app.m_strGroupName : nullptr,
                       PumpMessages);
    return m_nNextId;
}
