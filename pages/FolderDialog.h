// "Change Folder" (template 138): the old-style common save dialog used to pick a folder.
// The common dialog keeps its current folder in the hidden edit box 1088; each move in the
// folder or drive list copies it into the path box 1002 (or the read-only text 1034). The
// hidden file name "jet.jet" satisfies the common dialog; the result is the path, never the
// file name. Win32 only.
#pragma once

#include "framework/ui/FileDialog.h"
#include "res/DialogIds.h"

#include <string>

constexpr UINT kFolderDialogTemplate = IDD_FOLDER_DIALOG;

class CFolderDialog : public CFileDialog {
public:
    explicit CFolderDialog(CWnd* parent = nullptr);

    std::string m_strCurrentFolder; // 1088, written by the common dialog
    std::string m_strPath;          // 1002, editable; the result
    std::string m_strPathDisplay;   // 1034, read-only
    int m_bInitialised = 0;
    int m_bEditable = 1; // 1 shows 1002, 0 shows 1034

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void OnLBSelChangedNotify(UINT idBox, UINT curSel, UINT code) override;
    // An empty path gives message 27 and the dialog stays open.
    void OnOK() override;

private:
    std::string m_strTitle; // the caption, kept alive for m_ofn
};

// Shows "Change Folder" starting at the nearest existing folder of text; on OK text becomes
// the chosen folder, on Cancel it stays. An empty text gives message 27 and no dialog.
// Returns true when the user chose a folder.
bool BrowseForFolder(std::string& text, bool editable, CWnd* parent = nullptr);
