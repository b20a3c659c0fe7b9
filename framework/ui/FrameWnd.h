// CFrameWnd: a top-level window of a class registered by the framework. Allocate it with
// new: by default the object deletes itself when its window has been destroyed. Win32 only.
#pragma once

#include "framework/ui/Wnd.h"

#include <string>

class CFrameWnd : public CWnd {
public:
    // Registers (once per combination) a window class whose procedure is the framework's;
    // returns its name. Throws CResourceException when the class cannot be registered.
    static std::string RegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr,
                                        HBRUSH background = nullptr, HICON icon = nullptr);

    // Creates the window; a null rect leaves position and size to the system.
    bool Create(const char* className, const char* title, DWORD style, const RECT* rect = nullptr,
                HWND parent = nullptr, HMENU menu = nullptr, DWORD exStyle = 0);

    bool m_bAutoDelete = true;

protected:
    void PostNcDestroy() override;
};
