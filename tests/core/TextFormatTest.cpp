// Tests of CTextFormat: grouping, dot padding, timestamps and field splitting.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/FixedOffsetPlatform.h"
#include "services/CTextFormat.h"

namespace {

std::vector<std::string> SplitAll(std::string_view text, std::string_view separator)
{
    std::vector<std::string> fields;
    int pos = -1;
    do
        fields.push_back(CTextFormat::NextToken(text, separator, pos));
    while (pos != -1);
    return fields;
}

using Fields = std::vector<std::string>;

}  // namespace

TEST(TextFormatTest, GroupedPutsACommaBeforeEveryThreeDigitsFromTheRight)
{
    EXPECT_EQ(CTextFormat::FormatGrouped(0), "0");
    EXPECT_EQ(CTextFormat::FormatGrouped(123), "123");
    EXPECT_EQ(CTextFormat::FormatGrouped(1000), "1,000");
    EXPECT_EQ(CTextFormat::FormatGrouped(123456), "123,456");
    EXPECT_EQ(CTextFormat::FormatGrouped(1234567), "1,234,567");
}

TEST(TextFormatTest, GroupedHandlesTheWidestNumbers)
{
    EXPECT_EQ(CTextFormat::FormatGrouped(1000000000000000000), "1,000,000,000,000,000,000");
    EXPECT_EQ(CTextFormat::FormatGrouped(9999999999999999999u), "9,999,999,999,999,999,999");
    EXPECT_EQ(CTextFormat::FormatGrouped(std::numeric_limits<uint64_t>::max()),
              "18,446,744,073,709,551,615");
}

TEST(TextFormatTest, PadWithDotsFillsTheShortfallTimesTheFactor)
{
    EXPECT_EQ(CTextFormat::PadWithDots("123 KB", 17, 2.5f), std::string(27, '.') + "123 KB");
    EXPECT_EQ(CTextFormat::PadWithDots("RH", 4, 3.5f), std::string(7, '.') + "RH");
    EXPECT_EQ(CTextFormat::PadWithDots("", 4, 3.9f), std::string(15, '.'));
    EXPECT_EQ(CTextFormat::PadWithDots("7", 2, 0.5f), "7");
}

TEST(TextFormatTest, PadWithDotsLeavesTextThatFillsTheWidth)
{
    EXPECT_EQ(CTextFormat::PadWithDots("1,234", 5, 2.5f), "1,234");
    EXPECT_EQ(CTextFormat::PadWithDots("12,345,678", 5, 2.5f), "12,345,678");
    EXPECT_EQ(CTextFormat::PadWithDots("x", -3, 2.5f), "x");
}

TEST(TextFormatTest, PadWithDotsNeverAddsMoreThanForty)
{
    EXPECT_EQ(CTextFormat::PadWithDots("", 16, 2.5f), std::string(40, '.'));
    EXPECT_EQ(CTextFormat::PadWithDots("", 17, 2.5f), std::string(40, '.'));
    EXPECT_EQ(CTextFormat::PadWithDots("9", std::numeric_limits<int>::max(), 2.5f),
              std::string(40, '.') + "9");
}

TEST(TextFormatTest, PadWithDotsIgnoresFactorsThatGiveNoCount)
{
    EXPECT_EQ(CTextFormat::PadWithDots("9", 5, -2.5f), "9");
    EXPECT_EQ(CTextFormat::PadWithDots("9", 5, std::nanf("")), "9");
}

TEST(TextFormatTest, PadWithDotsCountsCodePage932Bytes)
{
    // Half-width katakana take one byte, other Japanese characters two, whatever UTF-8 uses.
    EXPECT_EQ(CTextFormat::PadWithDots("ﾌｫﾙﾀﾞ", 7, 1.0f), "..ﾌｫﾙﾀﾞ");
    EXPECT_EQ(CTextFormat::PadWithDots("資料", 7, 1.0f), "...資料");
    EXPECT_EQ(CTextFormat::PadWithDots("資料", 4, 2.5f), "資料");
}

TEST(TextFormatTest, TimestampHasAFourDigitYearAndSeconds)
{
    const FixedOffsetPlatform tokyo(9);
    EXPECT_EQ(CTextFormat::FormatTimestamp(CTime(1700000000)), "2023/11/15 07:13:20");
    EXPECT_EQ(CTextFormat::FormatTimestamp(CTime(INT32_MAX)), "2038/01/19 12:14:07");
    EXPECT_EQ(CTextFormat::FormatTimestamp(CTime()), "1970/01/01 09:00:00");
}

TEST(TextFormatTest, NextTokenWalksTheFieldsAndEndsWithMinusOne)
{
    int pos = -1;
    EXPECT_EQ(CTextFormat::NextToken("99/12/31", "/", pos), "99");
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(CTextFormat::NextToken("99/12/31", "/", pos), "12");
    EXPECT_EQ(pos, 5);
    EXPECT_EQ(CTextFormat::NextToken("99/12/31", "/", pos), "31");
    EXPECT_EQ(pos, -1);
}

TEST(TextFormatTest, NextTokenKeepsEmptyFields)
{
    EXPECT_EQ(SplitAll("", "/"), Fields({""}));
    EXPECT_EQ(SplitAll("12:30", "/"), Fields({"12:30"}));
    EXPECT_EQ(SplitAll("a//b", "/"), Fields({"a", "", "b"}));
    EXPECT_EQ(SplitAll("/a/", "/"), Fields({"", "a", ""}));
}

TEST(TextFormatTest, NextTokenSkipsSeparatorsOfSeveralBytes)
{
    EXPECT_EQ(SplitAll("1, 2,3, 4", ", "), Fields({"1", "2,3", "4"}));
    EXPECT_EQ(SplitAll("2024年1月", "年"), Fields({"2024", "1月"}));
    EXPECT_EQ(SplitAll("12：30", "："), Fields({"12", "30"}));
}

TEST(TextFormatTest, NextTokenWithoutSeparatorReturnsTheRest)
{
    EXPECT_EQ(SplitAll("12/31", ""), Fields({"12/31"}));
}

TEST(TextFormatTest, NextTokenSurvivesPositionsOutsideTheText)
{
    int pos = 10;
    EXPECT_EQ(CTextFormat::NextToken("12/31", "/", pos), "");
    EXPECT_EQ(pos, -1);
    pos = -7;
    EXPECT_EQ(CTextFormat::NextToken("12/31", "/", pos), "12");
    EXPECT_EQ(pos, 2);
}
