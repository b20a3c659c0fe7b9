#include "framework/ui/FrameWnd.h"

#include "framework/Exception.h"
#include "framework/ui/WinApp.h"

#include <cstdio>

std::string CFrameWnd::RegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background,
                                        HICON icon) {
    char name[96];
    snprintf(name, sizeof name, "ShiftwellWnd:%x:%p:%p:%p", classStyle, static_cast<void*>(cursor),
             static_cast<void*>(background), static_cast<void*>(icon));
    WNDCLASSA existing;
    if (GetClassInfoA(GetResourceHandle(), name, &existing))
        return name;
    WNDCLASSA wc{};
    wc.style = classStyle;
    wc.lpfnWndProc = CWnd::StdWndProc;
    wc.hInstance = GetResourceHandle();
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    if (!RegisterClassA(&wc))
        ThrowResourceException();
    return name;
}

bool CFrameWnd::Create(const char* className, const char* title, DWORD style, const RECT* rect,
                       HWND parent, HMENU menu, DWORD exStyle) {
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, cx = CW_USEDEFAULT, cy = CW_USEDEFAULT;
    if (rect) {
        x = rect->left;
        y = rect->top;
        cx = rect->right - rect->left;
        cy = rect->bottom - rect->top;
    }
    return CreateEx(exStyle, className, title, style, x, y, cx, cy, parent, menu);
}

void CFrameWnd::PostNcDestroy() {
    if (m_bAutoDelete)
        delete this;
}
