#include "transfer/GaugeCtrl.h"

#include "framework/ui/FrameWnd.h"
#include "framework/ui/Gdi.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr uint32_t kScaleAbove = 1000000;

// Selects a font into a device context for one paint.
class CFontSelection {
public:
    CFontSelection(HDC dc, HFONT font)
        : m_hDC(dc), m_hOld(font ? SelectObject(dc, font) : nullptr) {}
    ~CFontSelection() {
        if (m_hOld)
            SelectObject(m_hDC, m_hOld);
    }
    CFontSelection(const CFontSelection&) = delete;
    CFontSelection& operator=(const CFontSelection&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

} // namespace

CGaugeCtrl::CGaugeCtrl(uint32_t minimum, uint32_t maximum, uint32_t position)
    : m_nMinimum(minimum), m_nMaximum(maximum), m_nPosition(position) {}

bool CGaugeCtrl::CreateOver(DWORD style, const RECT& rect, CWnd& parent, UINT id) {
    RECT place = rect;
    if (HWND placeholder = parent.GetDlgItem(static_cast<int>(id))) {
        RECT client;
        ::GetClientRect(placeholder, &client);
        MapWindowPoints(placeholder, parent.m_hWnd, reinterpret_cast<POINT*>(&client), 2);
        place = client;
        ::DestroyWindow(placeholder);
    }
    std::string windowClass =
        CFrameWnd::RegisterWndClass(0, LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    return CreateEx(0, windowClass.c_str(), "Gauge", style, place.left, place.top,
                    place.right - place.left, place.bottom - place.top, parent.m_hWnd,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

void CGaugeCtrl::SetPos(uint32_t value, bool repaintNow) {
    int before = PaintedPercent(m_nMinimum, m_nMaximum, m_nPosition);
    m_nPosition = std::max(std::min(value, m_nMaximum), m_nMinimum);
    // The picture depends on the percentage alone: a position that paints the same needs no
    // repaint (the copy page sets one every 4096 bytes read).
    if (m_hWnd == nullptr || PaintedPercent(m_nMinimum, m_nMaximum, m_nPosition) == before)
        return;
    Invalidate(false);
    if (repaintNow)
        UpdateWindow();
}

void CGaugeCtrl::SetRange(uint32_t minimum, uint32_t maximum) {
    m_nMinimum = minimum;
    m_nMaximum = maximum;
    // The next SetPos compares against this range: the old picture is out of date already.
    if (m_hWnd != nullptr)
        Invalidate(false);
}

int CGaugeCtrl::PaintedPercent(uint32_t minimum, uint32_t maximum, uint32_t position) {
    if (minimum == maximum)
        return -1;
    if (minimum > kScaleAbove || maximum > kScaleAbove || position > kScaleAbove) {
        minimum /= 1000;
        maximum /= 1000;
        position /= 1000;
    }
    int64_t span = static_cast<int64_t>(maximum) - minimum;
    if (span == 0)
        return 0;
    int64_t percent = (static_cast<int64_t>(position) - minimum) * 100 / span;
    return static_cast<int>(std::min<int64_t>(std::max<int64_t>(percent, 0), 100));
}

void CGaugeCtrl::OnPaint() {
    CPaintDC dc(m_hWnd);
    int percent = PaintedPercent(m_nMinimum, m_nMaximum, m_nPosition);
    if (percent < 0)
        return;
    const COLORREF bar = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    RECT client = GetClientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    HWND parent = ::GetParent(m_hWnd);
    CFontSelection font(
        dc, parent ? reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0)) : nullptr);
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", percent);
    const int length = static_cast<int>(std::strlen(text));
    SIZE extent{};
    GetTextExtentPoint32A(dc, text, length, &extent);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    const int x = width / 2;
    const int y = (height - extent.cy) / 2;

    RECT filled = client;
    filled.right = client.left + width * percent / 100;
    SetTextColor(dc, background);
    SetBkColor(dc, bar);
    ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &filled, text, length, nullptr);

    RECT rest = client;
    rest.left = filled.right;
    SetTextColor(dc, bar);
    SetBkColor(dc, background);
    ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &rest, text, length, nullptr);
}
