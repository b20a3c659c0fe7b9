// Page 1550, "Unregistering components...": after the files are removed, its work removes the
// product's App Paths and Uninstall entries, then the wizard goes on to 1547.
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"

class CUnregisterPage : public CWizardPage {
public:
    explicit CUnregisterPage(int nextId) : CWizardPage(kUnregisterPageId, nextId) {}

    int RunPage() override;
};
