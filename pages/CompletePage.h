// Page 115: the installation is complete. "Finished" (and Esc) end setup.
#pragma once

#include "app/WizardPage.h"

class CCompletePage : public CWizardPage {
public:
    explicit CCompletePage(int nextId) : CWizardPage(115, nextId) { m_nButtonBarId = 0; }
};
