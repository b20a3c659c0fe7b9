// Page 1545, "Removing Corvatek Shiftwell": the first page of an uninstall. Cancel leads to
// the failed page at once, without asking.
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"

class CUninstallWelcomePage : public CWizardPage {
public:
    explicit CUninstallWelcomePage(int nextId) : CWizardPage(kUninstallWelcomePageId, nextId) {}

    bool ConfirmCancel() override { return true; }
};
