// CWizardPage: the base of every wizard page. A page is a modeless dialog on the template of
// its own id, owned by the background window, with an optional button bar below it. Win32
// only.
//
// Construct pages with new only: the constructor registers the page, and the registry
// (Wizard.h) owns and deletes it. The window is created the first time the page is shown
// and then hidden and shown again; OnInitDialog, the automatic work (RunPage) and the bar's
// layout run once per page and run. Unattended runs give no page a bar (m_pButtonBar stays
// null).
#pragma once

#include "framework/ui/Dialog.h"
#include "res/DialogIds.h"

class CButtonBar;

constexpr int kButtonBarTemplate = IDD_BUTTON_BAR;
constexpr int kNextButtonId = 1020;
constexpr int kBackButtonId = 1027;

class CWizardPage : public CDialog {
public:
    CWizardPage(int pageId, int nextId);
    ~CWizardPage() override;

    // Next, the default button, Enter: GoNext.
    void OnOK() override;
    // Cancel, Esc, the close box: on a last page (next id -1) as OnOK; otherwise, when
    // ConfirmCancel agrees, MarkFailed and GoNext (the failed page).
    void OnCancel() override;

    // Centres the page over the background window within the work area.
    virtual void PlacePage();
    // The page's automatic work: the id of the page to go to, or 0 to stay (default 0).
    virtual int RunPage();
    // Asks string 5 with Yes/No; true for Yes.
    virtual bool ConfirmCancel();
    // False passes the page over (default true).
    virtual bool ShouldShow();
    // Creates the window from template m_nPageId, owned by the background window.
    virtual bool CreatePage();

    void GoNext();
    void GoBack();
    // Next leads to the failed page, and the run fails.
    void MarkFailed();
    // The bar's Next, Back and Cancel buttons (nothing happens without a bar).
    void EnableNext(bool enable);
    void EnableBack(bool enable);
    void EnableCancel(bool enable);
    // Relabels the bar's Next button "&Finish" (string 31).
    void SetNextToFinish();

    int m_nPageId;
    int m_nNextId;                           // -1: end of setup
    int m_nButtonBarId = kButtonBarTemplate; // 0: no bar
    int m_bLeft = 0;                         // set each time the wizard moves away from this page
    int m_nBackId = 0;                       // 0: no Back; set on the first forward arrival
    CButtonBar* m_pButtonBar = nullptr;      // owned by its window (deletes itself)

protected:
    // Control initialisation, PlacePage, show, post WM_RUNPAGE; true (the dialog manager
    // gives the focus). Unattended: zero size instead of PlacePage, shown without activation,
    // false (no focus). Pages call it first in their own OnInitDialog.
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnShowWindow(bool show, UINT status) override;
    void OnActivateApp(bool active, DWORD threadId) override;
    // WM_RUNPAGE: RunPage with the wait cursor; a thrown exception is reported (message 9)
    // and fails the run; then on to the page it returned, or, unattended, as Next.
    void OnRunPage();

private:
    // GoToPage; when the page there cannot be created the run ends as a failure
    // (CSetupApp::EndWithoutPage), since nothing else could end it.
    void MoveTo(int id, bool forward);
    void EnableBarButton(int id, bool enable);
};
