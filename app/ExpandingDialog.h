// CExpandingDialog: a dialog that opens folded and unfolds with its "&More>>" button (119).
// Its template has a marker control 123 whose bottom-right corner is the bottom-right corner
// of the folded client area. Controls outside the visible part are disabled while folded,
// so the keyboard cannot reach them. Win32 only.
#pragma once

#include "framework/ui/Dialog.h"

constexpr int kMoreButtonId = 119;
constexpr int kFoldMarkerId = 123;

class CExpandingDialog : public CDialog {
public:
    explicit CExpandingDialog(UINT templateId, CWnd* parent = nullptr);

    // Folds an unfolded dialog, unfolds a folded one.
    void ToggleExpand();

    int m_bExpanded = 1;
    RECT m_rcFull{}; // the unfolded window rectangle, screen coordinates

protected:
    // The dialog's own initialisation, then records the full size and folds the dialog.
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    // Button 119: ToggleExpand, then ">>" and "<<" swap in its caption.
    void OnMoreButton();
};
