#include "uninstall/RemoveFilesPage.h"

#include "app/DialogUtil.h"
#include "app/PageIds.h"
#include "app/SetupApp.h"
#include "app/Wizard.h"
#include "profile/Destination.h"
#include "profile/FileGroup.h"
#include "system/ComponentRegistration.h"
#include "system/ProgramItems.h"
#include "system/RegisterIniCleanup.h"

namespace {

// Keeps the page's Next and Back out of reach while the work runs.
class CWorkingScope {
public:
    CWorkingScope(CRemoveFilesPage& page, bool& working) : m_page(page), m_working(working) {
        m_working = true;
        m_page.EnableNext(false);
        m_page.EnableBack(false);
    }
    ~CWorkingScope() { m_working = false; }

private:
    CRemoveFilesPage& m_page;
    bool& m_working;
};

} // namespace

int CRemoveFilesPage::RemoveInstallation() {
    CSetupApp& app = GetSetupApp();
    CWorkingScope scope(*this, m_bWorking);
    const CSetupPath installDir(app.m_pDestinations->GetPath(kDestInstall));

    // "REGISTER.INI" and "Register.ini" are read while the files are still there.
    RegisterComponents(installDir, app.m_strGroupName, false);
    RemoveDataFiles(*app.m_pDestinations);
    DeleteListedRegistryKeys();

    CInstallationRemover remover(*app.m_pDestinations, this);
    for (const auto& group : app.m_pGroups->m_records) {
        if (!remover.RemoveLoggedFiles(*group.second, *app.m_pLogPath))
            break;
    }
    if (!remover.IsStopped()) {
        RemoveProgramItems(*app.m_pItems, app.m_strGroupName, PumpMessages);
        // "SETUP.INI", like "Register.ini" and the log, is in no file list and stays, and with
        // it the install folder.
        remover.RemoveEmptyFolders();
    }
    return app.m_bSucceeded ? m_nNextId : kFailedPageId;
}

bool CRemoveFilesPage::OnRemovingFile(const CSetupPath& path) {
    PumpMessages();
    SetDlgItemText(kRemovingFileControlId, path.GetText());
    if (m_bCancelRequested) {
        m_bCancelRequested = false;
        if (ConfirmCancel()) {
            // A stop the user chose, as on every other page: the cancelled exit code.
            GetSetupApp().m_bCancelled = 1;
            MarkFailed();
        }
    }
    // Also stops when the run failed elsewhere, for example by closing the background window.
    return GetSetupApp().m_bSucceeded != 0;
}

void CRemoveFilesPage::OnOK() {
    if (!m_bWorking)
        CWizardPage::OnOK();
}

void CRemoveFilesPage::OnCancel() {
    if (m_bWorking)
        m_bCancelRequested = true;
    else
        CWizardPage::OnCancel();
}

bool CRemoveFilesPage::OnCommand(UINT id, UINT code, HWND control) {
    if (m_bWorking && (id == kBackButtonId || id == kNextButtonId))
        return true;
    return CWizardPage::OnCommand(id, code, control);
}
