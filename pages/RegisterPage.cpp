#include "pages/RegisterPage.h"

#include "app/SetupApp.h"
#include "app/Wizard.h"

int CRegisterPage::RunPage() {
    const CSetupApp& app = GetSetupApp();
    if (!app.m_bSucceeded)
        m_nNextId = kFailedPageId;
    else if (app.m_bRestartNeeded)
        m_nNextId = 1558;
    else
        m_nNextId = 115;
    return m_nNextId;
}
