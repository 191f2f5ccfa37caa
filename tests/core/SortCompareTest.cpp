// Tests of the comparisons and the direction rule that the tree's and the list's sorts share.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/FixedOffsetPlatform.h"
#include "services/CSortCompare.h"
#include "services/CSortDirection.h"

namespace {

constexpr int32_t k101505 = 1710465305;  // 2024-03-15 10:15:05 at UTC+9
constexpr int32_t k101559 = 1710465359;  // 10:15:59 the same day
constexpr int32_t k101600 = 1710465360;  // 10:16:00

}  // namespace

TEST(SortCompareTest, SizesCompareAsFullSixtyFourBitValuesInEitherDirection)
{
    EXPECT_EQ(CSortCompare::CompareSizes(true, 1, 2), -1);
    EXPECT_EQ(CSortCompare::CompareSizes(false, 1, 2), 1);
    EXPECT_EQ(CSortCompare::CompareSizes(true, uint64_t{1} << 32, 1), 1);  // no cut to 32 bits
    EXPECT_EQ(CSortCompare::CompareSizes(true, UINT64_MAX, UINT64_MAX - 1), 1);
    EXPECT_EQ(CSortCompare::CompareSizes(true, 7, 7), 0);
    EXPECT_EQ(CSortCompare::CompareSizes(false, 7, 7), 0);
}

TEST(SortCompareTest, NamesFollowTheCodePage932OrderNotTheUtf8Bytes)
{
    // Half-width katakana are single bytes in code page 932 and sort before every double-byte
    // character, though their UTF-8 form sorts after most of them.
    EXPECT_EQ(CSortCompare::CompareNames(true, "ｱ", "ア"), -1);
    EXPECT_EQ(CSortCompare::CompareNames(true, "z", "ｱ"), -1);
    EXPECT_EQ(CSortCompare::CompareNames(true, "ア", "亜"), -1);
    EXPECT_EQ(CSortCompare::CompareNames(true, "ab", "abc"), -1);
    EXPECT_EQ(CSortCompare::CompareNames(false, "ab", "abc"), 1);
    EXPECT_EQ(CSortCompare::CompareNames(true, "Data", "data"), -1);  // case counts unless lowered
    EXPECT_EQ(CSortCompare::CompareNames(false, "ﾃﾞｰﾀ", "ﾃﾞｰﾀ"), 0);
}

TEST(SortCompareTest, LoweringTouchesSingleByteLettersOnly)
{
    EXPECT_EQ(CSortCompare::LowerName("Data.TXT"), "data.txt");
    EXPECT_EQ(CSortCompare::LowerName("ＤＡＴＡ"), "ＤＡＴＡ");
    EXPECT_EQ(CSortCompare::LowerName("ﾃﾞｰﾀ"), "ﾃﾞｰﾀ");
    // The second byte of ア in code page 932 is "A": lowering it would make ャ of it.
    EXPECT_NE(CSortCompare::CompareNames(true, CSortCompare::LowerName("ア"), CSortCompare::LowerName("ャ")), 0);
}

TEST(SortCompareTest, TimesCompareToTheMinuteOfLocalTime)
{
    FixedOffsetPlatform platform(9);
    EXPECT_EQ(CSortCompare::CompareTimes(true, CTime(k101505), CTime(k101559)), 0);
    EXPECT_EQ(CSortCompare::CompareTimes(true, CTime(k101559), CTime(k101600)), -1);
    EXPECT_EQ(CSortCompare::CompareTimes(false, CTime(k101559), CTime(k101600)), 1);
    EXPECT_EQ(CSortCompare::CompareTimes(true, CTime(k101600 + 86400), CTime(k101600)), 1);
}

TEST(SortCompareTest, NoDateGoesBeforeEveryRealDateWhenAscending)
{
    FixedOffsetPlatform platform(-10);  // local 1970-01-01 00:00:01 would be the previous day
    EXPECT_EQ(CSortCompare::CompareTimes(true, CTime(), CTime(1)), -1);
    EXPECT_EQ(CSortCompare::CompareTimes(false, CTime(), CTime(1)), 1);
    EXPECT_EQ(CSortCompare::CompareTimes(true, CTime(k101600), CTime()), 1);
    EXPECT_EQ(CSortCompare::CompareTimes(true, CTime(), CTime()), 0);
    EXPECT_EQ(CSortCompare::CompareTimes(false, CTime(), CTime()), 0);
}

TEST(SortCompareTest, TimesThatCannotBeMadeLocalStillCompareToTheMinute)
{
    FixedOffsetPlatform platform(0);
    platform.m_bFailing = true;
    EXPECT_EQ(CSortCompare::CompareTimes(true, CTime(k101505), CTime(k101559)), 0);
    EXPECT_EQ(CSortCompare::CompareTimes(true, CTime(k101600), CTime(k101559)), 1);
}

TEST(SortDirectionTest, FirstSortInvertsSameKeyTogglesOtherKeyStartsAscending)
{
    CSortDirection rule;
    int32_t direction = 1;
    rule.Choose(3, direction);
    EXPECT_EQ(direction, 0);
    rule.Choose(3, direction);
    EXPECT_EQ(direction, 1);
    rule.Choose(3, direction);
    EXPECT_EQ(direction, 0);
    rule.Choose(0, direction);
    EXPECT_EQ(direction, 1);
    rule.Choose(0, direction);
    EXPECT_EQ(direction, 0);

    rule.Forget();  // a new run, starting from a stored descending direction
    rule.Choose(4, direction);
    EXPECT_EQ(direction, 1);
    int32_t stored = 5;  // anything but 0 counts as ascending
    rule.Choose(4, stored);
    EXPECT_EQ(stored, 0);
}
