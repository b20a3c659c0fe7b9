// RAII for GDI objects and device contexts. Each class owns exactly one handle or one
// selection and gives it back in its destructor. Win32 only.
#pragma once

#include <windows.h>

#include <string>

// Owns a GDI object (brush, font, palette, bitmap, pen); DeleteObject in the destructor.
template <class H> class CGdiObjectT {
public:
    CGdiObjectT() = default;
    explicit CGdiObjectT(H handle) : m_h(handle) {}
    CGdiObjectT(const CGdiObjectT&) = delete;
    CGdiObjectT& operator=(const CGdiObjectT&) = delete;
    CGdiObjectT(CGdiObjectT&& other) noexcept : m_h(other.Detach()) {}
    CGdiObjectT& operator=(CGdiObjectT&& other) noexcept {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ~CGdiObjectT() { Reset(); }

    H Get() const { return m_h; }
    operator H() const { return m_h; }
    bool IsNull() const { return m_h == nullptr; }
    H Detach() {
        H h = m_h;
        m_h = nullptr;
        return h;
    }
    void Reset(H handle = nullptr) {
        if (m_h != nullptr)
            DeleteObject(m_h);
        m_h = handle;
    }

private:
    H m_h = nullptr;
};

using CBrush = CGdiObjectT<HBRUSH>;
using CFont = CGdiObjectT<HFONT>;
using CPalette = CGdiObjectT<HPALETTE>;
using CBitmap = CGdiObjectT<HBITMAP>;
using CPen = CGdiObjectT<HPEN>;

// BeginPaint/EndPaint for the duration of a WM_PAINT handler.
class CPaintDC {
public:
    explicit CPaintDC(HWND wnd) : m_hWnd(wnd) { m_hDC = BeginPaint(wnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    ~CPaintDC() { EndPaint(m_hWnd, &m_ps); }
    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    const RECT& PaintRect() const { return m_ps.rcPaint; }

private:
    HWND m_hWnd;
    HDC m_hDC;
    PAINTSTRUCT m_ps{};
};

// GetDC/ReleaseDC of a window's client area (null window: the screen).
class CClientDC {
public:
    explicit CClientDC(HWND wnd) : m_hWnd(wnd), m_hDC(GetDC(wnd)) {}
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    ~CClientDC() {
        if (m_hDC)
            ReleaseDC(m_hWnd, m_hDC);
    }
    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// A memory device context compatible with another (null: the screen); DeleteDC at the end.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatible) : m_hDC(CreateCompatibleDC(compatible)) {}
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    ~CMemoryDC() {
        if (m_hDC)
            DeleteDC(m_hDC);
    }
    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HDC m_hDC;
};

// Selects an object into a device context and selects the previous one back at the end.
// A null object selects nothing.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object)
        : m_hDC(dc), m_hOld(object ? SelectObject(dc, object) : nullptr) {}
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;
    ~CSelectObject() {
        if (m_hOld)
            SelectObject(m_hDC, m_hOld);
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// Selects a palette (foreground unless asked otherwise) and selects the previous one back.
// A null palette selects nothing, so a display without a palette paints unchanged.
class CSelectPalette {
public:
    CSelectPalette(HDC dc, HPALETTE palette, bool forceBackground = false)
        : m_hDC(dc), m_hOld(palette ? SelectPalette(dc, palette, forceBackground) : nullptr) {}
    CSelectPalette(const CSelectPalette&) = delete;
    CSelectPalette& operator=(const CSelectPalette&) = delete;
    ~CSelectPalette() {
        if (m_hOld)
            SelectPalette(m_hDC, m_hOld, TRUE);
    }
    bool Selected() const { return m_hOld != nullptr; }

private:
    HDC m_hDC;
    HPALETTE m_hOld;
};

// Saves the text colour, background mode and background colour; restores them at the end.
class CSaveTextState {
public:
    explicit CSaveTextState(HDC dc)
        : m_hDC(dc), m_text(GetTextColor(dc)), m_bk(GetBkColor(dc)), m_mode(GetBkMode(dc)) {}
    CSaveTextState(const CSaveTextState&) = delete;
    CSaveTextState& operator=(const CSaveTextState&) = delete;
    ~CSaveTextState() {
        SetTextColor(m_hDC, m_text);
        SetBkColor(m_hDC, m_bk);
        SetBkMode(m_hDC, m_mode);
    }

private:
    HDC m_hDC;
    COLORREF m_text;
    COLORREF m_bk;
    int m_mode;
};
