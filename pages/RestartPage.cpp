#include "pages/RestartPage.h"

#include "system/StatusReport.h"

namespace {
constexpr UINT kRestartButtonId = 1035;
constexpr UINT kDontRestartButtonId = 1036;
} // namespace

bool CRestartPage::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
    case kRestartButtonId:
        RestartWindows();
        return true;
    case kDontRestartButtonId:
        OnOK();
        return true;
    default:
        return CWizardPage::OnCommand(id, code, control);
    }
}
