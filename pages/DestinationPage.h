// Page 104, "Select Directory": where the product is installed. The page shows its template
// and waits for Next; choosing, checking and creating the directory come with its own work.
#pragma once

#include "app/WizardPage.h"

#include <string>

class CDestinationPage : public CWizardPage {
public:
    explicit CDestinationPage(int nextId) : CWizardPage(104, nextId) {}

    std::string m_strLocation; // the Location box (1001)

protected:
    void DoDataExchange(CDataExchange& dx) override;
};
