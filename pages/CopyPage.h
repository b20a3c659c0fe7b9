// Page 108: the copy progress page, centred on the screen. Its work is the copy run; until
// that exists the page moves on at once (to the failed page when the run already failed).
#pragma once

#include "app/WizardPage.h"

class CCopyPage : public CWizardPage {
public:
    explicit CCopyPage(int nextId) : CWizardPage(108, nextId) { m_nButtonBarId = 0; }

    void PlacePage() override;
    int RunPage() override;
};
