// Page 102, "Welcome": the first page of an installation. Its bar's Back is disabled (the
// page has no back id); Next leads to the reading page.
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"

class CWelcomePage : public CWizardPage {
public:
    explicit CWelcomePage(int nextId) : CWizardPage(kWelcomePageId, nextId) {}
};
