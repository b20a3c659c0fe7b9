#include "framework/ui/DataExchange.h"

#include "framework/ui/Wnd.h"

#include <cstdlib>
#include <windows.h>

namespace {

HWND Control(CDataExchange& dx, int id) {
    return dx.m_pDlgWnd ? dx.m_pDlgWnd->GetDlgItem(id) : nullptr;
}

bool IsRadioButton(HWND wnd) {
    return (SendMessageA(wnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

} // namespace

void DDX_Text(CDataExchange& dx, int id, std::string& value) {
    HWND control = Control(dx, id);
    if (control == nullptr)
        return;
    if (dx.m_bSaveAndValidate)
        value = dx.m_pDlgWnd->GetDlgItemText(id);
    else
        SetWindowTextA(control, value.c_str());
}

void DDX_Text(CDataExchange& dx, int id, int& value) {
    std::string text = std::to_string(value);
    DDX_Text(dx, id, text);
    if (dx.m_bSaveAndValidate)
        value = std::atoi(text.c_str());
}

void DDX_Check(CDataExchange& dx, int id, int& value) {
    HWND control = Control(dx, id);
    if (control == nullptr)
        return;
    if (dx.m_bSaveAndValidate)
        value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange& dx, int firstId, int& value) {
    HWND control = Control(dx, firstId);
    if (control == nullptr)
        return;
    if (dx.m_bSaveAndValidate)
        value = -1;
    int index = 0;
    for (HWND wnd = control; wnd != nullptr; wnd = GetWindow(wnd, GW_HWNDNEXT)) {
        if (wnd != control && (GetWindowLongA(wnd, GWL_STYLE) & WS_GROUP))
            break;
        if (!IsRadioButton(wnd))
            continue;
        if (dx.m_bSaveAndValidate) {
            if (SendMessageA(wnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            SendMessageA(wnd, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

void DDX_Control(CDataExchange& dx, int id, CWnd& control) {
    if (control.m_hWnd != nullptr)
        return;
    HWND wnd = Control(dx, id);
    if (wnd != nullptr)
        control.Attach(wnd);
}
