// Page 114: shown while the setup profile (or, when uninstalling, the install log) is read.
// It is shown only once: after the wizard has left it, it is passed over both ways.
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"

class CReadingPage : public CWizardPage {
public:
    explicit CReadingPage(int nextId) : CWizardPage(kReadingPageId, nextId) { m_nButtonBarId = 0; }

    bool ShouldShow() override { return m_bLeft == 0; }
    // Loads the profile into the application's model; throws CInstallProfileException when
    // it is missing or damaged. Returns the next id.
    int RunPage() override;
};
