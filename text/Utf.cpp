#include "text/Utf.h"

#include <cstdint>

namespace Utf {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t codePoint) { return codePoint >= 0xD800 && codePoint <= 0xDFFF; }
bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// What a UTF-8 lead byte promises: the sequence length, the payload bits it carries and the
// smallest code point that needs that length (anything below is an overlong form).
struct LeadByte {
    std::size_t length;
    char32_t bits;
    char32_t minimum;
};

// Length 0 for bytes that cannot start a sequence: continuation bytes, 0xC0/0xC1 (always
// overlong) and 0xF5-0xFF (beyond U+10FFFF).
LeadByte ReadLeadByte(uint8_t byte)
{
    if (byte >= 0xC2 && byte <= 0xDF)
        return {2, char32_t(byte & 0x1F), 0x80};
    if (byte >= 0xE0 && byte <= 0xEF)
        return {3, char32_t(byte & 0x0F), 0x800};
    if (byte >= 0xF0 && byte <= 0xF4)
        return {4, char32_t(byte & 0x07), 0x10000};
    return {0, 0, 0};
}

bool IsContinuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

char32_t NextCodePoint(std::string_view utf8, std::size_t& pos)
{
    const auto first = static_cast<uint8_t>(utf8[pos]);
    if (first < 0x80) {
        ++pos;
        return first;
    }
    const LeadByte lead = ReadLeadByte(first);
    if (lead.length == 0 || utf8.size() - pos < lead.length) {
        ++pos;
        return kReplacement;
    }
    char32_t codePoint = lead.bits;
    for (std::size_t i = 1; i < lead.length; ++i) {
        const auto byte = static_cast<uint8_t>(utf8[pos + i]);
        if (!IsContinuation(byte)) {
            ++pos;
            return kReplacement;
        }
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    if (codePoint < lead.minimum || IsSurrogate(codePoint) || codePoint > 0x10FFFF) {
        ++pos;
        return kReplacement;
    }
    pos += lead.length;
    return codePoint;
}

void AppendUtf8(std::string& out, char32_t codePoint)
{
    if (IsSurrogate(codePoint) || codePoint > 0x10FFFF)
        codePoint = kReplacement;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t codePoint = NextCodePoint(utf8, pos);
        if (codePoint < 0x10000) {
            out += static_cast<char16_t>(codePoint);
        } else {
            out += static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size() * 3);
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        if (IsHighSurrogate(unit) && i + 1 < utf16.size() && IsLowSurrogate(utf16[i + 1])) {
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (char32_t(utf16[i + 1]) - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, unit);  // an unpaired surrogate comes out as U+FFFD
        }
    }
    return out;
}

std::string ToLowerAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string ToUpperAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

}  // namespace Utf
