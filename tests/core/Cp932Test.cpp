#include "text/Cp932.h"

#include "text/Utf.h"

#include <gtest/gtest.h>

#include "TestBytes.h"

#include <iterator>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

bool IsSurrogate(char32_t codePoint) { return codePoint >= 0xD800 && codePoint <= 0xDFFF; }

constexpr char32_t kNoCharacter = 0x30FB;  // "・", what Windows decodes a meaningless pair to

// ---- Conversion ----------------------------------------------------------------------------

TEST(Cp932Encode, EveryCharacterRoundTripsByJisThenNecRow13ThenIbmAndTheRestBecomesQuestionMarks)
{
    int encodable = 0;
    for (char32_t codePoint = 0; codePoint <= 0xFFFF; ++codePoint) {
        if (IsSurrogate(codePoint))
            continue;
        const std::string utf8 = Utf8Of(codePoint);
        const std::string cp932 = Cp932::FromUtf8(utf8);
        if (cp932 == "?" && codePoint != '?')
            continue;
        ++encodable;
        ASSERT_EQ(Cp932::ToUtf8(cp932), utf8) << CodePointName(codePoint);
        ASSERT_EQ(Cp932::ByteLength(utf8), cp932.size()) << CodePointName(codePoint);
    }
    // 196 single bytes + 6879 JIS X 0208 + 1880 user-defined, plus what the other rows add:
    // 74 of NEC row 13's 83 and 373 of the IBM extensions' 388 (0xED/0xEE add nothing).
    EXPECT_EQ(encodable, 9402);

    // Encoding prefers JIS X 0208 (≒ not NEC row 13's 0x8790, ∵ not 0x879A or 0xFA5B, ￢ not 0xEEF9 or 0xFA54),
    // then NEC row 13 (Ⅰ not 0xFA4A), then the IBM extensions (ⅰ not 0xEEEF, 纊 not 0xED40).
    const std::pair<std::string, std::string> cases[] = {
        {Utf8Of(0x2252), Bytes({0x81, 0xE0})}, {Utf8Of(0x2235), Bytes({0x81, 0xE6})},
        {Utf8Of(0xFFE2), Bytes({0x81, 0xCA})}, {Utf8Of(0x2160), Bytes({0x87, 0x54})},
        {Utf8Of(0x2170), Bytes({0xFA, 0x40})}, {Utf8Of(0x7E8A), Bytes({0xFA, 0x5C})},
        // あ, 亜, ｱ (half-width katakana are one byte), the Windows single bytes, and the first and
        // last user-defined characters.
        {Utf8Of(0x3042), Bytes({0x82, 0xA0})}, {Utf8Of(0x4E9C), Bytes({0x88, 0x9F})}, {Utf8Of(0xFF71), Bytes({0xB1})},
        {Utf8Of(0x0080), Bytes({0x80})}, {Utf8Of(0xF8F0), Bytes({0xA0})}, {Utf8Of(0xF8F1), Bytes({0xFD})},
        {Utf8Of(0xF8F3), Bytes({0xFF})}, {Utf8Of(0xE000), Bytes({0xF0, 0x40})}, {Utf8Of(0xE757), Bytes({0xF9, 0xFC})},
        // A NUL is a character too; 日本 takes four bytes; the trail byte 0x5C of 表 ends no path component.
        {"", ""}, {"C:\\Temp", "C:\\Temp"}, {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"\xE6\x97\xA5\xE6\x9C\xAC", Bytes({0x93, 0xFA, 0x96, 0x7B})},
        {"C:\\\xE8\xA1\xA8\\a", Bytes({'C', ':', '\\', 0x95, 0x5C, '\\', 'a'})},
        // 〜 (U+301C) would be 0x8160 with a best-fit mapping, but 0x8160 reads back as U+FF5E; ¥ is
        // not 0x5C; − (U+2212) is not the full-width minus 0x817C; U+E758 lies just past the
        // user-defined area. An emoji is two UTF-16 units on Windows, each of which becomes one '?',
        // and each byte of broken UTF-8 is one '?'.
        {"\xE3\x80\x9C", "?"}, {"\xC2\xA5", "?"}, {"\xE2\x88\x92", "?"}, {"\xEE\x9D\x98", "?"},
        {"a\xF0\x9F\x98\x80" "b", "a??b"}, {"a\xFF" "b", "a?b"}, {"\xE3\x81", "??"}};
    for (const auto& [utf8, cp932] : cases) {
        EXPECT_EQ(Cp932::FromUtf8(utf8), cp932) << testing::PrintToString(utf8);
        EXPECT_EQ(Cp932::ByteLength(utf8), cp932.size()) << testing::PrintToString(utf8);
    }
}

TEST(Cp932Decode, SingleBytesFollowWindowsPairsWithoutACharacterBecomeMiddleDotAndLeadBytesTakeTheirTrail)
{
    const std::string dot = Utf8Of(kNoCharacter);
    // ASCII stays ASCII (no yen sign, no overline); half-width katakana; the Windows single bytes.
    // Unassigned rows and bytes that are no trail bytes give the middle dot; the lead byte takes
    // whatever follows, even a space, and one at the end stands alone. Trail bytes in the ASCII
    // range belong to their lead: 表 is 0x95 0x5C, ― (U+2015) 0x81 0x5C.
    const std::pair<std::string, std::string> cases[] = {
        {"\\~", "\\~"}, {Bytes({0xA1, 0xDF}), "\xEF\xBD\xA1\xEF\xBE\x9F"}, {Bytes({0x80}), Utf8Of(0x80)},
        {Bytes({0xA0}), Utf8Of(0xF8F0)}, {Bytes({0xFD, 0xFE, 0xFF}), Utf8Of(0xF8F1) + Utf8Of(0xF8F2) + Utf8Of(0xF8F3)},
        {Bytes({0x85, 0x40}), dot}, {Bytes({0xEB, 0x40}), dot}, {Bytes({0x81, 0x7F}), dot}, {Bytes({0x81, 0xFD}), dot},
        {Bytes({0x81, ' ', 'A'}), dot + "A"}, {Bytes({'A', 0x81}), "A" + dot},
        {Bytes({0x81, 0x00, 'A'}), dot + std::string(1, '\0') + "A"},
        {Bytes({'C', ':', '\\', 0x95, 0x5C, '\\', 'a'}), "C:\\\xE8\xA1\xA8\\a"},
        {Bytes({0x81, 0x5C, 'A'}), "\xE2\x80\x95" "A"}};
    for (const auto& [cp932, utf8] : cases)
        EXPECT_EQ(Cp932::ToUtf8(cp932), utf8) << testing::PrintToString(cp932);

    // Legal double-byte codes: legal is about the byte ranges, not about a character being assigned (0x8540).
    for (uint16_t code : {0x8140, 0x817E, 0x8180, 0x81FC, 0x9F40, 0x9FFC, 0xE040, 0xEAA4, 0xFC40, 0xFCFC, 0x8540})
        EXPECT_TRUE(Cp932::IsLegalDoubleByte(code)) << std::hex << code;
    for (uint16_t code : {0x813F, 0x817F, 0x81FD, 0x81FF, 0x8100, 0x8040, 0xA040, 0xDF40, 0xFD40, 0xFF40,
                          0x0041, 0x4181})
        EXPECT_FALSE(Cp932::IsLegalDoubleByte(code)) << std::hex << code;
}

// ---- Order ---------------------------------------------------------------------------------

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(Cp932Compare, KatakanaBeforeDoubleBytesWhichCompareWholeAndUtf8InTheOrderOfItsCp932Form)
{
    struct Case { std::string a, b; int sign; };
    const Case cases[] = {
        // Half-width katakana sort before kanji, although plain byte order puts them after.
        {Bytes({0xB1}), Bytes({0x88, 0x9F}), -1}, {Bytes({'x', 0xDF, 'z'}), Bytes({'x', 0x81, 0x40}), -1},
        {Bytes({0x81, 0x40}), Bytes({0x81, 0x41}), -1}, {Bytes({0x88, 0xFC}), Bytes({0x89, 0x40}), -1},
        // The trail 0x5C of 表 is no backslash: 表 sorts with the double-byte characters.
        {Bytes({'a', 0x95, 0x5C}), Bytes({'a', 0xDF}), 1},
        {"", "", 0}, {"C:\\Temp", "C:\\Temp", 0}, {"C:\\Temp", "C:\\Temp\\a", -1},
        {"C:\\TEMP", "C:\\Temp", -1},  // case-sensitive, upper case first
        {"A\x81", "@", 1},
        // A lead byte with nothing after it counts as the end of the text.
        {Bytes({'A', 0x81}), "A", 0}, {Bytes({'A', 0x81}), "AB", -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.a) + " vs " + testing::PrintToString(c.b));
        EXPECT_EQ(Sign(Cp932::Compare(c.a, c.b)), c.sign);
        EXPECT_EQ(Sign(Cp932::Compare(c.b, c.a)), -c.sign);
    }

    // The order of UTF-8 texts is the order of their CP932 forms.
    const std::vector<std::string> texts = {
        "", "C:\\", "C:\\Temp", "C:\\TEMP", "C:\\Temp\\a", "C:\\B", "C:\\a",
        "\xEF\xBE\x8F\xEF\xBD\xB2 \xEF\xBD\xBA\xEF\xBE\x9D\xEF\xBE\x8B\xEF\xBE\x9F\xEF\xBD\xAD\xEF\xBD\xB0\xEF\xBE\x80,",
        "\xE6\x97\xA5\xE6\x9C\xAC", "\xE3\x81\x82", "\xE8\xA1\xA8", "\xEF\xBD\xB1", "\xE2\x85\xB0", "\xE2\x85\xA0",
        "\xE3\x80\x9C", "?", "\xF0\x9F\x98\x80", "??", "\xEE\x80\x80", "\xC2\x80", "\xEF\xA3\xB0", "\xE4\xBA\x9C",
    };
    for (const std::string& a : texts) {
        for (const std::string& b : texts) {
            EXPECT_EQ(Sign(Cp932::CompareUtf8(a, b)), Sign(Cp932::Compare(Cp932::FromUtf8(a), Cp932::FromUtf8(b))))
                << testing::PrintToString(a) << " vs " << testing::PrintToString(b);
        }
    }
}

#ifdef _WIN32
// ---- Against Windows itself ----------------------------------------------------------------
// These compare with the system's own code page 932. Under Wine they compare with Wine's tables.

std::string WindowsFromUtf16(std::u16string_view utf16)
{
    char buffer[16];
    const int length = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWCH>(utf16.data()),
                                           static_cast<int>(utf16.size()), buffer, sizeof buffer, "?", nullptr);
    return std::string(buffer, length > 0 ? length : 0);
}

std::string WindowsToUtf8(std::string_view cp932)
{
    wchar_t buffer[8];
    const int length = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), buffer, 8);
    return Utf::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), length > 0 ? length : 0));
}

// Each mismatch fails the test at once: one case tells what is wrong, and the rest would flood.
TEST(Cp932Windows, ConversionsMatchWindowsForEveryBmpCharacterWideNameAndOneOrTwoByteSequence)
{
    for (char32_t codePoint = 0; codePoint <= 0xFFFF; ++codePoint) {
        if (IsSurrogate(codePoint))
            continue;
        const std::u16string wide(1, static_cast<char16_t>(codePoint));
        ASSERT_EQ(Cp932::FromUtf8(Utf8Of(codePoint)), WindowsFromUtf16(wide)) << CodePointName(codePoint);
    }
    // The program receives wide names, keeps them as UTF-8 and writes CP932 from that.
    for (std::u16string_view wide : {u"a\xD83D\xDE00" u"b", u"\xD800", u"\xDC00" u"a", u"\xD83D\xD83D\xDE00"})
        EXPECT_EQ(Cp932::FromUtf8(Utf::Utf16ToUtf8(wide)), WindowsFromUtf16(wide));
    // Every sequence of one or two bytes decodes as Windows decodes it.
    for (int first = 0; first <= 0xFF; ++first) {
        ASSERT_EQ(Cp932::ToUtf8(Bytes({first})), WindowsToUtf8(Bytes({first}))) << first;
        for (int second = 0; second <= 0xFF; ++second) {
            const std::string bytes = Bytes({first, second});
            ASSERT_EQ(Cp932::ToUtf8(bytes), WindowsToUtf8(bytes)) << testing::PrintToString(bytes);
        }
    }
}
#endif  // _WIN32

}  // namespace

TEST(Cp932SortKey, ByteOrderOfKeysIsTheCharacterOrder)
{
    // Random texts over the byte classes that decide the order: ASCII, single high bytes
    // (katakana, 0x80, 0xA0, 0xFD-0xFF) and double-byte characters of both lead ranges.
    const uint8_t singles[] = {'A', 'a', '\\', 0x7F, 0x80, 0xA0, 0xA1, 0xB6, 0xDF, 0xFD, 0xFF};
    const uint16_t doubles[] = {0x8140, 0x815C, 0x8A7F, 0x9FFC, 0xE040, 0xEAA4, 0xFA5C, 0xFC4B};
    std::mt19937 random(42);
    auto text = [&] {
        std::string t;
        for (int n = random() % 6; n > 0; --n) {
            if (random() % 2) {
                t.push_back(static_cast<char>(singles[random() % std::size(singles)]));
            } else {
                const uint16_t code = doubles[random() % std::size(doubles)];
                t.push_back(static_cast<char>(code >> 8));
                t.push_back(static_cast<char>(code & 0xFF));
            }
        }
        return t;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string a = text(), b = text();
        const std::string ka = Cp932::SortKey(a), kb = Cp932::SortKey(b);
        ASSERT_EQ(Sign(Cp932::Compare(a, b)), Sign(ka.compare(kb))) << i;
    }
}
