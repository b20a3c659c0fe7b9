#include "pages/FolderDialog.h"

#include "framework/Format.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/MessageBox.h"
#include "res/StringIds.h"
#include "transfer/SetupPath.h"

namespace {

constexpr int kCurrentFolderId = 1088;
constexpr int kPathId = 1002;
constexpr int kPathDisplayId = 1034;

// The nearest folder of text that exists; when not even the drive exists, the current
// directory.
CSetupPath NearestExistingFolder(const std::string& text) {
    CSetupPath start;
    start.SetFolder(text);
    while (!start.FolderExists()) {
        std::string before = start.GetText();
        start.ToParent();
        if (start.GetText() == before)
            return CSetupPath(kRootCurrentDir);
    }
    return start;
}

} // namespace

CFolderDialog::CFolderDialog(CWnd* parent)
    : CFileDialog(false, nullptr, "jet.jet", OFN_HIDEREADONLY | OFN_SHOWHELP | OFN_ENABLETEMPLATE,
                  "AllFiles (*.*) | *.* ||", parent),
      m_strTitle(LoadResourceString(IDS_CHANGE_FOLDER)) {
    m_ofn.lpTemplateName = MAKEINTRESOURCEA(kFolderDialogTemplate);
    // Without a title the common dialog would call itself "Save As".
    if (!m_strTitle.empty())
        m_ofn.lpstrTitle = m_strTitle.c_str();
}

void CFolderDialog::DoDataExchange(CDataExchange& dx) {
    DDX_Text(dx, kCurrentFolderId, m_strCurrentFolder);
    DDX_Text(dx, kPathId, m_strPath);
    DDX_Text(dx, kPathDisplayId, m_strPathDisplay);
}

bool CFolderDialog::OnInitDialog() {
    // The common dialog has already put its folder into 1088: keep it.
    m_strCurrentFolder = GetDlgItemText(kCurrentFolderId);
    bool result = CFileDialog::OnInitDialog();
    // Wide enough that the common dialog never shortens the folder text it writes there.
    if (HWND folder = GetDlgItem(kCurrentFolderId))
        ::MoveWindow(folder, 0, 150, 800, 20, FALSE);
    if (HWND path = GetDlgItem(kPathId))
        ::ShowWindow(path, m_bEditable ? SW_SHOW : SW_HIDE);
    if (HWND display = GetDlgItem(kPathDisplayId))
        ::ShowWindow(display, m_bEditable ? SW_HIDE : SW_SHOW);
    CenterWindow();
    UpdateData(false);
    m_bInitialised = 1;
    return result;
}

void CFolderDialog::OnLBSelChangedNotify(UINT, UINT, UINT) {
    if (!m_bInitialised)
        return;
    UpdateData(true);
    m_strPath = m_strCurrentFolder;
    m_strPathDisplay = m_strCurrentFolder;
    UpdateData(false);
}

void CFolderDialog::OnOK() {
    UpdateData(true);
    if (m_strPath.empty()) {
        AppMessageBox(IDS_EMPTY_PATH);
        return;
    }
    CFileDialog::OnOK();
}

bool BrowseForFolder(std::string& text, bool editable, CWnd* parent) {
    if (text.empty()) {
        AppMessageBox(IDS_EMPTY_PATH);
        return false;
    }
    CFolderDialog dialog(parent);
    dialog.m_strPath = text;
    dialog.m_strPathDisplay = text;
    dialog.m_bEditable = editable ? 1 : 0;
    const std::string initialDir = NearestExistingFolder(text).GetText();
    dialog.m_ofn.lpstrInitialDir = initialDir.c_str();
    if (dialog.DoModal() != IDOK)
        return false;
    text = dialog.m_strPath;
    return true;
}
