// Page 1537, "Install Conditions": would explain which requirements the computer does not
// meet. This product runs everywhere, so the page is passed over.
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"

#include <string>

class CConditionsPage : public CWizardPage {
public:
    explicit CConditionsPage(int nextId) : CWizardPage(kConditionsPageId, nextId) {}

    // Whether the computer meets the product's requirements: always, for this product.
    virtual bool RequirementsMet() { return true; }
    bool ShouldShow() override { return !RequirementsMet(); }

    std::string m_strRequirements; // shown in control 1029

protected:
    // Unless /I was given, "&Continue" and Next lead to the failed page.
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
};
