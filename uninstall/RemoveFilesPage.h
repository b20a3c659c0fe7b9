// Page 1546, "Removing File:": the work of an uninstall. In this order it unregisters the
// components of "REGISTER.INI", deletes the data files and registry trees that "Register.ini"
// lists, removes the logged files of every group (system files only lose a shared count),
// the program items and the group, and the folders that became empty. Setup's own
// "SETUP.INI" stays, so the install folder normally stays too. Control 1031 shows the file
// being removed.
//
// While the work runs, Cancel (the page's own button or the bar's) only records a request;
// before the next file the page asks the usual question (string 5). Yes stops the removal
// there: nothing further is removed, the run fails and ends on page 116 (the uninstall entry
// stays, so the removal can be run again). No drops the request and the removal goes on.
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"
#include "uninstall/InstallationRemover.h"

constexpr int kRemovingFileControlId = 1031;

class CRemoveFilesPage : public CWizardPage, public CRemovalProgress {
public:
    explicit CRemoveFilesPage(int nextId) : CWizardPage(kRemoveFilesPageId, nextId) {}

    int RunPage() override { return RemoveInstallation(); }
    // The removal; returns the page to go to: the next id (1550), or 116 after a confirmed
    // Cancel or when the run has failed otherwise (the background window was closed).
    int RemoveInstallation();

    // Pumps messages, shows the path, and asks about a pending Cancel. False stops.
    bool OnRemovingFile(const CSetupPath& path) override;

    void OnOK() override;
    void OnCancel() override;

protected:
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    bool m_bWorking = false;
    bool m_bCancelRequested = false;
};
