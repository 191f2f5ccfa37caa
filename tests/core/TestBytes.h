// Test helpers for byte strings and code point names.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>

// A byte string from byte values, for expected encodings.
inline std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int value : values)
        out += static_cast<char>(value);
    return out;
}

// "U+XXXX", naming a code point in failure messages.
inline std::string CodePointName(char32_t codePoint)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(codePoint));
    return text;
}
