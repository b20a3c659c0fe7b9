// CFileDialog: the common open/save dialog in its old (non-Explorer) style, optionally on a
// template of the program's own (OFN_ENABLETEMPLATE with m_ofn.lpTemplateName). Win32 only.
//
// The dialog window is bound to the object like any CDialog: OnInitDialog runs after the
// common dialog has set itself up, OnOK's default hands the OK press to the common dialog,
// and the common dialog's notifications reach OnFileNameOK and OnLBSelChangedNotify.
#pragma once

#include "framework/ui/Dialog.h"

#include <commdlg.h>

#include <string>
#include <vector>

class CFileDialog : public CDialog {
public:
    // filter: pairs "description|pattern|" ending in "||" as one text.
    CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName,
                DWORD flags, const char* filter, CWnd* parent = nullptr);

    // GetOpenFileName/GetSaveFileName; IDOK or IDCANCEL.
    INT_PTR DoModal() override;
    // The full path chosen (after IDOK).
    std::string GetPathName() const;

    OPENFILENAMEA m_ofn{};

protected:
    // The common dialog is about to accept the name: true refuses it (the dialog stays).
    virtual bool OnFileNameOK() { return false; }
    // Selection change in the file list (1120) or the folder list (1121) or the drive list.
    virtual void OnLBSelChangedNotify(UINT idBox, UINT curSel, UINT code) {}
    // OK: the common dialog's own processing.
    void OnOK() override;
    void OnCancel() override;

private:
    static UINT_PTR CALLBACK HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_bOpenFileDialog;
    std::vector<char> m_fileBuffer;
    std::vector<char> m_filter; // the filter with '|' replaced by NUL characters
    std::string m_strDefaultExtension;
};
