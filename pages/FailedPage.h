// Page 116: the installation failed or was cancelled. "&OK" (and Esc) end setup.
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"

class CFailedPage : public CWizardPage {
public:
    explicit CFailedPage(int nextId) : CWizardPage(kFailedPageId, nextId) { m_nButtonBarId = 0; }
};
