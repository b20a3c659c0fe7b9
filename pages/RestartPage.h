// Page 1558: the installation is complete and Windows must restart. "&Restart" asks Windows
// to restart (the page stays when it refuses); "&Don't Restart" and Esc end setup.
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"

class CRestartPage : public CWizardPage {
public:
    explicit CRestartPage(int nextId) : CWizardPage(kRestartPageId, nextId) { m_nButtonBarId = 0; }

protected:
    bool OnCommand(UINT id, UINT code, HWND control) override;
};
