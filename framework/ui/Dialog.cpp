#include "framework/ui/Dialog.h"

#include "framework/ui/DataExchange.h"
#include "framework/ui/Gdi.h"
#include "framework/ui/MessageBox.h"
#include "framework/ui/WinApp.h"

namespace {

struct DialogColors {
    bool set = false;
    COLORREF background = 0;
    COLORREF text = 0;
    CBrush brush;
};

DialogColors& Colors() {
    static DialogColors colors;
    return colors;
}

} // namespace

void SetDialogColors(COLORREF background, COLORREF text) {
    DialogColors& colors = Colors();
    colors.set = true;
    colors.background = background;
    colors.text = text;
    colors.brush.Reset(CreateSolidBrush(background));
}

bool HasDialogColors() {
    return Colors().set;
}
HBRUSH GetDialogBkBrush() {
    return Colors().brush.Get();
}
COLORREF GetDialogBkColor() {
    return Colors().background;
}
COLORREF GetDialogTextColor() {
    return Colors().text;
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

HWND CDialog::OwnerForModal() const {
    if (m_pParentWnd && m_pParentWnd->m_hWnd)
        return m_pParentWnd->m_hWnd;
    return GetDefaultOwner();
}

HWND CDialog::OwnerForModeless() const {
    if (m_pParentWnd && m_pParentWnd->m_hWnd)
        return m_pParentWnd->m_hWnd;
    CWinApp* app = GetApp();
    return app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
}

INT_PTR CDialog::DoModal() {
    m_bModal = true;
    INT_PTR result = DialogBoxParamA(GetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                     OwnerForModal(), StdDlgProc, reinterpret_cast<LPARAM>(this));
    m_bModal = false;
    return result;
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
    m_nIDTemplate = templateId;
    if (parent)
        m_pParentWnd = parent;
    m_bModal = false;
    HWND wnd = CreateDialogParamA(GetResourceHandle(), MAKEINTRESOURCEA(templateId),
                                  OwnerForModeless(), StdDlgProc, reinterpret_cast<LPARAM>(this));
    if (wnd == nullptr)
        return false;
    if (FromHandle(wnd) != this) // the dialog procedure never saw WM_INITDIALOG
        BindWindow(wnd, true);
    m_bCreatedHere = true;
    if (!(GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD))
        AddModelessDialog(wnd);
    return true;
}

INT_PTR CALLBACK CDialog::StdDlgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Every other message reaches the object through the window procedure put in front of
    // the dialog manager's at WM_INITDIALOG.
    if (message != WM_INITDIALOG || lParam == 0 || FromHandle(hwnd) != nullptr)
        return FALSE;
    return InitDialogBound(reinterpret_cast<CDialog*>(lParam), hwnd, wParam, lParam);
}

INT_PTR CDialog::InitDialogBound(CDialog* dialog, HWND hwnd, WPARAM wParam, LPARAM lParam) {
    dialog->BindWindow(hwnd, true);
    return Dispatch(dialog, hwnd, WM_INITDIALOG, wParam, lParam);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return OnInitDialog() ? TRUE : FALSE;
    return CWnd::WindowProc(message, wParam, lParam);
}

void CDialog::EndDialog(int result) {
    if (m_hWnd)
        ::EndDialog(m_hWnd, result);
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(dx);
    return true;
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDialog::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return false;
    }
}

HBRUSH CDialog::OnCtlColor(HDC dc, HWND, UINT ctlColorMessage) {
    if (!HasDialogColors())
        return nullptr;
    switch (ctlColorMessage) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORMSGBOX:
        SetTextColor(dc, GetDialogTextColor());
        SetBkColor(dc, GetDialogBkColor());
        return GetDialogBkBrush();
    default:
        return nullptr;
    }
}
