// Reading the string table.
#include "fw/ResourceText.h"

std::wstring LoadResourceString(UINT id, const wchar_t* fallback)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text)
        return fallback;
    return std::wstring(text, static_cast<std::size_t>(length));
}

std::wstring CommandPrompt(UINT id)
{
    const std::wstring text = LoadResourceString(id);
    return text.substr(0, text.find(L'\n'));
}

std::wstring CommandTip(UINT id)
{
    const std::wstring text = LoadResourceString(id);
    const std::size_t lineBreak = text.find(L'\n');
    return lineBreak == std::wstring::npos ? std::wstring() : text.substr(lineBreak + 1);
}
