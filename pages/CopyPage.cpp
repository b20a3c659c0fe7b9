#include "pages/CopyPage.h"

#include "app/DialogUtil.h"
#include "app/SetupApp.h"
#include "app/Wizard.h"

void CCopyPage::PlacePage() {
    PlaceWindow(m_hWnd, 1, 2, 1, 2);
}

int CCopyPage::RunPage() {
    return GetSetupApp().m_bSucceeded ? m_nNextId : kFailedPageId;
}
