// Dialog data exchange for texts, numbers, check boxes and radio groups.
#include "fw/CDataExchange.h"

#include <cwchar>

void DDX_Text(CDataExchange& dx, int id, std::wstring& value)
{
    HWND hControl = GetDlgItem(dx.m_hDialog, id);
    if (!dx.m_bSaveAndValidate) {
        SetWindowTextW(hControl, value.c_str());
        return;
    }
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hControl)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hControl, text.data(), static_cast<int>(text.size()))));
    value = text;
}

void DDX_Text(CDataExchange& dx, int id, int& value)
{
    std::wstring text = std::to_wstring(value);
    DDX_Text(dx, id, text);
    if (!dx.m_bSaveAndValidate)
        return;
    wchar_t* end = nullptr;
    const long number = std::wcstol(text.c_str(), &end, 10);
    while (end && *end == L' ')
        ++end;
    if (text.empty() || !end || *end != L'\0' || number < INT_MIN || number > INT_MAX) {
        dx.m_bFailed = true;
        return;
    }
    value = static_cast<int>(number);
}

void DDX_Check(CDataExchange& dx, int id, int& value)
{
    if (dx.m_bSaveAndValidate)
        value = static_cast<int>(IsDlgButtonChecked(dx.m_hDialog, id));
    else
        CheckDlgButton(dx.m_hDialog, id, static_cast<UINT>(value));
}

void DDX_Radio(CDataExchange& dx, int id, int& value)
{
    HWND hFirst = GetDlgItem(dx.m_hDialog, id);
    int index = 0;
    if (dx.m_bSaveAndValidate)
        value = -1;
    for (HWND hButton = hFirst; hButton; hButton = GetWindow(hButton, GW_HWNDNEXT), ++index) {
        if (hButton != hFirst && (GetWindowLongW(hButton, GWL_STYLE) & WS_GROUP))
            break;
        if (dx.m_bSaveAndValidate) {
            if (SendMessageW(hButton, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = index;
        } else {
            SendMessageW(hButton, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
}
