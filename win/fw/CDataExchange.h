// CDataExchange: moving values between a dialog's controls and the dialog object's members.
#pragma once

#include <windows.h>

#include <string>

// DoDataExchange of a dialog calls the DDX_ functions once per control: with m_bSaveAndValidate
// set they read the controls into the members, otherwise they fill the controls. A value that
// cannot be read (a number field holding no number) leaves the member as it was and marks the
// exchange failed, so that UpdateData reports false and OK does not close the dialog.
class CDataExchange {
public:
    CDataExchange(HWND hDialog, bool bSaveAndValidate) : m_hDialog(hDialog), m_bSaveAndValidate(bSaveAndValidate) {}

    const HWND m_hDialog;
    const bool m_bSaveAndValidate;
    bool m_bFailed = false;
};

void DDX_Text(CDataExchange& dx, int id, std::wstring& value);
void DDX_Text(CDataExchange& dx, int id, int& value);
// A check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange& dx, int id, int& value);
// A group of radio buttons starting with id: the index of the checked one, -1 for none.
void DDX_Radio(CDataExchange& dx, int id, int& value);
