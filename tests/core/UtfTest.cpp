#include "text/Utf.h"

#include <gtest/gtest.h>

#include "TestBytes.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

TEST(Utf, DecodingIsStrictEveryCodePointRoundTripsThroughUtf16AndOnlyAsciiLettersChangeCase)
{
    const std::vector<std::pair<std::string, char32_t>> cases = {
        {Bytes({0x00}), 0x0},                     {Bytes({0x7F}), 0x7F},
        {Bytes({0xC2, 0x80}), 0x80},              {Bytes({0xDF, 0xBF}), 0x7FF},
        {Bytes({0xE0, 0xA0, 0x80}), 0x800},       {Bytes({0xED, 0x9F, 0xBF}), 0xD7FF},
        {Bytes({0xEE, 0x80, 0x80}), 0xE000},      {Bytes({0xEF, 0xBF, 0xBF}), 0xFFFF},
        {Bytes({0xF0, 0x90, 0x80, 0x80}), 0x10000}, {Bytes({0xF4, 0x8F, 0xBF, 0xBF}), 0x10FFFF},
    };
    for (const auto& [utf8, expected] : cases) {
        std::size_t pos = 0;
        EXPECT_EQ(Utf::NextCodePoint(utf8, pos), expected) << CodePointName(expected);
        EXPECT_EQ(pos, utf8.size()) << CodePointName(expected);
        EXPECT_EQ(Utf8Of(expected), utf8) << CodePointName(expected);
    }
    // Surrogates and values past U+10FFFF are written as U+FFFD.
    for (const char32_t codePoint : {0xD800, 0xDFFF, 0x110000})
        EXPECT_EQ(Utf8Of(codePoint), Bytes({0xEF, 0xBF, 0xBD})) << CodePointName(codePoint);

    // A continuation byte without a lead; overlong NUL, U+007F, U+07FF and U+FFFF; both halves of
    // a surrogate pair; U+110000 and beyond; sequences cut short by the end or by an ASCII byte.
    const std::vector<std::string> malformed = {
        Bytes({0x80}), Bytes({0xC0, 0x80}), Bytes({0xC1, 0xBF}), Bytes({0xE0, 0x9F, 0xBF}),
        Bytes({0xF0, 0x8F, 0xBF, 0xBF}), Bytes({0xED, 0xA0, 0x80}), Bytes({0xED, 0xBF, 0xBF}),
        Bytes({0xF4, 0x90, 0x80, 0x80}), Bytes({0xF5, 0x80, 0x80, 0x80}), Bytes({0xFF}), Bytes({0xE3, 0x81}),
        Bytes({0xE3, 0x41, 0x82})};
    for (const std::string& utf8 : malformed) {
        std::size_t pos = 0;
        EXPECT_EQ(Utf::NextCodePoint(utf8, pos), char32_t(0xFFFD)) << testing::PrintToString(utf8);
        EXPECT_EQ(pos, 1u) << testing::PrintToString(utf8);
    }

    // Every code point round-trips through UTF-16.
    for (char32_t codePoint = 0; codePoint <= 0x10FFFF; ++codePoint) {
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF)
            continue;
        const std::string utf8 = Utf8Of(codePoint);
        const std::u16string utf16 = Utf::Utf8ToUtf16(utf8);
        ASSERT_EQ(utf16.size(), codePoint < 0x10000 ? 1u : 2u) << CodePointName(codePoint);
        ASSERT_EQ(Utf::Utf16ToUtf8(utf16), utf8) << CodePointName(codePoint);
    }

    // Supplementary characters take a surrogate pair.
    EXPECT_EQ(Utf::Utf8ToUtf16(Bytes({0xF0, 0x9F, 0x98, 0x80})), u"\xD83D\xDE00");
    EXPECT_EQ(Utf::Utf8ToUtf16(Bytes({0xF4, 0x8F, 0xBF, 0xBF})), u"\xDBFF\xDFFF");
    // Invalid UTF-8: one replacement per byte, decoding going on with the byte after it (an ASCII
    // byte that cut a sequence short starts the next character). Unpaired surrogates: one replacement each.
    EXPECT_EQ(Utf::Utf8ToUtf16(Bytes({'a', 0xC0, 0x80, 'b'})), u"a\xFFFD\xFFFD" u"b");
    EXPECT_EQ(Utf::Utf8ToUtf16(Bytes({0xE3, 0x41, 0xE3, 0x81, 0x82})), u"\xFFFD" u"A\x3042");
    const std::string replacement = Bytes({0xEF, 0xBF, 0xBD});
    for (const auto& [utf16, utf8] : {std::pair<std::u16string, std::string>{u"\xD83D", replacement},
                                      {u"\xDE00\xD83D", replacement + replacement}, {u"\xD83D" u"A", replacement + "A"},
                                      {u"A\xDC00" u"B", "A" + replacement + "B"}})
        EXPECT_EQ(Utf::Utf16ToUtf8(utf16), utf8);

    // "Ａｂ" in full width and "Äö" must survive untouched: names differ by them on Windows too.
    const std::string text = "C:\\Temp\\\xEF\xBC\xA1\xEF\xBD\x82\xC3\x84\xC3\xB6@[`{";
    EXPECT_EQ(Utf::ToLowerAscii(text), "c:\\temp\\\xEF\xBC\xA1\xEF\xBD\x82\xC3\x84\xC3\xB6@[`{");
    EXPECT_EQ(Utf::ToUpperAscii(text), "C:\\TEMP\\\xEF\xBC\xA1\xEF\xBD\x82\xC3\x84\xC3\xB6@[`{");
}

}  // namespace
