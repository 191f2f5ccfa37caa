#include "text/Cp932.h"

#include "text/Utf.h"

#include <gtest/gtest.h>

#include "TestBytes.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {


std::string Utf8Of(char32_t codePoint)
{
    std::string out;
    Utf::AppendUtf8(out, codePoint);
    return out;
}

bool IsSurrogate(char32_t codePoint) { return codePoint >= 0xD800 && codePoint <= 0xDFFF; }

constexpr char32_t kNoCharacter = 0x30FB;  // "・", what Windows decodes a meaningless pair to

// ---- Conversion ----------------------------------------------------------------------------

TEST(Cp932RoundTrip, EveryEncodableBmpCharacterDecodesBackToItself)
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
}

TEST(Cp932RoundTrip, EveryCharacterADoubleByteCodeStandsForCanBeWritten)
{
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!Cp932::IsLeadByte(static_cast<uint8_t>(lead)))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string utf8 = Cp932::ToUtf8(Bytes({lead, trail}));
            if (utf8 == Utf8Of(kNoCharacter) && !(lead == 0x81 && trail == 0x45))
                continue;
            const std::string written = Cp932::FromUtf8(utf8);
            ASSERT_EQ(written.size(), 2u) << std::hex << lead << ' ' << trail;
            EXPECT_EQ(Cp932::ToUtf8(written), utf8) << std::hex << lead << ' ' << trail;
            EXPECT_NE(static_cast<uint8_t>(written[0]), 0xED) << "NEC-selected row is never written";
            EXPECT_NE(static_cast<uint8_t>(written[0]), 0xEE) << "NEC-selected row is never written";
        }
    }
}

TEST(Cp932Encode, PrefersJisThenNecRow13ThenIbmExtensions)
{
    const std::vector<std::pair<char32_t, std::string>> cases = {
        {0x2252, Bytes({0x81, 0xE0})},  // ≒: JIS X 0208, not NEC row 13 0x8790
        {0x2235, Bytes({0x81, 0xE6})},  // ∵: JIS X 0208, not 0x879A or 0xFA5B
        {0xFFE2, Bytes({0x81, 0xCA})},  // ￢: JIS X 0208, not 0xEEF9 or 0xFA54
        {0x2160, Bytes({0x87, 0x54})},  // Ⅰ: NEC row 13, not 0xFA4A
        {0x2170, Bytes({0xFA, 0x40})},  // ⅰ: IBM extension, not 0xEEEF
        {0x7E8A, Bytes({0xFA, 0x5C})},  // 纊: IBM extension, not 0xED40
        {0x3042, Bytes({0x82, 0xA0})},  // あ
        {0x4E9C, Bytes({0x88, 0x9F})},  // 亜
        {0xFF71, Bytes({0xB1})},        // ｱ
        {0x0080, Bytes({0x80})},
        {0xF8F0, Bytes({0xA0})},
        {0xF8F1, Bytes({0xFD})},
        {0xF8F3, Bytes({0xFF})},
        {0xE000, Bytes({0xF0, 0x40})},  // first user-defined character
        {0xE757, Bytes({0xF9, 0xFC})},  // last user-defined character
    };
    for (const auto& [codePoint, expected] : cases)
        EXPECT_EQ(Cp932::FromUtf8(Utf8Of(codePoint)), expected) << CodePointName(codePoint);
}

TEST(Cp932Encode, UnrepresentableCharactersBecomeQuestionMarks)
{
    // 〜 (U+301C) would be 0x8160 with a best-fit mapping, but 0x8160 reads back as U+FF5E.
    EXPECT_EQ(Cp932::FromUtf8("\xE3\x80\x9C"), "?");
    EXPECT_EQ(Cp932::FromUtf8("\xC2\xA5"), "?");   // ¥ is not 0x5C
    EXPECT_EQ(Cp932::FromUtf8("\xE2\x88\x92"), "?");  // − (U+2212) is not the full-width minus 0x817C
    EXPECT_EQ(Cp932::FromUtf8("\xEE\x9D\x98"), "?");  // U+E758, just past the user-defined area
    // An emoji is two UTF-16 units on Windows, each of which becomes one '?'.
    EXPECT_EQ(Cp932::FromUtf8("a\xF0\x9F\x98\x80" "b"), "a??b");
    // Each byte of broken UTF-8 is one '?'.
    EXPECT_EQ(Cp932::FromUtf8("a\xFF" "b"), "a?b");
    EXPECT_EQ(Cp932::FromUtf8("\xE3\x81"), "??");
}

TEST(Cp932Encode, ByteLengthCountsWhatFromUtf8Writes)
{
    EXPECT_EQ(Cp932::ByteLength(""), 0u);
    EXPECT_EQ(Cp932::ByteLength("C:\\Temp"), 7u);
    EXPECT_EQ(Cp932::ByteLength("\xE6\x97\xA5\xE6\x9C\xAC"), 4u);  // 日本: 3 UTF-8 bytes each, 2 in CP932
    EXPECT_EQ(Cp932::ByteLength("\xEF\xBD\xB1"), 1u);               // ｱ: half-width katakana is one byte
    EXPECT_EQ(Cp932::ByteLength("\xE3\x80\x9C"), 1u);               // 〜 shrinks to "?"
    EXPECT_EQ(Cp932::ByteLength("\xF0\x9F\x98\x80"), 2u);           // emoji: "??"
    EXPECT_EQ(Cp932::ByteLength("a\xFF" "b"), 3u);
    EXPECT_EQ(Cp932::ByteLength(std::string("a\0b", 3)), 3u);       // a NUL is a character too
}

TEST(Cp932Decode, SingleBytesFollowWindows)
{
    EXPECT_EQ(Cp932::ToUtf8("\\~"), "\\~");  // ASCII stays ASCII: no yen sign, no overline
    EXPECT_EQ(Cp932::ToUtf8(Bytes({0xA1, 0xDF})), "\xEF\xBD\xA1\xEF\xBE\x9F");  // U+FF61, U+FF9F
    EXPECT_EQ(Cp932::ToUtf8(Bytes({0x80})), Utf8Of(0x80));
    EXPECT_EQ(Cp932::ToUtf8(Bytes({0xA0})), Utf8Of(0xF8F0));
    EXPECT_EQ(Cp932::ToUtf8(Bytes({0xFD, 0xFE, 0xFF})), Utf8Of(0xF8F1) + Utf8Of(0xF8F2) + Utf8Of(0xF8F3));
}

TEST(Cp932Decode, PairsWithoutACharacterBecomeMiddleDot)
{
    const std::string dot = Utf8Of(kNoCharacter);
    EXPECT_EQ(Cp932::ToUtf8(Bytes({0x85, 0x40})), dot);  // unassigned row
    EXPECT_EQ(Cp932::ToUtf8(Bytes({0xEB, 0x40})), dot);  // unassigned row
    EXPECT_EQ(Cp932::ToUtf8(Bytes({0x81, 0x7F})), dot);  // 0x7F is no trail byte
    EXPECT_EQ(Cp932::ToUtf8(Bytes({0x81, 0xFD})), dot);
    // The lead byte takes whatever follows: the space does not survive.
    EXPECT_EQ(Cp932::ToUtf8(Bytes({0x81, ' ', 'A'})), dot + "A");
    EXPECT_EQ(Cp932::ToUtf8(Bytes({'A', 0x81})), "A" + dot);  // lead byte at the end
    EXPECT_EQ(Cp932::ToUtf8(Bytes({0x81, 0x00, 'A'})), dot + std::string(1, '\0') + "A");
}

TEST(Cp932Decode, TrailBytesInTheAsciiRangeBelongToTheirLead)
{
    // 表 is 0x95 0x5C: its trail byte is a backslash, which must not end a path component.
    EXPECT_EQ(Cp932::ToUtf8(Bytes({'C', ':', '\\', 0x95, 0x5C, '\\', 'a'})), "C:\\\xE8\xA1\xA8\\a");
    EXPECT_EQ(Cp932::FromUtf8("C:\\\xE8\xA1\xA8\\a"), Bytes({'C', ':', '\\', 0x95, 0x5C, '\\', 'a'}));
    EXPECT_EQ(Cp932::ToUtf8(Bytes({0x81, 0x5C, 'A'})), "\xE2\x80\x95" "A");  // ― (U+2015)
}

// ---- Byte classes --------------------------------------------------------------------------

TEST(Cp932Bytes, LeadBytes)
{
    for (int byte = 0; byte <= 0xFF; ++byte) {
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        EXPECT_EQ(Cp932::IsLeadByte(static_cast<uint8_t>(byte)), lead) << std::hex << byte;
    }
}

TEST(Cp932Bytes, LegalDoubleByteBoundaries)
{
    for (uint16_t code : {0x8140, 0x817E, 0x8180, 0x81FC, 0x9F40, 0x9FFC, 0xE040, 0xEAA4, 0xFC40, 0xFCFC})
        EXPECT_TRUE(Cp932::IsLegalDoubleByte(code)) << std::hex << code;
    // Legal is about the byte ranges, not about a character being assigned.
    EXPECT_TRUE(Cp932::IsLegalDoubleByte(0x8540));
    for (uint16_t code : {0x813F, 0x817F, 0x81FD, 0x81FF, 0x8100, 0x8040, 0xA040, 0xDF40, 0xFD40, 0xFF40,
                          0x0041, 0x4181})
        EXPECT_FALSE(Cp932::IsLegalDoubleByte(code)) << std::hex << code;
}

TEST(Cp932Bytes, LowerBytesAreAsciiLowerCaseOnly)
{
    for (int byte = 0; byte <= 0xFF; ++byte)
        EXPECT_EQ(Cp932::IsLowerByte(static_cast<uint8_t>(byte)), byte >= 'a' && byte <= 'z') << std::hex << byte;
}

// ---- Order ---------------------------------------------------------------------------------

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(Cp932Compare, HalfWidthKatakanaSortBeforeKanji)
{
    const std::string katakana = Bytes({0xB1});     // ｱ
    const std::string kanji = Bytes({0x88, 0x9F});  // 亜
    EXPECT_LT(Cp932::Compare(katakana, kanji), 0);
    EXPECT_GT(Cp932::Compare(kanji, katakana), 0);
    EXPECT_GT(katakana, kanji) << "plain byte order would put them the other way round";
    EXPECT_LT(Cp932::CompareUtf8("\xEF\xBD\xB1", "\xE4\xBA\x9C"), 0);
    EXPECT_LT(Cp932::Compare(Bytes({'x', 0xDF, 'z'}), Bytes({'x', 0x81, 0x40})), 0);
}

TEST(Cp932Compare, DoubleByteCharactersCompareAsOneUnit)
{
    EXPECT_LT(Cp932::Compare(Bytes({0x81, 0x40}), Bytes({0x81, 0x41})), 0);
    EXPECT_LT(Cp932::Compare(Bytes({0x88, 0xFC}), Bytes({0x89, 0x40})), 0);
    // The trail 0x5C of 表 is no backslash: 表 sorts with the double-byte characters.
    EXPECT_GT(Cp932::Compare(Bytes({'a', 0x95, 0x5C}), Bytes({'a', 0xDF})), 0);
}

TEST(Cp932Compare, PrefixesEqualityAndCase)
{
    EXPECT_EQ(Cp932::Compare("", ""), 0);
    EXPECT_EQ(Cp932::Compare("C:\\Temp", "C:\\Temp"), 0);
    EXPECT_LT(Cp932::Compare("C:\\Temp", "C:\\Temp\\a"), 0);
    EXPECT_GT(Cp932::Compare("C:\\Temp\\a", "C:\\Temp"), 0);
    EXPECT_LT(Cp932::Compare("C:\\TEMP", "C:\\Temp"), 0) << "case-sensitive, upper case first";
    EXPECT_GT(Cp932::Compare("A\x81", "@"), 0);
    // A lead byte with nothing after it counts as the end of the text.
    EXPECT_EQ(Cp932::Compare(Bytes({'A', 0x81}), "A"), 0);
    EXPECT_LT(Cp932::Compare(Bytes({'A', 0x81}), "AB"), 0);
}

TEST(Cp932Compare, Utf8OrderIsTheOrderOfTheCp932Forms)
{
    const std::vector<std::string> texts = {
        "", "C:\\", "C:\\Temp", "C:\\TEMP", "C:\\Temp\\a",
        "\xEF\xBE\x8F\xEF\xBD\xB2 \xEF\xBD\xBA\xEF\xBE\x9D\xEF\xBE\x8B\xEF\xBE\x9F\xEF\xBD\xAD\xEF\xBD\xB0\xEF\xBE\x80,",
        "\xE6\x97\xA5\xE6\x9C\xAC", "\xE3\x81\x82", "\xE8\xA1\xA8", "\xEF\xBD\xB1", "\xE2\x85\xB0", "\xE2\x85\xA0",
        "\xE3\x80\x9C", "?", "\xF0\x9F\x98\x80", "??", "\xEE\x80\x80", "\xC2\x80", "\xEF\xA3\xB0",
    };
    for (const std::string& a : texts) {
        for (const std::string& b : texts) {
            EXPECT_EQ(Sign(Cp932::CompareUtf8(a, b)), Sign(Cp932::Compare(Cp932::FromUtf8(a), Cp932::FromUtf8(b))))
                << testing::PrintToString(a) << " vs " << testing::PrintToString(b);
        }
    }
}

TEST(Cp932Compare, SortsFolderKeysLikeMbscmp)
{
    std::vector<std::string> keys = {"C:\\\xE4\xBA\x9C", "C:\\\xEF\xBD\xB1", "C:\\a", "C:\\B", "C:\\"};
    std::sort(keys.begin(), keys.end(),
              [](const std::string& a, const std::string& b) { return Cp932::CompareUtf8(a, b) < 0; });
    EXPECT_EQ(keys, (std::vector<std::string>{"C:\\", "C:\\B", "C:\\a", "C:\\\xEF\xBD\xB1", "C:\\\xE4\xBA\x9C"}));
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

std::string HexBytes(std::string_view bytes)
{
    std::string out;
    char text[4];
    for (char byte : bytes) {
        std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(static_cast<uint8_t>(byte)));
        out += text;
    }
    return out.empty() ? "(none)" : out;
}

std::string CodePointNames(std::string_view utf8)
{
    std::string out;
    for (std::size_t pos = 0; pos < utf8.size();)
        out += (out.empty() ? "" : " ") + CodePointName(Utf::NextCodePoint(utf8, pos));
    return out.empty() ? "(none)" : out;
}

void ReportMismatches(const std::vector<std::string>& mismatches)
{
    std::string shown;
    for (std::size_t i = 0; i < mismatches.size() && i < 40; ++i)
        shown += "  " + mismatches[i] + "\n";
    EXPECT_TRUE(mismatches.empty()) << mismatches.size() << " mismatches (ours / Windows):\n" << shown;
}

TEST(Cp932Windows, FromUtf8MatchesWideCharToMultiByteForEveryBmpCharacter)
{
    std::vector<std::string> mismatches;
    for (char32_t codePoint = 0; codePoint <= 0xFFFF; ++codePoint) {
        if (IsSurrogate(codePoint))
            continue;
        const std::string ours = Cp932::FromUtf8(Utf8Of(codePoint));
        const std::string windows = WindowsFromUtf16(std::u16string(1, static_cast<char16_t>(codePoint)));
        if (ours != windows)
            mismatches.push_back(CodePointName(codePoint) + ": " + HexBytes(ours) + " / " + HexBytes(windows));
    }
    ReportMismatches(mismatches);
}

TEST(Cp932Windows, WideNamesWithSurrogatesMatchWideCharToMultiByte)
{
    // The program receives wide names, keeps them as UTF-8 and writes CP932 from that.
    for (std::u16string_view wide : {u"a\xD83D\xDE00" u"b", u"\xD800", u"\xDC00" u"a", u"\xD83D\xD83D\xDE00"})
        EXPECT_EQ(HexBytes(Cp932::FromUtf8(Utf::Utf16ToUtf8(wide))), HexBytes(WindowsFromUtf16(wide)));
}

TEST(Cp932Windows, ToUtf8MatchesMultiByteToWideCharForEveryOneAndTwoByteSequence)
{
    std::vector<std::string> mismatches;
    auto compare = [&](const std::string& bytes) {
        const std::string ours = Cp932::ToUtf8(bytes);
        const std::string windows = WindowsToUtf8(bytes);
        if (ours != windows) {
            mismatches.push_back(HexBytes(bytes) + ": " + CodePointNames(ours) + " / " + CodePointNames(windows));
        }
    };
    for (int first = 0; first <= 0xFF; ++first) {
        compare(Bytes({first}));
        for (int second = 0; second <= 0xFF; ++second)
            compare(Bytes({first, second}));
    }
    ReportMismatches(mismatches);
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
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (int i = 0; i < 20000; ++i) {
        const std::string a = text(), b = text();
        const std::string ka = Cp932::SortKey(a), kb = Cp932::SortKey(b);
        ASSERT_EQ(sign(Cp932::Compare(a, b)), sign(ka.compare(kb))) << i;
    }
}
