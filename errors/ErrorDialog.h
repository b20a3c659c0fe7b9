// The error dialog: how every failure reaches the user. ReportError informs (OK alone);
// AskAfterError lets the user continue or cancel. Both format a message from the string
// table and show the exception's title, explanation and error information
// "message.cause (ClassName)" in CErrorDialog (template 1544). Win32 only.
//
// Neither entry point throws or takes ownership of the exception.
#pragma once

#include "app/ExpandingDialog.h"
#include "framework/ui/Gdi.h"
#include "res/DialogIds.h"

#include <string>
#include <type_traits>

class CException;

constexpr UINT kErrorDialogTemplate = IDD_ERROR_DIALOG;
constexpr UINT kIconExclamation = 32515; // IDI_EXCLAMATION

// Formats string messageId printf-style into at most 511 characters (longer messages are
// cut); empty when the string does not exist.
std::string FormatErrorMessage(UINT messageId, ...);

// Shows the dialog for e (translated into the program's family when it is a framework
// exception); ask gives Continue/Cancel. Returns the end code: IDOK (1) or IDCANCEL (2).
int ShowExceptionDialog(UINT messageId, const std::string& messageText, const CException& e,
                        bool ask, UINT iconId);

// Arguments fill the printf-style message: numbers and C strings only.
template <class... Args> void ReportError(UINT messageId, const CException& e, Args... args) {
    static_assert(((std::is_arithmetic_v<Args> || std::is_pointer_v<Args>)&&...),
                  "message arguments are numbers or C strings");
    ShowExceptionDialog(messageId, FormatErrorMessage(messageId, args...), e, false,
                        kIconExclamation);
}

// True when the user chose "Continue Operation".
template <class... Args> bool AskAfterError(UINT messageId, const CException& e, Args... args) {
    static_assert(((std::is_arithmetic_v<Args> || std::is_pointer_v<Args>)&&...),
                  "message arguments are numbers or C strings");
    return ShowExceptionDialog(messageId, FormatErrorMessage(messageId, args...), e, true,
                               kIconExclamation) == IDOK;
}

// Creates font: pointHeight (and pointWidth) scaled from points to the device's pixels per
// logical inch and negated; weight 700 when bold, else the default. Without a device context
// a memory context compatible with the screen is measured. False when no font was created.
bool CreateScaledFont(CFont& font, HDC dc, const char* faceName, int pointHeight, bool bold,
                      BYTE italic, int pointWidth = 0, int escapement = 0, int orientation = 0,
                      BYTE underline = 0, BYTE strikeOut = 0, BYTE charSet = 0,
                      BYTE outPrecision = 0, BYTE clipPrecision = 0, BYTE quality = 0,
                      BYTE pitchAndFamily = 0);

// The modal error dialog.
class CErrorDialog : public CExpandingDialog {
public:
    CErrorDialog(CWnd* parent = nullptr);

    std::string m_strMessage;     // 141
    std::string m_strTitle;       // 140
    std::string m_strExplanation; // 152
    std::string m_strErrorInfo;   // 144
    bool m_bAsk = false;          // Continue/Cancel instead of OK alone
    CBrush m_brBackground;        // button face, behind the explanation
    CFont m_fontInfo;             // "Arial" 8 for the explanation and the error information
    UINT m_nIconId = kIconExclamation;

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColorMessage) override;
    void OnOK() override;
};
