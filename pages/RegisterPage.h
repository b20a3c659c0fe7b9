// Page 1549, "Registering components...": the end of an installation. Its work writes the
// product's App Paths and Uninstall entries, registers the components of REGISTER.INI and
// then chooses the closing page: failed (116), restart (1558) or complete (115).
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"

class CRegisterPage : public CWizardPage {
public:
    explicit CRegisterPage(int nextId) : CWizardPage(kRegisterPageId, nextId) {
        m_nButtonBarId = 0;
    }

    int RunPage() override;
};
