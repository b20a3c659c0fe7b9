#include "errors/ErrorDialog.h"

#include "errors/XException.h"
#include "framework/Format.h"
#include "framework/ui/DataExchange.h"
#include "res/StringIds.h"

#include <cstdarg>
#include <memory>

namespace {

enum : int {
    kMessageId = 141,
    kIconId = 142,
    kTitleId = 140,
    kExplanationId = 152,
    kErrorInfoId = 144,
};

} // namespace

std::string FormatErrorMessage(UINT messageId, ...) {
    std::string text;
    va_list args;
    va_start(args, messageId);
    FormatResourceV(text, messageId, args);
    va_end(args);
    return text;
}

int ShowExceptionDialog(UINT messageId, const std::string& messageText, const CException& e,
                        bool ask, UINT iconId) {
    std::unique_ptr<CXException> translated;
    const CXException& x = LoadErrorTextFor(e, translated);
    std::string info;
    FormatString(info, "%d.%d (%s)", static_cast<int>(messageId), static_cast<int>(x.m_nCause),
                 x.GetRuntimeClassName());

    CErrorDialog dialog;
    dialog.m_strMessage = messageText;
    dialog.m_strTitle = SharedErrorTitle();
    dialog.m_strExplanation = SharedErrorExplanation();
    dialog.m_strErrorInfo = info;
    dialog.m_bAsk = ask;
    dialog.m_nIconId = iconId;
    return static_cast<int>(dialog.DoModal());
}

bool CreateScaledFont(CFont& font, HDC dc, const char* faceName, int pointHeight, bool bold,
                      BYTE italic, int pointWidth, int escapement, int orientation, BYTE underline,
                      BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                      BYTE quality, BYTE pitchAndFamily) {
    std::unique_ptr<CMemoryDC> screen;
    HDC measure = dc;
    if (measure == nullptr) {
        screen = std::make_unique<CMemoryDC>(nullptr);
        measure = screen->Get();
    }
    int height = -MulDiv(pointHeight, GetDeviceCaps(measure, LOGPIXELSY), 72);
    int width = -MulDiv(pointWidth, GetDeviceCaps(measure, LOGPIXELSX), 72);
    font.Reset(CreateFontA(height, width, escapement, orientation, bold ? FW_BOLD : FW_DONTCARE,
                           italic, underline, strikeOut, charSet, outPrecision, clipPrecision,
                           quality, pitchAndFamily, faceName));
    return !font.IsNull();
}

CErrorDialog::CErrorDialog(CWnd* parent)
    : CExpandingDialog(kErrorDialogTemplate, parent),
      m_brBackground(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))) {
    CreateScaledFont(m_fontInfo, nullptr, "Arial", 8, false, 0);
}

void CErrorDialog::DoDataExchange(CDataExchange& dx) {
    if (dx.m_bSaveAndValidate)
        return; // nothing is read back
    HICON icon = LoadIconA(nullptr, MAKEINTRESOURCEA(m_nIconId));
    SendDlgItemMessageA(m_hWnd, kIconId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    DDX_Text(dx, kMessageId, m_strMessage);
    DDX_Text(dx, kTitleId, m_strTitle);
    DDX_Text(dx, kExplanationId, m_strExplanation);
    DDX_Text(dx, kErrorInfoId, m_strErrorInfo);
}

bool CErrorDialog::OnInitDialog() {
    CExpandingDialog::OnInitDialog();
    if (m_bAsk) {
        SetDlgItemText(IDOK, LoadResourceString(IDS_CONTINUE_OPERATION));
        SetDlgItemText(IDCANCEL, LoadResourceString(IDS_CANCEL_OPERATION));
    } else if (HWND cancel = GetDlgItem(IDCANCEL)) {
        ::ShowWindow(cancel, SW_HIDE);
    }
    SendDlgItemMessageA(m_hWnd, kErrorInfoId, WM_SETFONT,
                        reinterpret_cast<WPARAM>(m_fontInfo.Get()), TRUE);
    SendDlgItemMessageA(m_hWnd, kExplanationId, WM_SETFONT,
                        reinterpret_cast<WPARAM>(m_fontInfo.Get()), TRUE);
    CenterWindow();
    return true;
}

HBRUSH CErrorDialog::OnCtlColor(HDC dc, HWND control, UINT ctlColorMessage) {
    if (control == GetDlgItem(kExplanationId)) {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return m_brBackground.Get();
    }
    return CExpandingDialog::OnCtlColor(dc, control, ctlColorMessage);
}

void CErrorDialog::OnOK() {
    EndDialog(IDOK);
}
