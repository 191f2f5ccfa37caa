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

TEST(SortCompareTest, SizesNamesAndTimesCompareInEitherDirectionAndTheFirstSortOfARunInverts)
{
    struct SizeCase { bool ascending; uint64_t a, b; int expected; };
    for (const SizeCase& c : {SizeCase{true, 1, 2, -1}, {false, 1, 2, 1}, {true, uint64_t{1} << 32, 1, 1},  // no cut
                              {true, UINT64_MAX, UINT64_MAX - 1, 1}, {true, 7, 7, 0}, {false, 7, 7, 0}})
        EXPECT_EQ(CSortCompare::CompareSizes(c.ascending, c.a, c.b), c.expected) << c.a << " " << c.b;
    // Half-width katakana are single bytes in code page 932 and sort before every double-byte
    // character, though their UTF-8 form sorts after most of them. Case counts unless lowered.
    struct NameCase { bool ascending; const char *a, *b; int expected; };
    for (const NameCase& c : {NameCase{true, "ｱ", "ア", -1}, {true, "z", "ｱ", -1}, {true, "ア", "亜", -1},
                              {true, "ab", "abc", -1}, {false, "ab", "abc", 1}, {true, "Data", "data", -1},
                              {false, "ﾃﾞｰﾀ", "ﾃﾞｰﾀ", 0}})
        EXPECT_EQ(CSortCompare::CompareNames(c.ascending, c.a, c.b), c.expected) << c.a << " " << c.b;
    // Lowering touches single-byte letters only.
    for (const auto& [name, lowered] : {std::pair{"Data.TXT", "data.txt"}, {"ＤＡＴＡ", "ＤＡＴＡ"}, {"ﾃﾞｰﾀ", "ﾃﾞｰﾀ"}})
        EXPECT_EQ(CSortCompare::LowerName(name), lowered);
    // The second byte of ア in code page 932 is "A": lowering it would make ャ of it.
    EXPECT_NE(CSortCompare::CompareNames(true, CSortCompare::LowerName("ア"), CSortCompare::LowerName("ャ")), 0);

    // Times compare to the minute of local time.
    struct TimeCase { int offsetHours; bool failing, ascending; int32_t a, b; int expected; };
    const TimeCase cases[] = {
        {9, false, true, k101505, k101559, 0}, {9, false, true, k101559, k101600, -1},
        {9, false, false, k101559, k101600, 1}, {9, false, true, k101600 + 86400, k101600, 1},
        // No date goes before every real date when ascending, even where local 1970-01-01
        // 00:00:01 would be the previous day.
        {-10, false, true, 0, 1, -1}, {-10, false, false, 0, 1, 1}, {-10, false, true, k101600, 0, 1},
        {-10, false, true, 0, 0, 0}, {-10, false, false, 0, 0, 0},
        // Times that cannot be made local still compare to the minute.
        {0, true, true, k101505, k101559, 0}, {0, true, true, k101600, k101559, 1}};
    for (const TimeCase& c : cases) {
        FixedOffsetPlatform platform(c.offsetHours);
        platform.m_bFailing = c.failing;
        EXPECT_EQ(CSortCompare::CompareTimes(c.ascending, CTime(c.a), CTime(c.b)), c.expected)
            << c.offsetHours << " " << c.ascending << " " << c.a << " " << c.b;
    }

    // The first sort of a run inverts, the same key toggles, another key starts ascending.
    CSortDirection rule;
    int32_t direction = 1;
    for (const auto& [key, expected] : {std::pair{3, 0}, {3, 1}, {3, 0}, {0, 1}, {0, 0}}) {
        rule.Choose(key, direction);
        EXPECT_EQ(direction, expected) << key;
    }
    rule.Forget();  // a new run, starting from a stored descending direction
    rule.Choose(4, direction);
    EXPECT_EQ(direction, 1);
    int32_t stored = 5;  // anything but 0 counts as ascending
    rule.Choose(4, stored);
    EXPECT_EQ(stored, 0);
}
