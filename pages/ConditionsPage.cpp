#include "pages/ConditionsPage.h"

#include "app/PageIds.h"
#include "app/SetupApp.h"
#include "app/Wizard.h"
#include "framework/ui/DataExchange.h"

bool CConditionsPage::OnInitDialog() {
    bool result = CWizardPage::OnInitDialog();
    if (!GetSetupApp().m_bIgnoreConditions)
        m_nNextId = kFailedPageId;
    return result;
}

void CConditionsPage::DoDataExchange(CDataExchange& dx) {
    DDX_Text(dx, 1029, m_strRequirements);
}
