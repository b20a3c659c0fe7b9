// CGaugeCtrl: the copy page's progress bar, a small child window that paints a bar with the
// percentage centred in it, the text inverted where the bar covers it. It handles only the
// paint message and redraws without erasing. Win32 only.
#pragma once

#include "framework/ui/Wnd.h"

#include <cstdint>

class CGaugeCtrl : public CWnd {
public:
    CGaugeCtrl(uint32_t minimum, uint32_t maximum, uint32_t position);

    // Takes the place of the parent's child `id` when there is one (its rectangle, in the
    // parent's client coordinates; the child is destroyed), else of `rect`; creates the
    // gauge window there with the text "Gauge". False when it cannot be created.
    bool CreateOver(DWORD style, const RECT& rect, CWnd& parent, UINT id);
    // Position limited to the maximum, then raised to the minimum; repaints (at once when
    // repaintNow) when the painted percentage changes.
    void SetPos(uint32_t value, bool repaintNow);
    void SetRange(uint32_t minimum, uint32_t maximum);

    // The percentage painted for a range and position, or -1 when nothing is painted
    // (minimum equals maximum). Values above 1000000 are scaled down by 1000 together.
    static int PaintedPercent(uint32_t minimum, uint32_t maximum, uint32_t position);

    uint32_t m_nMinimum;
    uint32_t m_nMaximum;
    uint32_t m_nPosition;

protected:
    void OnPaint() override;
};
