// Tests of CDisplayFormat: sizes in every unit and base, significant digits, dates, attributes,
// type names and the name-case rule.
#include <gtest/gtest.h>

#include <ctime>
#include <cstdint>
#include <limits>
#include <string>
#include <tuple>

#include "core/FixedOffsetPlatform.h"
#include "services/CDisplayFormat.h"

namespace {

constexpr uint64_t kMaxSize = std::numeric_limits<uint64_t>::max();

CDisplayFormat WithBase(int32_t base)
{
    CDisplayFormat format;
    format.m_nKByte = base;
    return format;
}

// A size written with one base and unit, and the text expected.
struct SizeCase { int32_t base; uint64_t size; std::string unit, expected; };

}  // namespace

TEST(DisplayFormatTest, UnitsFollowTheBaseWholeUnitsRoundUpAndGroupEveryWidthAndFractionsShowThreeSignificantDigits)
{
    const CDisplayFormat format;
    struct Case { int32_t base; std::string unit; int32_t divisor; };
    const Case cases[] = {
        {1000, format.m_strUnitB, 1}, {1000, format.m_strUnitKB, 1000}, {1000, format.m_strUnitMB, 1000000},
        {1000, format.m_strUnitGB, 1000000000}, {1024, " MB", 1048576}, {1024, " GB", 1073741824},
        {1024, "", 1024}, {1024, format.m_strUnitTB, 1024}, {1024, " B", 1024}, {1024, "KB", 1024},
        {1024, " kb", 1024}, {1024, " KB ", 1024}, {1290, " GB", 2146689000}};
    for (const Case& c : cases)
        EXPECT_EQ(WithBase(c.base).GetUnitDivisor(c.unit), c.divisor) << c.base << " '" << c.unit << "'";
    for (const auto& [unit, suffix] : {std::pair{"", " KB"}, {"  B", "  B"}, {" TB", " TB"}})
        EXPECT_EQ(format.GetUnitSuffix(unit), suffix) << unit;
    // Only a damaged store file can hold these bases; they must neither divide by zero nor wrap.
    for (int32_t base : {0, -1024, 65536, std::numeric_limits<int32_t>::max()}) {
        EXPECT_EQ(WithBase(base).GetUnitDivisor(" GB"), 1000000000) << base;
        EXPECT_EQ(WithBase(base).FormatSize(1001, " KB"), "2 KB") << base;
        EXPECT_EQ(WithBase(base).FormatSizeAuto(1536000), "1. 53MB") << base;
    }

    // Whole units: a partial unit counts as a whole one, and every width is grouped.
    const SizeCase wholeUnits[] = {
        {1000, 0, " KB", "0 KB"}, {1000, 0, " GB", "0 GB"}, {1000, 1, " KB", "1 KB"}, {1000, 1000, " KB", "1 KB"},
        {1000, 1001, " KB", "2 KB"}, {1000, 1000001, " MB", "2 MB"}, {1024, 1024, " KB", "1 KB"},
        {1024, 1025, " KB", "2 KB"}, {1024, 1073741825, " GB", "2 GB"},
        {1000, 999, "  B", "999  B"}, {1000, 1000, "  B", "1,000  B"}, {1000, 123456789, "  B", "123,456,789  B"},
        {1000, kMaxSize, "  B", "18,446,744,073,709,551,615  B"}, {1000, kMaxSize, " KB", "18,446,744,073,709,552 KB"},
        {1024, kMaxSize, " GB", "17,179,869,184 GB"},
        // An empty or unknown unit divides by the kilobyte.
        {1000, 1500, "", "2 KB"}, {1000, 1500, " TB", "2 TB"}, {1024, 2048, "", "2 KB"}};
    for (const SizeCase& c : wholeUnits)
        EXPECT_EQ(WithBase(c.base).FormatSize(c.size, c.unit), c.expected) << c.base << " " << c.size;

    // Between one and a thousand units, with three significant digits.
    const SizeCase fractions[] = {
        {1024, 1536, " KB", "1. 50 KB"}, {1024, 1024, " KB", "1. 00 KB"}, {1024, 1073741824, " GB", "1. 00 GB"},
        {1000, 12345, " KB", "12. 3 KB"}, {1000, 123456, " KB", "123 KB"}, {1000, 999999, " KB", "999 KB"},
        {1000, 1, "  B", "1. 00  B"}, {1000, 2500, "", "2. 50 KB"},
        // Outside that range: whole units, rounded up.
        {1000, 0, " KB", "0 KB"}, {1000, 500, " KB", "1 KB"}, {1000, 1000000, " KB", "1,000 KB"}, {1000, 1000001, " KB", "1,001 KB"},
        // 1,150 / 1,000 is 1.1499999999999999 as a double; the size is exactly 1.15 units.
        {1000, 1150, " KB", "1. 15 KB"}, {1000, 4350, " KB", "4. 35 KB"}, {1000, 1149, " KB", "1. 14 KB"},
        {1000, 1149999, " MB", "1. 14 MB"}};
    for (const SizeCase& c : fractions)
        EXPECT_EQ(WithBase(c.base).FormatSizeWithFraction(c.size, c.unit), c.expected) << c.base << " " << c.size;
}

TEST(DisplayFormatTest, SignificantDigitsAreTruncatedWithABlankAfterThePointAndScaleThemselvesUpToGigabytes)
{
    const std::tuple<int32_t, int64_t, const char*> cases[] = {
        {1024, 0, "0 B"}, {1024, 5, "5. 00 B"}, {1024, 999, "999 B"}, {1024, 1000, "0. 97KB"}, {1024, 1023, "0. 99KB"},
        {1024, 1536, "1. 50KB"}, {1024, 2500000000, "2. 32GB"}, {1000, 1000, "1. 00KB"}, {1000, 45600000, "45. 6MB"},
        {1000, 5000000000000, "5000GB"}, {1000, std::numeric_limits<int64_t>::max(), "9223372036GB"}};
    for (const auto& [base, size, expected] : cases)
        EXPECT_EQ(WithBase(base).FormatSizeAuto(size), expected) << base << " " << size;

    // Three significant digits, truncated, with a blank after the point.
    const std::pair<double, const char*> significant[] = {
        {0, "0"}, {100, "100"}, {999.99, "999"}, {1.5, "1. 50"}, {12.3, "12. 3"}, {9.999, "9. 99"},
        {99.99, "99. 9"}, {10, "10. 0"}, {0.005, "0. 00"}, {0.29, "0. 29"}, {1.15, "1. 15"}, {5e12, "5000000000000"}};
    for (const auto& [value, expected] : significant)
        EXPECT_EQ(CDisplayFormat::FormatSignificant(value), expected) << value;
}

TEST(DisplayFormatTest, DatesAreLocalTimeInTheProcessZoneAndNoTimeGivesPlaceholdersAsWideAsTheDates)
{
    struct Case { int offsetHours; int64_t time; const char *shortDate, *shortDateTime, *date, *dateTime; };
    const Case cases[] = {
        {9, 0, ". . . . . . ", ". . . . . . . . . . . ", ". . . . . . . . ", ". . . . . . . . " " . . . . ."},
        {9, 1700000000, "231115", "231115 07:13", "23/11/15", "23/11/15 07:13"},  // 2023-11-14 22:13:20 UTC
        {9, 1704052800, "240101", "240101 05:00", "24/01/01", "24/01/01 05:00"},  // 2023-12-31 20:00:00 UTC
        {-5, 1704052800, "231231", "231231 15:00", "23/12/31", "23/12/31 15:00"},
        {0, 946684800, "000101", "000101 00:00", "00/01/01", "00/01/01 00:00"},  // two-digit years at both ends
        {0, INT32_MAX, "380119", "380119 03:14", "38/01/19", "38/01/19 03:14"}};
    for (const Case& c : cases) {
        const FixedOffsetPlatform platform(c.offsetHours);
        const CTime time(c.time);
        SCOPED_TRACE(c.time);
        EXPECT_EQ(CDisplayFormat::FormatDateShort(time), c.shortDate);
        EXPECT_EQ(CDisplayFormat::FormatDateTimeShort(time), c.shortDateTime);
        EXPECT_EQ(CDisplayFormat::FormatDate(time, false), c.date);
        EXPECT_EQ(CDisplayFormat::FormatDate(time, true), c.dateTime);
    }
    // A time the system cannot convert gets the placeholder too.
    FixedOffsetPlatform platform(9);
    platform.m_bFailing = true;
    EXPECT_EQ(CDisplayFormat::FormatDateShort(CTime(1700000000)), ". . . . . . ");
    EXPECT_EQ(CDisplayFormat::FormatDate(CTime(1700000000), true), ". . . . . . . . " " . . . . .");
}

TEST(DisplayFormatTest, AttributesTypeNamesAndTheNameCaseRule)
{
    // Read-only, hidden, system and archive in that order; other bits show nothing.
    for (const auto& [attributes, expected] : {std::pair<uint32_t, const char*>{0, ""}, {0x01, "R"}, {0x22, "HA"},
                                               {0x27, "RHSA"}, {0xFFFFFFFF, "RHSA"}, {0x10 | 0x80 | 0x100, ""}})
        EXPECT_EQ(CDisplayFormat::FormatAttributes(attributes), expected) << attributes;
    // The type is "folder", the lower-cased extension (the text after the last point) or "file";
    // only ASCII letters change case.
    struct Case { const char* name; uint32_t attributes; const char* type; };
    for (const Case& c : {Case{"Backup.2024", 0x10, "ﾌｫﾙﾀﾞ"}, {"Report.TXT", 0x20, "txt"}, {"archive.tar.gz", 0, "gz"},
                          {"Makefile", 0, "ﾌｧｲﾙ"}, {"name.", 0, "ﾌｧｲﾙ"}, {"写真.JPGﾃﾞｰﾀ", 0, "jpgﾃﾞｰﾀ"},
                          {"表.ＤＯＣ", 0, "ＤＯＣ"}, {".profile", 0, "profile"}})
        EXPECT_EQ(CDisplayFormat::FormatTypeName(c.name, c.attributes), c.type) << c.name;

    // A name in single-byte capitals keeps only its first letter upper case.
    const std::pair<const char*, const char*> cases[] = {
        {"AB", "Ab"}, {"WINDOWS", "Windows"}, {"README.1ST", "Readme.1st"}, {"AUTOEXEC.BAT", "Autoexec.bat"},
        {"~$REPORT.DOC", "~$report.doc"},
        // A lower-case letter or a single byte leaves the name as it is.
        {"", ""}, {"A", "A"}, {"Ab", "Ab"}, {"Program Files", "Program Files"}, {"WINDOWs", "WINDOWs"},
        // Half-width katakana are single bytes in code page 932.
        {"ｱｲｳ123", "ｱｲｳ123"}, {"ｱB", "ｱb"}, {"ﾌｫﾙﾀﾞZQ", "ﾌｫﾙﾀﾞzq"}, {"ｱ", "ｱ"},
        // A double-byte character leaves the name as it is; ソ ends in 0x5C, a backslash on its own.
        {"DATA資料", "DATA資料"}, {"ソFT", "ソFT"}, {"ＡＢＣ", "ＡＢＣ"}, {"表", "表"}};
    for (const auto& [name, expected] : cases) {
        std::string normalized = name;
        EXPECT_TRUE(CDisplayFormat::NormalizeNameCase(normalized));
        EXPECT_EQ(normalized, expected) << name;
    }
}
