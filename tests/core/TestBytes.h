// Test helpers for byte strings, code points in UTF-8 and code point names.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>

#include "text/Utf.h"

// A byte string from byte values, for expected encodings.
inline std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int value : values)
        out += static_cast<char>(value);
    return out;
}

// A code point in UTF-8, as the program writes it.
inline std::string Utf8Of(char32_t codePoint)
{
    std::string out;
    Utf::AppendUtf8(out, codePoint);
    return out;
}

// "U+XXXX", naming a code point in failure messages.
inline std::string CodePointName(char32_t codePoint)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(codePoint));
    return text;
}
