#include "framework/ui/FileDialog.h"

#include "framework/ui/SystemLibrary.h"
#include "framework/ui/WinApp.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

constexpr size_t kFileBufferSize = 1024;

// The common dialog of Windows 95, NT 3.51 and NT 4.0 knows only the structure without the
// fields that Windows 2000 added, and refuses any other size (CDERR_STRUCTSIZE).
constexpr DWORD kOldStructureSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#if defined(__i386__)
static_assert(kOldStructureSize == 76, "OPENFILENAME_SIZE_VERSION_400");
#endif

// Runs a handler called from the common dialog's hook behind the exception barrier.
template <class F> void Guarded(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, F f) {
    const MSG msg{hwnd, message, wParam, lParam, 0, {0, 0}};
    CallBehindExceptionBarrier(&msg, [&] {
        f();
        return LRESULT(0);
    });
}

} // namespace

CFileDialog::CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName,
                         DWORD flags, const char* filter, CWnd* parent)
    : CDialog(0, parent), m_bOpenFileDialog(openFileDialog), m_fileBuffer(kFileBufferSize, '\0') {
    m_ofn.lStructSize = kOldStructureSize;
    m_ofn.hInstance = GetResourceHandle();
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());
    if (fileName)
        strncpy(m_fileBuffer.data(), fileName, m_fileBuffer.size() - 1);
    if (defaultExtension) {
        m_strDefaultExtension = defaultExtension;
        m_ofn.lpstrDefExt = m_strDefaultExtension.c_str();
    }
    if (filter) {
        m_filter.assign(filter, filter + strlen(filter));
        std::replace(m_filter.begin(), m_filter.end(), '|', '\0');
        m_filter.push_back('\0');
        m_filter.push_back('\0');
        m_ofn.lpstrFilter = m_filter.data();
    }
    m_ofn.Flags = (flags | OFN_ENABLEHOOK) & ~static_cast<DWORD>(OFN_EXPLORER);
    m_ofn.lpfnHook = HookProc;
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = OwnerForModal();
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    m_ofn.lpfnHook = HookProc;
    m_ofn.Flags |= OFN_ENABLEHOOK;
    m_bModal = true;
    // Loaded on first use: most runs show no file dialog.
    auto run = SystemFunction<decltype(&::GetOpenFileNameA)>(
        "comdlg32.dll", m_bOpenFileDialog ? "GetOpenFileNameA" : "GetSaveFileNameA");
    BOOL ok = run != nullptr && run(&m_ofn);
    m_bModal = false;
    if (m_hWnd != nullptr) // unbound when the window outlived its WM_NCDESTROY unseen
        Detach();
    return ok ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetPathName() const {
    return std::string(m_fileBuffer.data());
}

void CFileDialog::OnOK() {
    DefWindowProc(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetDlgItem(IDOK)));
}

void CFileDialog::OnCancel() {
    DefWindowProc(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetDlgItem(IDCANCEL)));
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT selChanged = RegisterWindowMessageA(LBSELCHSTRINGA);
    static const UINT fileNameOk = RegisterWindowMessageA(FILEOKSTRINGA);
    if (message == WM_INITDIALOG) {
        auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
        auto* dialog = ofn ? reinterpret_cast<CFileDialog*>(ofn->lCustData) : nullptr;
        if (dialog == nullptr || FromHandle(hwnd) != nullptr)
            return FALSE;
        return static_cast<UINT_PTR>(InitDialogBound(dialog, hwnd, wParam, lParam));
    }
    auto* dialog = static_cast<CFileDialog*>(FromHandle(hwnd));
    if (dialog == nullptr)
        return FALSE;
    if (message == fileNameOk) {
        bool refuse = false;
        Guarded(hwnd, message, wParam, lParam, [&] { refuse = dialog->OnFileNameOK(); });
        SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, refuse ? 1 : 0);
        return refuse ? 1 : 0;
    }
    if (message == selChanged) {
        Guarded(hwnd, message, wParam, lParam, [&] {
            dialog->OnLBSelChangedNotify(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        });
        return TRUE;
    }
    return FALSE;
}
