// Dialog data exchange for texts, numbers, check boxes and radio groups, and its range checks.
#include "fw/CDataExchange.h"

#include <cmath>
#include <cstdio>
#include <cwchar>

#include "Win32Text.h"
#include "fw/AfxMessageBox.h"

namespace {

// The framework's prompts.
constexpr const char* kEnterInteger = "整数を入力してください。";
constexpr const char* kEnterPositiveInteger = "正の整数を入力してください。";
constexpr const char* kEnterNumber = "数値を入力してください。";

// True when nothing but blanks follows end.
bool OnlyBlanksFrom(const wchar_t* end)
{
    while (end && (*end == L' ' || *end == L'\t'))
        ++end;
    return end && *end == L'\0';
}

// The control's text for a number, or nothing once the exchange is not reading.
bool ReadNumberText(CDataExchange& dx, int id, std::wstring& text)
{
    DDX_Text(dx, id, text);
    return dx.Reading();
}

std::string FormatDouble(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

}  // namespace

void CDataExchange::Fail(int id, const std::string& prompt)
{
    if (m_bFailed)
        return;
    m_bFailed = true;
    AfxMessageBox(prompt, kMbOk | kMbIconExclamation);
    HWND hControl = GetDlgItem(m_hDialog, id);
    SetFocus(hControl);
    SendMessageW(hControl, EM_SETSEL, 0, -1);
}

void DDX_Text(CDataExchange& dx, int id, std::wstring& value)
{
    HWND hControl = GetDlgItem(dx.m_hDialog, id);
    if (!dx.m_bSaveAndValidate) {
        SetWindowTextW(hControl, value.c_str());
        return;
    }
    if (dx.m_bFailed)
        return;
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hControl)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hControl, text.data(), static_cast<int>(text.size()))));
    value = text;
}

void DDX_Text(CDataExchange& dx, int id, std::string& value)
{
    std::wstring text = ToWide(value);
    DDX_Text(dx, id, text);
    if (dx.Reading())
        value = FromWide(text);
}

void DDX_Text(CDataExchange& dx, int id, int& value)
{
    std::wstring text = std::to_wstring(value);
    if (!ReadNumberText(dx, id, text))
        return;
    wchar_t* end = nullptr;
    const long long number = std::wcstoll(text.c_str(), &end, 10);
    if (text.empty() || !OnlyBlanksFrom(end) || number < INT_MIN || number > INT_MAX)
        return dx.Fail(id, kEnterInteger);
    value = static_cast<int>(number);
}

void DDX_Text(CDataExchange& dx, int id, uint32_t& value)
{
    std::wstring text = std::to_wstring(value);
    if (!ReadNumberText(dx, id, text))
        return;
    const std::size_t first = text.find_first_not_of(L" \t");
    wchar_t* end = nullptr;
    const unsigned long long number = std::wcstoull(text.c_str(), &end, 10);
    if (first == std::wstring::npos || !iswdigit(text[first]) || !OnlyBlanksFrom(end) || number > UINT32_MAX)
        return dx.Fail(id, kEnterPositiveInteger);
    value = static_cast<uint32_t>(number);
}

void DDX_Text(CDataExchange& dx, int id, double& value)
{
    std::wstring text = ToWide(FormatDouble(value));
    if (!ReadNumberText(dx, id, text))
        return;
    wchar_t* end = nullptr;
    const double number = std::wcstod(text.c_str(), &end);
    if (end == text.c_str() || !OnlyBlanksFrom(end) || !std::isfinite(number))
        return dx.Fail(id, kEnterNumber);
    value = number;
}

void DDX_Check(CDataExchange& dx, int id, int& value)
{
    if (dx.Reading())
        value = static_cast<int>(IsDlgButtonChecked(dx.m_hDialog, id));
    else if (!dx.m_bSaveAndValidate)
        CheckDlgButton(dx.m_hDialog, id, static_cast<UINT>(value));
}

void DDX_Radio(CDataExchange& dx, int id, int& value)
{
    if (dx.m_bSaveAndValidate && dx.m_bFailed)
        return;
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

void DDV_MaxChars(CDataExchange& dx, int id, const std::string& value, int count)
{
    if (!dx.m_bSaveAndValidate) {
        SendDlgItemMessageW(dx.m_hDialog, id, EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
        return;
    }
    if (dx.Reading() && ToWide(value).size() > static_cast<std::size_t>(count))
        dx.Fail(id, std::to_string(count) + " 文字以下で入力してください。");
}

void DDV_MinMaxDouble(CDataExchange& dx, int id, double value, double minimum, double maximum)
{
    if (dx.Reading() && !(value >= minimum && value <= maximum))
        dx.Fail(id, FormatDouble(minimum) + " から " + FormatDouble(maximum) + " までの数値を入力してください。");
}

void DDV_MinMaxUInt(CDataExchange& dx, int id, uint32_t value, uint32_t minimum, uint32_t maximum)
{
    if (dx.Reading() && (value < minimum || value > maximum))
        dx.Fail(id, std::to_string(minimum) + " から " + std::to_string(maximum) + " までの整数を入力してください。");
}
