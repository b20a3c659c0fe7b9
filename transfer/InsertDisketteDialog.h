// CInsertDisketteDialog: "Insert Diskette" (template 113), asked when a diskette's file is
// not in the source folder. OK ends the dialog only when the file is in the folder typed
// (or picked with Browse); otherwise the dialog flashes and beeps and stays. Win32 only.
#pragma once

#include "app/ExpandingDialog.h"
#include "res/DialogIds.h"
#include "transfer/SetupPath.h"

#include <functional>
#include <string>

constexpr UINT kInsertDisketteTemplate = IDD_INSERT_DISKETTE;

class CInsertDisketteDialog : public CExpandingDialog {
public:
    // Lets the user pick a folder starting at the text; true (text changed) on OK.
    using BrowseFunction = std::function<bool(std::string& folder, CWnd* parent)>;

    // label: the diskette's label, empty for none; sourceDrive: the source folder's drive.
    CInsertDisketteDialog(CWnd* parent, const CSetupPath& missingPath, int disketteNumber,
                          const std::string& label, const std::string& sourceDrive,
                          BrowseFunction browse = nullptr);

    // The request line for a diskette (with or without a label).
    static std::string RequestLine(const std::string& label, int disketteNumber,
                                   const std::string& drive);
    // True when the missing file's name and extension exist in folder.
    bool FolderHoldsFile(const std::string& folder) const;

    std::string m_strFolder; // edit 1001: the folder to look in
    int32_t m_nDiskette;
    CSetupPath m_missing;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnOK() override;

private:
    std::string m_strLabel;
    std::string m_strDrive;
    BrowseFunction m_browse;
};
