#include "pages/DestinationPage.h"

#include "app/SetupApp.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/MessageBox.h"
#include "pages/FolderDialog.h"
#include "profile/Destination.h"
#include "res/StringIds.h"
#include "transfer/SetupPath.h"

namespace {

constexpr int kLocationId = 1001;
constexpr UINT kBrowseId = 4;
constexpr int kTypicalSetup = 2;

} // namespace

std::string ProposeInstallFolder(const std::string& destinationName) {
    CDriveIterator drives;
    std::string letter = drives.FindFirstFixed() ? drives.Letter() : "C";
    CSetupPath path;
    path.SetDrive(letter);
    path.SetDirectory(destinationName);
    return path.GetFolder();
}

int CheckInstallFolder(const std::string& location) {
    CSetupPath path;
    path.SetFolder(location);
    if (path.IsCdRomDrive())
        return IDS_NO_CDROM_INSTALL;
    if (path.GetDirectory() == "\\")
        return IDS_NO_ROOT_INSTALL;
    // A folder without a drive would be taken relative to whatever the current directory
    // happens to be: the files would land somewhere no one chose.
    if (path.GetDrive().empty())
        return IDS_CANNOT_CREATE_DIRECTORY;
    if (!path.HasEntries() && !path.CreateFolder(true))
        return IDS_CANNOT_CREATE_DIRECTORY;
    return 0;
}

bool CDestinationPage::OnInitDialog() {
    bool result = CWizardPage::OnInitDialog();
    m_strLocation = ProposeInstallFolder(GetSetupApp().m_pDestinations->GetName(kDestInstall));
    UpdateData(false);
    return result;
}

void CDestinationPage::DoDataExchange(CDataExchange& dx) {
    DDX_Text(dx, kLocationId, m_strLocation);
}

bool CDestinationPage::OnCommand(UINT id, UINT code, HWND control) {
    if (id == kBrowseId) {
        OnBrowse();
        return true;
    }
    return CWizardPage::OnCommand(id, code, control);
}

void CDestinationPage::OnBrowse() {
    UpdateData(true);
    BrowseForFolder(m_strLocation, true, this);
    UpdateData(false);
    if (HWND browse = GetDlgItem(kBrowseId))
        ::SetFocus(browse);
}

void CDestinationPage::OnOK() {
    UpdateData(true);
    if (int message = CheckInstallFolder(m_strLocation)) {
        AppMessageBox(message);
        return;
    }
    CSetupPath path;
    path.SetFolder(m_strLocation);
    CSetupApp& app = GetSetupApp();
    app.m_pDestinations->SetPath(kDestInstall, path.GetText());
    app.m_pDestinations->ResolveAll();
    GoNext();
    app.SelectGroupsForType(kTypicalSetup);
}
