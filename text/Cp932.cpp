#include "text/Cp932.h"

#include "text/Utf.h"

namespace Cp932 {
namespace {

#include "text/Cp932Table.inc"

constexpr uint16_t kUnrepresentable = '?';

// The CP932 code of a BMP character (a single byte below 0x100, else lead * 256 + trail), or
// '?' when CP932 has no byte sequence for it.
uint16_t EncodeBmp(char32_t character)
{
    if (character < 0x80)
        return static_cast<uint16_t>(character);
    const uint16_t code = kEncodePages[kEncodePageOfHigh[character >> 8]][character & 0xFF];
    return code != 0 ? code : kUnrepresentable;
}

bool IsDoubleByteCode(uint16_t code) { return code > 0xFF; }

void AppendCode(std::string& out, uint16_t code)
{
    if (IsDoubleByteCode(code))
        out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

// The character codes of a UTF-8 text's CP932 form, one at a time; 0 once the text is used up.
// Windows converts wide characters one UTF-16 unit at a time, so a character beyond the BMP,
// which CP932 never has, yields a '?' for each of its two surrogates.
class Utf8Codes {
public:
    explicit Utf8Codes(std::string_view utf8) : m_utf8(utf8) {}

    bool AtEnd() const { return m_pos >= m_utf8.size() && !m_secondSurrogatePending; }

    // The ASCII characters from here on, whose codes are their own bytes, all at once.
    std::string_view TakeAscii()
    {
        const std::size_t start = m_pos;
        while (!m_secondSurrogatePending && m_pos < m_utf8.size() && static_cast<uint8_t>(m_utf8[m_pos]) < 0x80)
            ++m_pos;
        return m_utf8.substr(start, m_pos - start);
    }

    uint16_t Next()
    {
        if (m_secondSurrogatePending) {
            m_secondSurrogatePending = false;
            return kUnrepresentable;
        }
        if (m_pos >= m_utf8.size())
            return 0;
        const auto byte = static_cast<uint8_t>(m_utf8[m_pos]);
        if (byte < 0x80) {
            ++m_pos;
            return byte;
        }
        const char32_t character = Utf::NextCodePoint(m_utf8, m_pos);
        if (character > 0xFFFF) {
            m_secondSurrogatePending = true;
            return kUnrepresentable;
        }
        return EncodeBmp(character);
    }

private:
    std::string_view m_utf8;
    std::size_t m_pos = 0;
    bool m_secondSurrogatePending = false;
};

// Walks a UTF-8 text's CP932 form: runs of ASCII (most of a path) go to onAscii whole, every
// other character's code to onCode.
template <class OnAscii, class OnCode>
void ForEachRun(std::string_view utf8, OnAscii onAscii, OnCode onCode)
{
    Utf8Codes codes(utf8);
    while (!codes.AtEnd()) {
        onAscii(codes.TakeAscii());
        if (!codes.AtEnd())
            onCode(codes.Next());
    }
}

// The character codes _mbscmp sees in CP932 bytes; 0 at the end, and a lead byte with nothing
// after it counts as the end too.
class ByteCodes {
public:
    explicit ByteCodes(std::string_view cp932) : m_bytes(cp932) {}

    // The ASCII bytes from here on up to a NUL, each its own code, all at once.
    std::string_view TakeAscii()
    {
        const std::size_t start = m_pos;
        while (m_pos < m_bytes.size() && static_cast<uint8_t>(m_bytes[m_pos] - 1) < 0x7F)
            ++m_pos;
        return m_bytes.substr(start, m_pos - start);
    }

    uint16_t Next()
    {
        if (m_pos >= m_bytes.size())
            return 0;
        const auto byte = static_cast<uint8_t>(m_bytes[m_pos++]);
        if (!IsLeadByte(byte))
            return byte;
        if (m_pos >= m_bytes.size())
            return 0;
        return static_cast<uint16_t>((byte << 8) | static_cast<uint8_t>(m_bytes[m_pos++]));
    }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

template <class Codes>
int CompareCodes(Codes a, Codes b)
{
    for (;;) {
        const uint16_t codeA = a.Next();
        const uint16_t codeB = b.Next();
        if (codeA != codeB)
            return codeA < codeB ? -1 : 1;
        if (codeA == 0)
            return 0;
    }
}

// The character behind the bytes at pos, advancing pos past them. A lead byte takes the next
// byte along whatever it is, except a NUL (or the end), which Windows leaves to stand alone.
char16_t DecodeAt(std::string_view cp932, std::size_t& pos)
{
    const auto byte = static_cast<uint8_t>(cp932[pos++]);
    const uint8_t row = kDecodeRowOfByte[byte];
    if (row == 0)
        return kDecodeRows[0][byte];
    const uint8_t trail = pos < cp932.size() ? static_cast<uint8_t>(cp932[pos]) : 0;
    if (trail != 0)
        ++pos;
    return kDecodeRows[row][trail];
}

// Appends a character code in sort-key form: ASCII as itself, a single high byte after 0x80 (so
// that it sorts above ASCII and below every double-byte code), a double-byte code as its bytes.
void AppendSortCode(std::string& key, uint16_t code)
{
    if (code >= 0x80 && code <= 0xFF)
        key.push_back(static_cast<char>(0x80));
    AppendCode(key, code);
}

constexpr char kUnrepresentableMark = static_cast<char>(0xFD);
constexpr char kInvalidByteMark = static_cast<char>(0xFE);

// The character at pos of a UTF-8 text, advancing pos; false (pos still advanced) when the bytes
// there are no valid UTF-8, which NextCodePoint reports as U+FFFD like a real U+FFFD.
bool NextValidCodePoint(std::string_view utf8, std::size_t& pos, char32_t& character)
{
    const std::size_t start = pos;
    character = Utf::NextCodePoint(utf8, pos);
    return character != 0xFFFD || utf8.substr(start, pos - start) == "\xEF\xBF\xBD";
}

// The CP932 code of a character; kUnrepresentable for one CP932 does not have.
uint16_t EncodeCodePoint(char32_t character)
{
    return character > 0xFFFF ? kUnrepresentable : EncodeBmp(character);
}

// Calls onAscii with each ASCII run (up to a NUL, which ends the text) and onOther with the
// position and end of each other character.
template <class OnAscii, class OnOther>
void ForEachCharacter(std::string_view utf8, OnAscii onAscii, OnOther onOther)
{
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        while (pos < utf8.size() && static_cast<uint8_t>(utf8[pos] - 1) < 0x7F)
            ++pos;
        onAscii(utf8.substr(start, pos - start));
        if (pos >= utf8.size() || utf8[pos] == '\0')
            return;
        if (!onOther(pos))
            return;
    }
}

}  // namespace

std::string LosslessSortKey(std::string_view utf8)
{
    std::string key;
    key.reserve(utf8.size() + 4);
    ForEachCharacter(
        utf8, [&key](std::string_view ascii) { key += ascii; },
        [&key, utf8](std::size_t& pos) {
            const std::size_t start = pos;
            char32_t character = 0;
            if (!NextValidCodePoint(utf8, pos, character)) {
                for (std::size_t i = start; i < pos; ++i) {
                    key += kInvalidByteMark;
                    key += utf8[i];
                }
                return true;
            }
            const uint16_t code = EncodeCodePoint(character);
            if (code != kUnrepresentable) {
                AppendSortCode(key, code);
                return true;
            }
            key += kUnrepresentableMark;
            for (int shift = 16; shift >= 0; shift -= 8)
                key += static_cast<char>((character >> shift) & 0xFF);
            return true;
        });
    return key;
}

bool IsRepresentable(std::string_view utf8)
{
    bool representable = true;
    ForEachCharacter(
        utf8, [](std::string_view) {},
        [&representable, utf8](std::size_t& pos) {
            char32_t character = 0;
            representable = NextValidCodePoint(utf8, pos, character) && EncodeCodePoint(character) != kUnrepresentable;
            return representable;
        });
    return representable;
}

std::string FromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());  // no character takes more bytes in CP932 than in UTF-8
    ForEachRun(
        utf8, [&out](std::string_view ascii) { out += ascii; }, [&out](uint16_t code) { AppendCode(out, code); });
    return out;
}

std::string ToUtf8(std::string_view cp932)
{
    std::string out;
    out.reserve(cp932.size() * 3);  // a half-width katakana byte takes three in UTF-8
    for (std::size_t pos = 0; pos < cp932.size();) {
        const char16_t character = DecodeAt(cp932, pos);
        if (character < 0x80)
            out += static_cast<char>(character);
        else
            Utf::AppendUtf8(out, character);
    }
    return out;
}

std::size_t ByteLength(std::string_view utf8)
{
    std::size_t length = 0;
    ForEachRun(
        utf8, [&length](std::string_view ascii) { length += ascii.size(); },
        [&length](uint16_t code) { length += IsDoubleByteCode(code) ? 2 : 1; });
    return length;
}

bool IsLeadByte(uint8_t byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

bool IsLegalDoubleByte(uint16_t code)
{
    const auto trail = static_cast<uint8_t>(code & 0xFF);
    return IsLeadByte(static_cast<uint8_t>(code >> 8)) && trail >= 0x40 && trail <= 0xFC && trail != 0x7F;
}

bool IsLowerByte(uint8_t byte) { return byte >= 'a' && byte <= 'z'; }

int Compare(std::string_view cp932a, std::string_view cp932b)
{
    return CompareCodes(ByteCodes(cp932a), ByteCodes(cp932b));
}

int CompareUtf8(std::string_view utf8a, std::string_view utf8b)
{
    return CompareCodes(Utf8Codes(utf8a), Utf8Codes(utf8b));
}

std::string SortKey(std::string_view cp932)
{
    std::string key;
    key.reserve(cp932.size() + 4);
    ByteCodes codes(cp932);
    for (;;) {
        key += codes.TakeAscii();  // most of a path, which sorts by its own bytes
        const uint16_t code = codes.Next();
        if (code == 0)
            break;
        AppendSortCode(key, code);
    }
    return key;
}

}  // namespace Cp932
