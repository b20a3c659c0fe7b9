#include "pages/GroupPage.h"

#include "app/ButtonBar.h"
#include "app/SetupApp.h"
#include "framework/ui/DataExchange.h"
#include "system/ProgmanClient.h"

namespace {

constexpr UINT_PTR kFocusTimerId = 0;

} // namespace

bool CGroupPage::OnInitDialog() {
    bool result = CWizardPage::OnInitDialog();
    CSetupApp& app = GetSetupApp();
    if (!app.m_bBatch) {
        CProgmanClient client;
        client.FillGroupList(m_groupList.m_hWnd);
    }
    // Unattended too: the proposed name, so that the items get a group of their own rather
    // than lying loose in the Programs folder.
    SetDlgItemText(kGroupNameEditId, app.m_strGroupName);
    CheckNewGroup(true);
    // Once the dialog manager has placed the focus, it moves to Next.
    SetTimer(m_hWnd, kFocusTimerId, 1, nullptr);
    return result;
}

void CGroupPage::DoDataExchange(CDataExchange& dx) {
    DDX_Control(dx, kGroupListId, m_groupList);
}

void CGroupPage::CheckNewGroup(bool newGroup) const {
    CheckDlgButton(m_hWnd, kNewGroupRadioId, newGroup ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, kExistingGroupRadioId, newGroup ? BST_UNCHECKED : BST_CHECKED);
}

void CGroupPage::OnTimer(UINT_PTR timerId) {
    if (timerId == kFocusTimerId) {
        KillTimer(m_hWnd, kFocusTimerId);
        if (m_pButtonBar != nullptr) {
            if (HWND next = m_pButtonBar->GetDlgItem(kNextButtonId))
                ::SetFocus(next);
        }
    }
    Default();
}

bool CGroupPage::OnCommand(UINT id, UINT code, HWND control) {
    if (id == kGroupListId && code == LBN_SELCHANGE) {
        CheckNewGroup(false);
        return true;
    }
    if (id == kGroupNameEditId && code == EN_CHANGE) {
        CheckNewGroup(true);
        return true;
    }
    if (id == kExistingGroupRadioId && code == BN_CLICKED) {
        if (m_groupList.GetCurSel() == LB_ERR && m_groupList.GetCount() > 0)
            m_groupList.SetCurSel(0);
        return true;
    }
    return CWizardPage::OnCommand(id, code, control);
}

std::string CGroupPage::ChosenName() const {
    if (IsDlgButtonChecked(m_hWnd, kExistingGroupRadioId) == BST_CHECKED) {
        int selected = m_groupList.GetCurSel();
        if (selected != LB_ERR && selected < m_groupList.GetCount())
            return m_groupList.GetText(selected);
    }
    return GetDlgItemText(kGroupNameEditId);
}

void CGroupPage::OnOK() {
    GetSetupApp().m_strGroupName = ChosenName();
    GoNext();
}
