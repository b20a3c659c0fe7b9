// Page 104, "Select Directory": where the product is installed. It proposes a folder on the
// first fixed disk named after destination 0, refuses CD-ROM drives, drive roots and paths
// without a drive, creates the folder with its parents, then makes it destination 0,
// resolves every destination and selects the typical file groups. Win32 only.
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"

#include <string>

class CDestinationPage : public CWizardPage {
public:
    explicit CDestinationPage(int nextId) : CWizardPage(kDestinationPageId, nextId) {}

    // Next. Throws CInstallProfileException when the destinations do not resolve (the page
    // stays; destination 0 has been set).
    void OnOK() override;

    std::string m_strLocation; // the Location box (1001)

protected:
    // The proposal is made once, when the window is created; coming back keeps the text.
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    void OnBrowse();
};

// "C:\<name>\" on the first fixed disk (C when there is none).
std::string ProposeInstallFolder(const std::string& destinationName);

// Message string of a location that cannot be the install folder, or 0 when it can (the
// folder exists or was created with its parents).
int CheckInstallFolder(const std::string& location);
