// Win32Text: UTF-8 <-> UTF-16 conversions in the shape the wide-character Win32 APIs take.
#pragma once

#include <string>
#include <string_view>

#include "text/Utf.h"

// wchar_t is 16 bits on Windows, so a UTF-16 string and a wide string hold the same code units.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring ToWide(std::string_view utf8)
{
    const std::u16string utf16 = Utf::Utf8ToUtf16(utf8);
    return std::wstring(utf16.begin(), utf16.end());
}

inline std::string FromWide(std::wstring_view wide)
{
    return Utf::Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}
