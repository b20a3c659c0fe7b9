#include "transfer/InsertDisketteDialog.h"

#include "framework/Format.h"
#include "framework/ui/DataExchange.h"
#include "res/StringIds.h"

namespace {

constexpr int kRequestLineId = 1026;
constexpr int kFolderEditId = 1001;
constexpr int kExplanationId = 1033;
constexpr int kBrowseButtonId = 3;

} // namespace

CInsertDisketteDialog::CInsertDisketteDialog(CWnd* parent, const CSetupPath& missingPath,
                                             int disketteNumber, const std::string& label,
                                             const std::string& sourceDrive, BrowseFunction browse)
    : CExpandingDialog(kInsertDisketteTemplate, parent), m_nDiskette(disketteNumber),
      m_missing(missingPath), m_strLabel(label), m_strDrive(sourceDrive),
      m_browse(std::move(browse)) {}

std::string CInsertDisketteDialog::RequestLine(const std::string& label, int disketteNumber,
                                               const std::string& drive) {
    std::string line;
    if (!label.empty())
        FormatString(line, "Please insert the diskette labelled '%s' in drive %s:", label.c_str(),
                     drive.c_str());
    else
        FormatString(line, "Please insert diskette %d in drive %s:", disketteNumber, drive.c_str());
    return line;
}

bool CInsertDisketteDialog::FolderHoldsFile(const std::string& folder) const {
    if (folder.empty())
        return false;
    std::string text = folder;
    AppendBackslash(text);
    CSetupPath candidate(text);
    candidate.SetFileName(m_missing.GetFileName());
    return candidate.Exists();
}

bool CInsertDisketteDialog::OnInitDialog() {
    CExpandingDialog::OnInitDialog();
    // The template folds the dialog above the folder box and hides "&More>>": open it
    // unfolded, or the folder box the explanation speaks of could never be reached.
    if (!m_bExpanded)
        ToggleExpand();
    SetDlgItemText(kRequestLineId, RequestLine(m_strLabel, m_nDiskette, m_strDrive));
    std::string explanation;
    if (!FormatResource(explanation, IDS_INSERT_DISKETTE_TEXT, m_missing.GetText().c_str()))
        explanation = m_missing.GetText();
    SetDlgItemText(kExplanationId, explanation);
    m_strFolder = m_missing.GetFolder();
    UpdateData(false);
    CenterWindow();
    return true;
}

void CInsertDisketteDialog::DoDataExchange(CDataExchange& dx) {
    DDX_Text(dx, kFolderEditId, m_strFolder);
}

bool CInsertDisketteDialog::OnCommand(UINT id, UINT code, HWND control) {
    if (id == kBrowseButtonId) {
        UpdateData(true);
        if (m_browse && m_browse(m_strFolder, this))
            UpdateData(false);
        return true;
    }
    return CExpandingDialog::OnCommand(id, code, control);
}

void CInsertDisketteDialog::OnOK() {
    UpdateData(true);
    if (FolderHoldsFile(m_strFolder)) {
        EndDialog(IDOK);
        return;
    }
    FlashWindow(m_hWnd, TRUE);
    FlashWindow(m_hWnd, FALSE);
    MessageBeep(MB_ICONASTERISK);
}
