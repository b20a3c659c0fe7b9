#include "app/ButtonBar.h"

#include "app/Layout.h"
#include "app/WizardPage.h"

namespace {

LayoutRect ToLayout(const RECT& r) {
    return LayoutRect{r.left, r.top, r.right, r.bottom};
}

} // namespace

CButtonBar::CButtonBar(CWizardPage* page)
    : CDialog(static_cast<UINT>(page->m_nButtonBarId), page), m_pPage(page) {}

bool CButtonBar::Create() {
    return CDialog::Create(static_cast<UINT>(m_pPage->m_nButtonBarId), m_pPage);
}

bool CButtonBar::OnInitDialog() {
    CDialog::OnInitDialog();
    ButtonBarLayout layout =
        LayOutButtonBar(ToLayout(GetWindowRect()), ToLayout(m_pPage->GetWindowRect()),
                        ToLayout(m_pPage->GetClientRect()));
    SetWindowPos(nullptr, layout.bar.left, layout.bar.top, layout.bar.Width(), layout.bar.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    m_pPage->SetWindowPos(nullptr, 0, 0, layout.pageWidth, layout.pageHeight,
                          SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (HWND back = GetDlgItem(kBackButtonId))
        ::EnableWindow(back, m_pPage->m_nBackId != 0);
    if (HWND next = GetDlgItem(kNextButtonId))
        ::EnableWindow(next, m_pPage->m_nNextId != 0);
    return true;
}

bool CButtonBar::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
    case kBackButtonId:
        m_pPage->GoBack();
        return true;
    case kNextButtonId:
    case IDOK:
        m_pPage->OnOK();
        return true;
    case IDCANCEL:
        m_pPage->OnCancel();
        return true;
    default:
        return false;
    }
}

void CButtonBar::PostNcDestroy() {
    if (m_pPage->m_pButtonBar == this)
        m_pPage->m_pButtonBar = nullptr;
    delete this;
}
