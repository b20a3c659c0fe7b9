// Page 1550, "Unregistering components...": removes the application path and uninstall
// entries. Until that work exists the page moves on at once.
#pragma once

#include "app/WizardPage.h"

class CUnregisterPage : public CWizardPage {
public:
    explicit CUnregisterPage(int nextId) : CWizardPage(1550, nextId) {}

    int RunPage() override { return m_nNextId; }
};
