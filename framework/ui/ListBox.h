// A list-box control object: a CWnd that refers to a list box of a dialog. Win32 only.
#pragma once

#include "framework/ui/Wnd.h"

#include <string>

// The text of item `index` of a list box; empty for an index outside the list.
std::string GetListBoxText(HWND list, int index);

class CListBox : public CWnd {
public:
    int AddString(const std::string& text) const;
    int GetCount() const;
    int GetCurSel() const; // LB_ERR (-1) when nothing is selected
    int SetCurSel(int index) const;
    // Text of an item; empty for an index outside the list.
    std::string GetText(int index) const;
    void ResetContent() const;
};
