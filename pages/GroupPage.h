// Page 106, "Select Program Item Group": the group (Program Manager group or Start-menu
// folder) that receives the product's program items. The user types a new name (proposed:
// the product name) or picks one of the existing groups, which the page asks the shell for
// once. Unattended, the shell is not asked and the proposed name is taken. Win32 only.
#pragma once

#include "app/PageIds.h"
#include "app/WizardPage.h"
#include "framework/ui/ListBox.h"

#include <string>

constexpr int kNewGroupRadioId = 1004;
constexpr int kExistingGroupRadioId = 1005;
constexpr int kGroupNameEditId = 1006;
constexpr int kGroupListId = 1007;

class CGroupPage : public CWizardPage {
public:
    explicit CGroupPage(int nextId) : CWizardPage(kGroupPageId, nextId) {}

    // Next: stores the name typed, or the existing group picked, as the group name.
    void OnOK() override;

    // The name Next stores: the edit text when "C&reate new group:" is checked or when no
    // existing group is selected (an empty list has none to read).
    std::string ChosenName() const;

    CListBox m_groupList; // 1007

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnTimer(UINT_PTR timerId) override;

private:
    void CheckNewGroup(bool newGroup) const;
};
