#include "framework/ui/MessageBox.h"

#include "framework/Format.h"
#include "framework/ui/WinApp.h"
#include "framework/ui/Wnd.h"

HWND GetDefaultOwner() {
    HWND active = GetActiveWindow();
    if (active != nullptr)
        return RootWindowOf(active);
    CWinApp* app = GetApp();
    return app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
}

int AppMessageBox(const std::string& text, UINT type) {
    if ((type & MB_ICONMASK) == 0)
        type |= MB_ICONEXCLAMATION;
    std::string caption = LoadResourceString(kAppTitleStringId);
    return MessageBoxA(GetDefaultOwner(), text.c_str(), caption.c_str(), type);
}

int AppMessageBox(UINT stringId, UINT type) {
    return AppMessageBox(LoadResourceString(stringId), type);
}
