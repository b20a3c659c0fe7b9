#include "framework/ui/Wnd.h"

#include "framework/ui/WinApp.h"

#include <unordered_map>
#include <vector>

namespace {

std::unordered_map<HWND, CWnd*>& HandleMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// The object whose window CreateEx is creating; bound at the window's first message.
CWnd* g_pWndInit = nullptr;

// The message being handled by the innermost Dispatch. Kept outside the objects, because a
// handler may end with its own object deleted (a window that deletes itself on destruction).
MSG g_msgCur{};

} // namespace

CWnd::~CWnd() {
    if (m_hWnd == nullptr || FromHandle(m_hWnd) != this)
        return;
    if (m_bCreatedHere) {
        ::DestroyWindow(m_hWnd); // WM_NCDESTROY unbinds
    } else {
        if (m_pfnSuper)
            SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        HandleMap().erase(m_hWnd);
    }
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandle(HWND wnd) {
    auto it = HandleMap().find(wnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

HWND CWnd::Detach() {
    HWND wnd = m_hWnd;
    if (wnd && FromHandle(wnd) == this) {
        if (m_pfnSuper)
            SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
        HandleMap().erase(wnd);
    }
    m_hWnd = nullptr;
    m_bCreatedHere = false;
    return wnd;
}

void CWnd::BindWindow(HWND wnd, bool subclass) {
    m_hWnd = wnd;
    HandleMap()[wnd] = this;
    if (subclass) {
        auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd, GWLP_WNDPROC));
        if (current != StdWndProc) {
            m_pfnSuper = current;
            SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StdWndProc));
        }
    }
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* windowName, DWORD style,
                    int x, int y, int width, int height, HWND parent, HMENU menuOrId) {
    g_pWndInit = this;
    HWND wnd = CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent,
                               menuOrId, GetResourceHandle(), nullptr);
    if (g_pWndInit == this)
        g_pWndInit = nullptr;
    if (wnd == nullptr)
        return false;
    if (FromHandle(wnd) != this)
        BindWindow(wnd, true); // a system class: its procedure stays behind ours
    m_bCreatedHere = true;
    return true;
}

bool CWnd::DestroyWindow() {
    if (m_hWnd == nullptr)
        return false;
    HWND wnd = m_hWnd;
    bool bound = FromHandle(wnd) == this;
    bool ok = ::DestroyWindow(wnd) != FALSE;
    if (!bound)
        m_hWnd = nullptr;
    return ok;
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandle(hwnd);
    if (wnd == nullptr && g_pWndInit != nullptr) {
        wnd = g_pWndInit;
        g_pWndInit = nullptr;
        wnd->BindWindow(hwnd, false);
    }
    if (wnd == nullptr)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    return Dispatch(wnd, hwnd, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG saved = g_msgCur;
    g_msgCur = MSG{hwnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = CallBehindExceptionBarrier(&g_msgCur, [&]() -> LRESULT {
        if (message != WM_NCDESTROY)
            return wnd->WindowProc(message, wParam, lParam);
        LRESULT done = wnd->Default();
        g_msgCur = saved;
        wnd->OnNcDestroyed(); // may delete wnd
        return done;
    });
    g_msgCur = saved;
    return result;
}

void CWnd::OnNcDestroyed() {
    HWND wnd = m_hWnd;
    HandleMap().erase(wnd);
    RemoveModelessDialog(wnd);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    m_bCreatedHere = false;
    CWinApp* app = GetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
    PostNcDestroy();
}

LRESULT CWnd::Default() {
    return DefWindowProc(g_msgCur.message, g_msgCur.wParam, g_msgCur.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_ACTIVATEAPP:
        OnActivateApp(wParam != 0, static_cast<DWORD>(lParam));
        return 0;
    case WM_PALETTECHANGED:
        OnPaletteChanged(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_QUERYNEWPALETTE:
        return OnQueryNewPalette();
    case WM_SHOWWINDOW:
        OnShowWindow(wParam != 0, static_cast<UINT>(lParam));
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return 0;
        return Default();
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        HBRUSH brush =
            OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
        return brush ? reinterpret_cast<LRESULT>(brush) : Default();
    }
    default:
        return Default();
    }
}

int CWnd::OnCreate(CREATESTRUCTA*) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnPaint() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnActivateApp(bool, DWORD) {
    Default();
}
void CWnd::OnPaletteChanged(HWND) {
    Default();
}
LRESULT CWnd::OnQueryNewPalette() {
    return Default();
}
void CWnd::OnShowWindow(bool, UINT) {
    Default();
}
void CWnd::OnTimer(UINT_PTR) {
    Default();
}
bool CWnd::OnCommand(UINT, UINT, HWND) {
    return false;
}
HBRUSH CWnd::OnCtlColor(HDC, HWND, UINT) {
    return nullptr;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

bool CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam) != FALSE;
}

void CWnd::SetWindowText(const std::string& text) const {
    ::SetWindowTextA(m_hWnd, text.c_str());
}

std::string GetWindowTextOf(HWND wnd) {
    if (wnd == nullptr)
        return {};
    int length = ::GetWindowTextLengthA(wnd);
    if (length <= 0)
        return {};
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    int n = ::GetWindowTextA(wnd, buffer.data(), length + 1);
    return std::string(buffer.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

std::string CWnd::GetWindowText() const {
    return GetWindowTextOf(m_hWnd);
}

HWND CWnd::GetDlgItem(int id) const {
    return ::GetDlgItem(m_hWnd, id);
}

void CWnd::SetDlgItemText(int id, const std::string& text) const {
    ::SetDlgItemTextA(m_hWnd, id, text.c_str());
}

std::string CWnd::GetDlgItemText(int id) const {
    return GetWindowTextOf(GetDlgItem(id));
}

void CWnd::ShowWindow(int command) const {
    ::ShowWindow(m_hWnd, command);
}
bool CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd) != FALSE;
}
void CWnd::EnableWindow(bool enable) const {
    ::EnableWindow(m_hWnd, enable);
}
void CWnd::SetFocus() const {
    ::SetFocus(m_hWnd);
}
void CWnd::Invalidate(bool erase) const {
    ::InvalidateRect(m_hWnd, nullptr, erase);
}
void CWnd::UpdateWindow() const {
    ::UpdateWindow(m_hWnd);
}

RECT CWnd::GetWindowRect() const {
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetClientRect() const {
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

void CWnd::SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) const {
    ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
}

HWND CWnd::GetOwner() const {
    return ::GetWindow(m_hWnd, GW_OWNER);
}

void CWnd::CenterWindow(HWND alternate) const {
    RECT work{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    HWND owner = alternate ? alternate : GetOwner();
    RECT center = work;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &center);
    RECT rect = GetWindowRect();
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int x = (center.left + center.right) / 2 - width / 2;
    int y = (center.top + center.bottom) / 2 - height / 2;
    if (x + width > work.right)
        x = work.right - width;
    if (x < work.left)
        x = work.left;
    if (y + height > work.bottom)
        y = work.bottom - height;
    if (y < work.top)
        y = work.top;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
