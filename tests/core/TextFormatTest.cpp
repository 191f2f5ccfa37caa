// Tests of CTextFormat: dot padding, timestamps and field splitting (grouping is tested through its callers).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/FixedOffsetPlatform.h"
#include "services/CTextFormat.h"

namespace {

using Fields = std::vector<std::string>;

std::string Dots(std::size_t count) { return std::string(count, '.'); }

}  // namespace

TEST(TextFormatTest, PaddingUpToFortyDotsFourDigitYearsAndFieldsKeptEmpty)
{
    // Dots fill the shortfall times the factor, at most forty.
    struct Case { std::string text; int width; float factor; std::string expected; };
    const Case cases[] = {
        {"123 KB", 17, 2.5f, Dots(27) + "123 KB"}, {"RH", 4, 3.5f, Dots(7) + "RH"}, {"", 4, 3.9f, Dots(15)},
        {"7", 2, 0.5f, "7"},
        // Text that fills the width stays as it is.
        {"1,234", 5, 2.5f, "1,234"}, {"12,345,678", 5, 2.5f, "12,345,678"}, {"x", -3, 2.5f, "x"},
        // Never more than forty dots.
        {"", 16, 2.5f, Dots(40)}, {"", 17, 2.5f, Dots(40)},
        {"9", std::numeric_limits<int>::max(), 2.5f, Dots(40) + "9"},
        // Factors that give no count.
        {"9", 5, -2.5f, "9"}, {"9", 5, std::nanf(""), "9"},
        // Half-width katakana take one byte, other Japanese characters two, whatever UTF-8 uses.
        {"ﾌｫﾙﾀﾞ", 7, 1.0f, "..ﾌｫﾙﾀﾞ"}, {"資料", 7, 1.0f, "...資料"}, {"資料", 4, 2.5f, "資料"}};
    for (const Case& c : cases)
        EXPECT_EQ(CTextFormat::PadWithDots(c.text, c.width, c.factor), c.expected) << c.text << ' ' << c.width;

    // Timestamps have a four-digit year and seconds.
    const FixedOffsetPlatform tokyo(9);
    for (const auto& [time, text] : {std::pair{1700000000, "2023/11/15 07:13:20"}, {INT32_MAX, "2038/01/19 12:14:07"},
                                     {0, "1970/01/01 09:00:00"}})
        EXPECT_EQ(CTextFormat::FormatTimestamp(CTime(time)), text) << time;

    // The next token after a separator's position (-1 before the first field) moves on to the next
    // separator, or to -1 after the last field; positions outside the text included.
    for (const auto& [text, start, field, after] : {std::tuple{"99/12/31", -1, "99", 2}, {"99/12/31", 2, "12", 5},
                                                    {"99/12/31", 5, "31", -1}, {"12/31", 10, "", -1}, {"12/31", -7, "12", 2}}) {
        int pos = start;
        EXPECT_EQ(CTextFormat::NextToken(text, "/", pos), field) << text << " " << start;
        EXPECT_EQ(pos, after) << text << " " << start;
    }
    // Empty fields are kept, and separators of several bytes skipped whole.
    struct Split { const char* text; const char* separator; Fields expected; };
    const Split splits[] = {
        {"", "/", {""}}, {"12:30", "/", {"12:30"}}, {"a//b", "/", {"a", "", "b"}}, {"/a/", "/", {"", "a", ""}},
        {"1, 2,3, 4", ", ", {"1", "2,3", "4"}}, {"2024年1月", "年", {"2024", "1月"}},
        {"12：30", "：", {"12", "30"}}, {"12/31", "", {"12/31"}}};  // without a separator: the rest
    for (const Split& c : splits) {
        Fields fields;
        int pos = -1;
        do
            fields.push_back(CTextFormat::NextToken(c.text, c.separator, pos));
        while (pos != -1);
        EXPECT_EQ(fields, c.expected) << c.text;
    }
}
