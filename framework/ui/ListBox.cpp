#include "framework/ui/ListBox.h"

#include <vector>

int CListBox::AddString(const std::string& text) const {
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CListBox::GetCount() const {
    return static_cast<int>(SendMessage(LB_GETCOUNT));
}

int CListBox::GetCurSel() const {
    return static_cast<int>(SendMessage(LB_GETCURSEL));
}

int CListBox::SetCurSel(int index) const {
    return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index)));
}

std::string GetListBoxText(HWND list, int index) {
    if (list == nullptr || index < 0)
        return {};
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length <= 0)
        return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    LRESULT n = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(buffer.data()));
    if (n == LB_ERR || n <= 0)
        return {};
    return std::string(buffer.data(), static_cast<size_t>(n < length ? n : length));
}

std::string CListBox::GetText(int index) const {
    return GetListBoxText(m_hWnd, index);
}

void CListBox::ResetContent() const {
    SendMessage(LB_RESETCONTENT);
}
