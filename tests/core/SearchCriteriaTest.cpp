// Tests of the search criteria: dates and times as the dialog normalises them, sizes in bytes
// under both kilobytes, and the message lines of faulty rows.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <optional>

#include "core/FixedOffsetPlatform.h"
#include "core/TestSupport.h"
#include "dialogs/CSearchCriteria.h"
#include "services/CDisplayFormat.h"

namespace {

// Seconds of a Japanese local time (UTC+9), worked out apart from the code under test.
int64_t Jst(int year, unsigned month, unsigned day, int hour, int minute)
{
    using namespace std::chrono;
    const sys_days date{std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}};
    return date.time_since_epoch().count() * 86400 + (hour - 9) * 3600 + minute * 60;
}

class SearchCriteriaTest : public ::testing::Test {
protected:
    FixedOffsetPlatform platform{9};
    CDisplayFormat format;
    CSearchCriteria fields;
};

}  // namespace

TEST_F(SearchCriteriaTest, DatesAndTimesAreNormalisedAsMktimeDoesAndTwoDigitYearsMean1970To2069)
{
    struct Case {
        const char* date;
        const char* time;
        bool ok;
        const char* shownDate;
        const char* shownTime;
        int64_t seconds;
    };
    const Case cases[] = {
        {"0/0/0", "0:0", true, "0/0/0", "0:0", 0},  // no criterion
        {"abc", "x:y", true, "0/0/0", "0:0", 0},
        {"1", "0:0", true, "2001/1/1", "0:0", Jst(2001, 1, 1, 0, 0)},
        {"99/2/30", "0:0", true, "1999/3/2", "0:0", Jst(1999, 3, 2, 0, 0)},
        // year 0 becomes 2000, but month 0 and day 0 stay: the day before 2000/0/1
        {"0/0/0", "12:30", true, "1999/11/30", "12:30", Jst(1999, 11, 30, 12, 30)},
        {"70/1/1", "10:0", true, "1970/1/1", "10:0", 3600},
        {"69/1/1", "0:0", false, "2069/1/1", "0:0", 0},  // beyond the 32-bit times
        {"1960/1/1", "0:0", false, "1960/1/1", "0:0", 0},
        {"-1/5/5", "", true, "1999/5/5", "0:0", Jst(1999, 5, 5, 0, 0)},
        {"2024/3/15", "10:15:59", true, "2024/3/15", "10:15", Jst(2024, 3, 15, 10, 15)},  // seconds ignored
        {"2024/13/1", "0:0", true, "2025/1/1", "0:0", Jst(2025, 1, 1, 0, 0)},
        {"2024/2/30", "25:70", true, "2024/3/2", "2:10", Jst(2024, 3, 2, 2, 10)},
        {"2024/1/1", "-1:0", true, "2023/12/31", "23:0", Jst(2023, 12, 31, 23, 0)},
        {"20000/12/31", "0:0", false, "20000/12/3", "0:0", 0},  // cut to the field's 10 characters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " " + c.time);
        std::string date = c.date;
        std::string time = c.time;
        CTime out(12345);
        EXPECT_EQ(CSearchCriteria::ParseDateTime(date, time, out), c.ok);
        EXPECT_EQ(date, c.shownDate);
        EXPECT_EQ(time, c.shownTime);
        EXPECT_EQ(out.GetTime(), c.seconds);
    }
    // A time the C library refuses fails too.
    platform.m_bFailing = true;
    std::string date = "2020/1/1", time = "0:0";
    CTime out(5);
    EXPECT_FALSE(CSearchCriteria::ParseDateTime(date, time, out));
    EXPECT_EQ(out.GetTime(), 0);
}

TEST_F(SearchCriteriaTest, SizesInBytesUnderEitherKilobyteAndSizesBeyond64BitsAreRefused)
{
    struct Case { double size; int32_t unit; int32_t kilo; std::optional<uint64_t> bytes; };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {1.5, 1, 1024, 1536},
        {1.5, 1, 1000, 1500},
        {0, 3, 1024, 0},
        {2.9, 0, 1024, 2},  // truncated toward zero
        {1, 2, 1024, 1048576},
        {1, 3, 1000, 1000000000},
        {7, 9, 1024, 7},  // an unknown unit counts bytes
        {-0.5, 0, 1000, 0},
        {17179869183.0, 3, 1024, 18446744072635809792ull},  // the largest whole G Bytes that fit
        {17179869184.0, 3, 1024, std::nullopt},             // 2^64 bytes
        {1e31, 3, 1024, std::nullopt},                      // the largest the field allows
        {-1, 0, 1000, std::nullopt},
        {nan, 0, 1000, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + " unit " + std::to_string(c.unit) + " K=" + std::to_string(c.kilo));
        fields.m_dSize = c.size;
        fields.m_nSizeUnit = c.unit;
        format.m_nKByte = c.kilo;
        EXPECT_EQ(fields.SizeInBytes(format), c.bytes);
    }
}

TEST_F(SearchCriteriaTest, FaultyRowsGiveOneLineEachInTheOrderModifiedReadCreatedAndNoCriteria)
{
    struct Case { const char* modified; const char* read; const char* created; double gBytes; const char* message; };
    const Case cases[] = {
        {"1960/1/1", "0/0/0", "0/0/0", 0, "更新日時がエラーです。\n"},
        {"0/0/0", "1960/1/1", "1960/1/1", 0, "読取日時がエラーです。\n作成日時がエラーです。\n"},
        {"1960/1/1", "1960/1/1", "1960/1/1", 0,
         "更新日時がエラーです。\n読取日時がエラーです。\n作成日時がエラーです。\n"},
        {"0/0/0", "0/0/0", "69/1/1", 1e31, "サイズがエラーです。\n作成日時がエラーです。\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        fields.m_strModifiedDate = c.modified;
        fields.m_strReadDate = c.read;
        fields.m_strCreatedDate = c.created;
        fields.m_dSize = c.gBytes;
        fields.m_nSizeUnit = 3;
        CSizeInfo criteria;
        EXPECT_FALSE(fields.BuildCriteria(criteria, format));
        EXPECT_EQ(fields.m_strMessage, c.message);
        EXPECT_EQ(fields.m_strModifiedDate, c.modified);  // a failing row still shows what was read
    }
    // put right (the defaults), the prompt comes back and nothing is a criterion
    fields = CSearchCriteria();
    CSizeInfo criteria;
    criteria.m_nSize = 99;
    EXPECT_TRUE(fields.BuildCriteria(criteria, format));
    EXPECT_EQ(criteria, CSizeInfo());
    EXPECT_EQ(fields.m_strMessage, "フォルダの検索条件を入力して下さい。");
}

TEST_F(SearchCriteriaTest, EveryFieldGoesIntoItsThresholdWithTheTextsNormalised)
{
    format.m_nKByte = 1024;
    fields.m_dSize = 1.5;
    fields.m_nSizeUnit = 1;
    fields.m_nFolderCount = 3;
    fields.m_nFileCount = 4294967295u;  // the field's largest: the record's signed count holds -1
    fields.m_strModifiedDate = "99/2/30";
    fields.m_strReadDate = "1";
    fields.m_strCreatedTime = "12:30";
    CSizeInfo criteria;
    ASSERT_TRUE(fields.BuildCriteria(criteria, format));
    EXPECT_EQ(criteria, Totals(1536, 3, -1, Jst(1999, 3, 2, 0, 0), Jst(2001, 1, 1, 0, 0), Jst(1999, 11, 30, 12, 30)));
    EXPECT_EQ(fields.m_strReadDate, "2001/1/1");  // the texts as the date table normalises them
}
