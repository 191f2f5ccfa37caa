// Code page 932 (Japanese Shift-JIS as Windows defines it): conversion from and to UTF-8 and the
// byte-level questions the program asks of CP932 text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The program keeps text in UTF-8. Store files, byte widths, the double-byte rules and the order
// of folder keys are defined over the CP932 bytes of a text, which these functions provide.
//
// Conversion follows Windows (MultiByteToWideChar / WideCharToMultiByte for code page 932 with
// no best-fit mapping): where CP932 has several byte sequences for one character, the one
// Windows writes is chosen. A character CP932 cannot represent becomes "?" in CP932: "?" can
// never appear in a Windows file name, so a stored key or path that held such a character can
// never be mistaken for another real folder, and the byte stream around it stays well-formed.
namespace Cp932 {

// UTF-8 to CP932 bytes. Each invalid UTF-8 byte and each unrepresentable character becomes '?';
// a character beyond the BMP (an emoji) becomes "??", as Windows converts it one UTF-16 unit at
// a time.
std::string FromUtf8(std::string_view utf8);

// CP932 bytes to UTF-8. A byte sequence with no character behind it becomes U+30FB ("・"), as on
// Windows: a lead byte with an unassigned or invalid trail byte (both bytes are taken), and a
// lead byte at the very end or before a NUL byte (the NUL is kept).
std::string ToUtf8(std::string_view cp932);

// Number of bytes the UTF-8 text takes in CP932 (what FromUtf8 would produce).
std::size_t ByteLength(std::string_view utf8);

// True for the bytes that start a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool IsLeadByte(uint8_t byte);

// _ismbclegal: the 16-bit value (lead * 256 + trail) is a legal double-byte character code, that
// is a lead byte followed by a trail byte (0x40-0x7E, 0x80-0xFC).
bool IsLegalDoubleByte(uint16_t code);

// _ismbclower for a single byte: 'a' to 'z'.
bool IsLowerByte(uint8_t byte);

// _mbscmp over CP932 bytes: characters are compared as codes (a double-byte character as
// lead * 256 + trail, a single byte as itself), so half-width katakana (0xA1-0xDF) sort before
// the double-byte characters with a lead byte of 0x81-0x9F. A lead byte with nothing after it
// counts as the end of the text. Negative, zero or positive.
int Compare(std::string_view cp932a, std::string_view cp932b);

// Compare for UTF-8 texts: the order of their CP932 forms (without building them).
int CompareUtf8(std::string_view utf8a, std::string_view utf8b);

// A byte string whose plain byte order (memcmp, std::string's <) is the Compare order of the CP932
// text: ASCII and double-byte characters keep their bytes, a single high byte (half-width
// katakana) gets 0x80 in front, so it sorts above ASCII and below every double-byte character.
// Ordered containers keyed by it compare with memcmp instead of decoding characters.
std::string SortKey(std::string_view cp932);

// The sort key of a UTF-8 text, made without losing anything: for a text CP932 can represent it
// equals SortKey(FromUtf8(utf8)); a character CP932 cannot represent becomes 0xFD and its code
// point in three bytes, an invalid UTF-8 byte 0xFE and the byte. Those lead bytes never start a
// CP932 sort code, so distinct texts always get distinct keys (folder names that differ only
// outside CP932 are never taken for one), and such texts sort after every CP932 text that agrees
// with them up to there. A NUL ends the text, as in SortKey.
std::string LosslessSortKey(std::string_view utf8);

// True when FromUtf8 loses nothing of the text: valid UTF-8 whose every character CP932 has.
bool IsRepresentable(std::string_view utf8);

}  // namespace Cp932
