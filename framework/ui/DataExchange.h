// Control data exchange: moves values between a dialog's fields and its controls, in the
// direction given by CDataExchange::m_bSaveAndValidate. A control id that the dialog does
// not have leaves the field (or the control) as it is. Win32 only.
#pragma once

#include <string>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    bool m_bSaveAndValidate; // true: controls to fields
    CWnd* m_pDlgWnd;
};

// Window text of a control.
void DDX_Text(CDataExchange& dx, int id, std::string& value);
// Window text as a decimal number (text that is not a number reads as 0).
void DDX_Text(CDataExchange& dx, int id, int& value);
// Check state of a check box or radio button (0, 1, 2).
void DDX_Check(CDataExchange& dx, int id, int& value);
// Index of the checked radio button of the group that starts at firstId; -1 for none.
void DDX_Radio(CDataExchange& dx, int firstId, int& value);
// Makes `control` refer to the dialog's control (once; the object does not own it).
void DDX_Control(CDataExchange& dx, int id, CWnd& control);
