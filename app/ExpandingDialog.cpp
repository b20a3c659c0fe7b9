#include "app/ExpandingDialog.h"

namespace {

bool Contains(const RECT& r, LONG x, LONG y) {
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

void ReplaceFirst(std::string& text, const std::string& from, const std::string& to) {
    size_t pos = text.find(from);
    if (pos != std::string::npos)
        text.replace(pos, from.size(), to);
}

} // namespace

CExpandingDialog::CExpandingDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

bool CExpandingDialog::OnInitDialog() {
    bool result = CDialog::OnInitDialog();
    m_rcFull = GetWindowRect();
    m_bExpanded = 1;
    ToggleExpand();
    return result;
}

void CExpandingDialog::ToggleExpand() {
    RECT visible{};
    int width = 0, height = 0;
    if (m_bExpanded) {
        RECT marker{};
        if (HWND wnd = GetDlgItem(kFoldMarkerId)) {
            ::GetWindowRect(wnd, &marker);
            MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&marker), 2);
        }
        RECT folded{0, 0, marker.right, marker.bottom};
        AdjustWindowRectEx(&folded, static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_EXSTYLE)));
        width = folded.right - folded.left;
        height = folded.bottom - folded.top;
        POINT origin{0, 0};
        ClientToScreen(m_hWnd, &origin);
        visible = folded;
        OffsetRect(&visible, origin.x, origin.y);
    } else {
        width = m_rcFull.right - m_rcFull.left;
        height = m_rcFull.bottom - m_rcFull.top;
        visible = GetWindowRect();
    }
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    bool enable = !m_bExpanded;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        ::GetWindowRect(child, &r);
        if (!Contains(visible, r.left, r.top) || !Contains(visible, r.right, r.bottom))
            ::EnableWindow(child, enable);
    }
    m_bExpanded = !m_bExpanded;
}

bool CExpandingDialog::OnCommand(UINT id, UINT code, HWND control) {
    if (id == kMoreButtonId) {
        OnMoreButton();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

void CExpandingDialog::OnMoreButton() {
    ToggleExpand();
    std::string caption = GetDlgItemText(kMoreButtonId);
    if (m_bExpanded)
        ReplaceFirst(caption, ">>", "<<");
    else
        ReplaceFirst(caption, "<<", ">>");
    SetDlgItemText(kMoreButtonId, caption);
}
