// CButtonBar: the child dialog with "< &Back", "&Next >", "&Cancel" (and a hidden "&Help")
// that a page carries below its own controls. It lays itself out at creation, widening and
// lengthening the page, and passes its buttons on to the page. Win32 only.
//
// Allocate with new: the bar deletes itself when its window has been destroyed.
#pragma once

#include "framework/ui/Dialog.h"

class CWizardPage;

class CButtonBar : public CDialog {
public:
    explicit CButtonBar(CWizardPage* page);

    // Creates the bar from template page->m_nButtonBarId as a child of the page's window.
    bool Create();

protected:
    // Layout, then Back enabled when the page has a back id and Next when it has a next id.
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void PostNcDestroy() override;

private:
    CWizardPage* m_pPage; // not owned: the page whose window is the bar's parent
};
