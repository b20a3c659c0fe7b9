// Page 115: the installation is complete. "Finished" (and Esc) end setup.
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"

class CCompletePage : public CWizardPage {
public:
    explicit CCompletePage(int nextId) : CWizardPage(kCompletePageId, nextId) {
        m_nButtonBarId = 0;
    }
};
