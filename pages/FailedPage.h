// Page 116: the installation failed or was cancelled. "&OK" (and Esc) end setup.
#pragma once

#include "app/WizardPage.h"

class CFailedPage : public CWizardPage {
public:
    explicit CFailedPage(int nextId) : CWizardPage(116, nextId) { m_nButtonBarId = 0; }
};
