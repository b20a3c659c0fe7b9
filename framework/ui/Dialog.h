// CDialog: modal and modeless dialogs from the program's dialog templates, with typed
// handlers (OnInitDialog, OnOK, OnCancel, OnCommand, ...) and control data exchange.
// Win32 only.
//
// The dialog window is bound to the object from WM_INITDIALOG on; messages then reach
// CWnd::WindowProc first and the dialog manager through Default(). Every dialog gets the
// program's dialog colours (SetDialogColors) for its face, static texts and buttons.
#pragma once

#include "framework/ui/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    // The template and the parent (owner); a null parent means the active window of the
    // program for modal dialogs and the main window for modeless ones.
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);

    // Runs the dialog modally; returns the code given to EndDialog, -1 when the dialog
    // cannot be created.
    virtual INT_PTR DoModal();
    // Creates the dialog as a modeless window; false when it cannot be created. The
    // window is destroyed with this object at the latest.
    bool Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);
    // Runs DoDataExchange towards the controls (false) or from them (true).
    bool UpdateData(bool saveAndValidate = true);
    bool IsModal() const { return m_bModal; }

    // Default button (IDOK), Enter: UpdateData(true), then EndDialog(IDOK).
    virtual void OnOK();
    // IDCANCEL, Esc, close box: EndDialog(IDCANCEL).
    virtual void OnCancel();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd; // not owned

protected:
    // After the controls exist: loads the controls from the fields (UpdateData(false)).
    // Returns true to let the system give the focus to the first control.
    virtual bool OnInitDialog();
    // Binds fields to controls (DDX_* of DataExchange.h).
    virtual void DoDataExchange(CDataExchange&) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColorMessage) override;

    // The dialog procedure given to the system: binds the object at WM_INITDIALOG.
    static INT_PTR CALLBACK StdDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Binds the dialog window and runs OnInitDialog behind the exception barrier.
    static INT_PTR InitDialogBound(CDialog* dialog, HWND hwnd, WPARAM wParam, LPARAM lParam);
    HWND OwnerForModal() const;
    HWND OwnerForModeless() const;

    bool m_bModal = false;
};

// The program's dialog colours; until set, dialogs keep the system's colours.
void SetDialogColors(COLORREF background, COLORREF text);
bool HasDialogColors();
HBRUSH GetDialogBkBrush();
COLORREF GetDialogBkColor();
COLORREF GetDialogTextColor();
