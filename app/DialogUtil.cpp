#include "app/DialogUtil.h"

#include "app/Layout.h"
#include "framework/Format.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/WinApp.h"
#include "framework/ui/Wnd.h"

#include <cstdarg>

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        // Modeless pages keep their keyboard interface (Esc, Enter, Tab) during long work.
        if (PreTranslateModelessDialog(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void PlaceWindow(HWND wnd, int a, int b, int c, int d) {
    RECT rect{};
    GetWindowRect(wnd, &rect);
    LayoutPoint pos = PlaceOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                    rect.right - rect.left, rect.bottom - rect.top, a, b, c, d);
    SetWindowPos(wnd, nullptr, pos.x, pos.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

bool EnableDlgItem(HWND wnd, int id, bool enable) {
    HWND control = GetDlgItem(wnd, id);
    if (control == nullptr)
        return false;
    EnableWindow(control, enable);
    return true;
}

std::string GetDlgItemString(HWND wnd, int id) {
    return GetWindowTextOf(GetDlgItem(wnd, id));
}

std::string GetListBoxSelection(HWND wnd, int id) {
    HWND list = GetDlgItem(wnd, id);
    if (list == nullptr)
        return {};
    return GetListBoxText(list, static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)));
}

void SetDlgItemFormat(HWND wnd, int id, const char* format, ...) {
    std::string text;
    va_list args;
    va_start(args, format);
    FormatStringV(text, format, args);
    va_end(args);
    SetDlgItemTextA(wnd, id, text.c_str());
}

void SetDlgItemFont(HWND wnd, int id, HFONT font) {
    SendDlgItemMessageA(wnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}
