// CDataExchange: moving values between a dialog's controls and the dialog object's members.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// DoDataExchange of a dialog calls the DDX_ functions once per control, each followed by the
// DDV_ checks of that control: with m_bSaveAndValidate set they read the controls into the
// members, otherwise they fill the controls. A value that cannot be read or lies outside its
// range shows the framework's prompt, puts the caret into its control and marks the exchange
// failed: that member and every one exchanged after it keep their values, UpdateData reports
// false and OK does not close the dialog.
class CDataExchange {
public:
    CDataExchange(HWND hDialog, bool bSaveAndValidate) : m_hDialog(hDialog), m_bSaveAndValidate(bSaveAndValidate) {}

    // True while reading controls that an earlier failure has not stopped.
    bool Reading() const { return m_bSaveAndValidate && !m_bFailed; }
    // Tells the user what the control needs and ends the reading there.
    void Fail(int id, const std::string& prompt);

    const HWND m_hDialog;
    const bool m_bSaveAndValidate;
    bool m_bFailed = false;
};

void DDX_Text(CDataExchange& dx, int id, std::wstring& value);
// A UTF-8 text member.
void DDX_Text(CDataExchange& dx, int id, std::string& value);
void DDX_Text(CDataExchange& dx, int id, int& value);
void DDX_Text(CDataExchange& dx, int id, uint32_t& value);
void DDX_Text(CDataExchange& dx, int id, double& value);
// A check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange& dx, int id, int& value);
// A group of radio buttons starting with id: the index of the checked one, -1 for none.
void DDX_Radio(CDataExchange& dx, int id, int& value);

// Filling, the control takes no more than count characters; reading, a longer text fails.
void DDV_MaxChars(CDataExchange& dx, int id, const std::string& value, int count);
void DDV_MinMaxDouble(CDataExchange& dx, int id, double value, double minimum, double maximum);
void DDV_MinMaxUInt(CDataExchange& dx, int id, uint32_t value, uint32_t minimum, uint32_t maximum);
