// UTF-8 and UTF-16 conversions for the boundary to Windows' wide-character APIs.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Utf {

// UTF-8 to UTF-16; each byte of an invalid sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

// Decodes one code point at pos (which must be before the end) and advances pos. Strict: an
// overlong form, a surrogate, a code point above U+10FFFF or a broken sequence yields U+FFFD and
// skips one byte.
char32_t NextCodePoint(std::string_view utf8, std::size_t& pos);

// Appends the UTF-8 form of a code point; a surrogate or a value above U+10FFFF as U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);

// ASCII-only case mapping, as the program's name rules need it.
std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);

}  // namespace Utf
