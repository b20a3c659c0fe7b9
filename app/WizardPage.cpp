#include "app/WizardPage.h"

#include "app/ButtonBar.h"
#include "app/MainWnd.h"
#include "app/PageIds.h"
#include "app/SetupApp.h"
#include "app/Wizard.h"
#include "errors/ErrorDialog.h"
#include "framework/Exception.h"
#include "framework/Format.h"
#include "framework/ui/MessageBox.h"
#include "framework/ui/WinApp.h"
#include "res/StringIds.h"

#include <new>

CWizardPage::CWizardPage(int pageId, int nextId)
    : CDialog(static_cast<UINT>(pageId)), m_nPageId(pageId), m_nNextId(nextId) {
    RegisterPage(this);
}

CWizardPage::~CWizardPage() {
    // The bar deletes itself with the window and clears m_pButtonBar while this page is
    // still whole.
    if (m_hWnd != nullptr)
        DestroyWindow();
}

bool CWizardPage::CreatePage() {
    return Create(static_cast<UINT>(m_nPageId), nullptr);
}

LRESULT CWizardPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Unattended, nobody could press the bar's buttons: a page goes without (its windows and
    // their layout are wineserver round trips, and every run creates most pages).
    if (message == WM_INITDIALOG && m_nButtonBarId != 0 && m_pButtonBar == nullptr &&
        !GetSetupApp().m_bBatch) {
        // The bar exists before the page's own initialisation, which places the grown page.
        auto* bar = new CButtonBar(this);
        m_pButtonBar = bar;
        if (!bar->Create()) {
            m_pButtonBar = nullptr;
            delete bar;
        }
    }
    if (message == WM_RUNPAGE) {
        OnRunPage();
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

bool CWizardPage::OnInitDialog() {
    CDialog::OnInitDialog();
    const bool unattended = GetSetupApp().m_bBatch != 0;
    if (unattended) {
        // Sized to nothing, the page is never seen: placing it would be wasted, and it takes
        // neither the activation nor the keyboard focus (false below) from the window that
        // has them.
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(SW_SHOWNOACTIVATE);
    } else {
        PlacePage();
        ShowWindow(SW_SHOW);
    }
    PostMessage(WM_RUNPAGE);
    return !unattended;
}

void CWizardPage::PlacePage() {
    CWinApp* app = GetApp();
    CenterWindow(app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr);
}

int CWizardPage::RunPage() {
    return 0;
}

bool CWizardPage::ConfirmCancel() {
    return AppMessageBox(IDS_CANCEL_QUESTION, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool CWizardPage::ShouldShow() {
    return true;
}

void CWizardPage::OnRunPage() {
    int result = kFailedPageId;
    HCURSOR previousCursor =
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514) /* IDC_WAIT */));
    if (m_pButtonBar != nullptr) {
        if (HWND next = m_pButtonBar->GetDlgItem(kNextButtonId))
            ::SetFocus(next);
    }
    try {
        result = RunPage();
    } catch (const CException& e) {
        ReportError(IDS_SETUP_FAILED, e);
        MarkFailed();
        result = kFailedPageId;
    } catch (const std::bad_alloc&) {
        ReportError(IDS_SETUP_FAILED, CMemoryException());
        MarkFailed();
        result = kFailedPageId;
    }
    SetCursor(previousCursor);
    if (result != 0)
        MoveTo(result, kForward);
    else if (GetSetupApp().m_bBatch)
        OnOK();
}

void CWizardPage::OnOK() {
    GoNext();
}

void CWizardPage::OnCancel() {
    if (m_nNextId == kEndOfSetup) {
        OnOK();
        return;
    }
    if (!ConfirmCancel())
        return;
    GetSetupApp().m_bCancelled = 1;
    MarkFailed();
    GoNext();
}

bool CWizardPage::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
    case kBackButtonId:
        GoBack();
        return true;
    case kNextButtonId: // Enter when the bar's Next is the dialog's default button
        OnOK();
        return true;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

void CWizardPage::OnShowWindow(bool show, UINT status) {
    Default();
    if (show && m_pButtonBar != nullptr) {
        if (HWND next = m_pButtonBar->GetDlgItem(kNextButtonId))
            ::SetFocus(next);
    }
}

void CWizardPage::OnActivateApp(bool active, DWORD threadId) {
    CWinApp* app = GetApp();
    auto* main = app ? dynamic_cast<CMainWnd*>(app->m_pMainWnd) : nullptr;
    if (main != nullptr && main->m_pPalette && !main->m_pPalette->IsNull()) {
        CClientDC dc(m_hWnd);
        CSelectPalette select(dc, main->m_pPalette->Get());
        RealizePalette(dc);
    }
    if (main != nullptr && main->m_hWnd != nullptr)
        main->Invalidate(true);
    Default();
}

void CWizardPage::GoNext() {
    MoveTo(m_nNextId, kForward);
}

void CWizardPage::GoBack() {
    MoveTo(m_nBackId, kBackward);
}

void CWizardPage::MoveTo(int id, bool forward) {
    try {
        GoToPage(id, forward);
    } catch (const CException& e) {
        GetSetupApp().EndWithoutPage(id, e);
    } catch (const std::bad_alloc&) {
        GetSetupApp().EndWithoutPage(id, CMemoryException());
    }
}

void CWizardPage::MarkFailed() {
    m_nNextId = kFailedPageId;
    GetSetupApp().m_bSucceeded = 0;
}

void CWizardPage::EnableBarButton(int id, bool enable) {
    if (m_pButtonBar == nullptr)
        return;
    if (HWND button = m_pButtonBar->GetDlgItem(id))
        ::EnableWindow(button, enable);
}

void CWizardPage::EnableNext(bool enable) {
    EnableBarButton(kNextButtonId, enable);
}
void CWizardPage::EnableBack(bool enable) {
    EnableBarButton(kBackButtonId, enable);
}
void CWizardPage::EnableCancel(bool enable) {
    EnableBarButton(IDCANCEL, enable);
}

void CWizardPage::SetNextToFinish() {
    if (m_pButtonBar == nullptr)
        return;
    if (HWND next = m_pButtonBar->GetDlgItem(kNextButtonId))
        ::SetWindowTextA(next, LoadResourceString(IDS_FINISH).c_str());
}
