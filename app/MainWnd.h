// CMainWnd: the maximised background behind the wizard: a blue-to-black ramp painted row by
// row, the setup title in white italic letters with a black shadow, and the palette that
// makes the ramp smooth on 256-colour displays. It owns the pages' windows; destroying it
// ends the program. Win32 only.
//
// Allocate with new: the object deletes itself when its window has been destroyed.
#pragma once

#include "framework/ui/FrameWnd.h"
#include "framework/ui/Gdi.h"

#include <memory>
#include <string>

constexpr int kProgramIconId = 4;

class CMainWnd : public CFrameWnd {
public:
    CMainWnd() = default;

    // Registers the class, creates the window and shows it maximised (minimised in
    // unattended mode). False when the window cannot be created.
    bool Create();
    // Selects and realises the palette in the foreground; repaints when colours changed.
    void RealizeOwnPalette();

    std::unique_ptr<CPalette> m_pPalette; // from WM_CREATE to WM_DESTROY; may hold no handle
    int m_bActive = 0;                    // the application is the active one

protected:
    int OnCreate(CREATESTRUCTA* create) override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnClose() override;
    void OnActivateApp(bool active, DWORD threadId) override;
    void OnPaletteChanged(HWND changedBy) override;
    LRESULT OnQueryNewPalette() override;
};

// Builds the ramp palette for dc into palette: the stock palette's entries, then the ramp
// over the rest of the device's palette. Leaves palette empty on devices without a palette.
// Throws CMemoryException when the palette cannot be built.
void CreateGradientPalette(HDC dc, CPalette& palette, COLORREF from, COLORREF to);
// Paints every row of the client height with its ramp colour, limited horizontally to the
// paint rectangle.
void FillGradient(HDC dc, const RECT& paint, const RECT& client, bool paletteRelative,
                  COLORREF from, COLORREF to);
// Writes text at the top-left of the client area (scroll-thumb size in), in white over a
// black shadow offset by twice the dialog frame.
void DrawShadowText(HDC dc, const RECT& rect, const std::string& text, const char* faceName,
                    int pointSize, bool bold, bool italic, bool shadow);
