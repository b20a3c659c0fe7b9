// Page 1547: the product has been removed. Only "&Finish" is enabled; it ends setup.
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"

class CRemovedPage : public CWizardPage {
public:
    explicit CRemovedPage(int nextId) : CWizardPage(kRemovedPageId, nextId) {}

protected:
    bool OnInitDialog() override;
};
