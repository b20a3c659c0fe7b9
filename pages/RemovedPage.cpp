#include "pages/RemovedPage.h"

bool CRemovedPage::OnInitDialog() {
    bool result = CWizardPage::OnInitDialog();
    EnableBack(false);
    EnableCancel(false);
    SetNextToFinish();
    return result;
}
