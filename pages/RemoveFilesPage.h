// Page 1546: removing the installed files. Its work is the removal; until that exists the
// page moves on at once.
#pragma once

#include "app/WizardPage.h"

class CRemoveFilesPage : public CWizardPage {
public:
    explicit CRemoveFilesPage(int nextId) : CWizardPage(1546, nextId) {}

    int RunPage() override { return m_nNextId; }
};
