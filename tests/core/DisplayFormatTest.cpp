// Tests of CDisplayFormat: sizes in every unit and base, significant digits, dates, attributes,
// type names and the name-case rule.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <cstdint>
#include <limits>
#include <string>

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

std::string Normalized(std::string name)
{
    EXPECT_TRUE(CDisplayFormat::NormalizeNameCase(name));
    return name;
}

// Switches the C locale to one that writes decimal commas for the length of a test, when the
// machine has one.
class CommaLocale {
public:
    CommaLocale()
    {
        m_previous = std::setlocale(LC_ALL, nullptr);
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "German_Germany.1252", "German"}) {
            if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',')
                return;
        }
        std::setlocale(LC_ALL, m_previous.c_str());
        m_previous.clear();
    }
    ~CommaLocale()
    {
        if (!m_previous.empty())
            std::setlocale(LC_ALL, m_previous.c_str());
    }
    bool Active() const { return !m_previous.empty(); }

private:
    std::string m_previous;
};

}  // namespace

TEST(DisplayFormatTest, SettingsStartAsKilobytesOfAThousandBytes)
{
    const CDisplayFormat format;
    EXPECT_EQ(format.m_strSizeUnit, " KB");
    EXPECT_EQ(format.m_nKByte, 1000);
    for (const std::string& suffix : {format.m_strUnitB, format.m_strUnitKB, format.m_strUnitMB,
                                      format.m_strUnitGB, format.m_strUnitTB})
        EXPECT_EQ(suffix.size(), 3u) << "'" << suffix << "'";
    EXPECT_EQ(format.m_strUnitB, "  B");
    EXPECT_EQ(format.m_strUnitTB, " TB");
}

TEST(DisplayFormatTest, UnitDivisorFollowsTheBaseAndTreatsUnknownUnitsAsKilobytes)
{
    const CDisplayFormat decimal = WithBase(1000);
    const CDisplayFormat binary = WithBase(1024);
    EXPECT_EQ(decimal.GetUnitDivisor("  B"), 1);
    EXPECT_EQ(decimal.GetUnitDivisor(" KB"), 1000);
    EXPECT_EQ(decimal.GetUnitDivisor(" MB"), 1000000);
    EXPECT_EQ(decimal.GetUnitDivisor(" GB"), 1000000000);
    EXPECT_EQ(binary.GetUnitDivisor(" MB"), 1048576);
    EXPECT_EQ(binary.GetUnitDivisor(" GB"), 1073741824);
    for (const char* unknown : {"", " TB", " B", "KB", " kb", " KB "})
        EXPECT_EQ(binary.GetUnitDivisor(unknown), 1024) << "'" << unknown << "'";
}

TEST(DisplayFormatTest, UnitSuffixIsTheUnitItselfAndKilobytesWhenEmpty)
{
    const CDisplayFormat format;
    EXPECT_EQ(format.GetUnitSuffix(""), " KB");
    EXPECT_EQ(format.GetUnitSuffix("  B"), "  B");
    EXPECT_EQ(format.GetUnitSuffix(" TB"), " TB");
}

TEST(DisplayFormatTest, FormatSizeCountsAPartialUnitAsAWholeOne)
{
    const CDisplayFormat decimal = WithBase(1000);
    EXPECT_EQ(decimal.FormatSize(0, " KB"), "0 KB");
    EXPECT_EQ(decimal.FormatSize(0, " GB"), "0 GB");
    EXPECT_EQ(decimal.FormatSize(1, " KB"), "1 KB");
    EXPECT_EQ(decimal.FormatSize(1000, " KB"), "1 KB");
    EXPECT_EQ(decimal.FormatSize(1001, " KB"), "2 KB");
    EXPECT_EQ(decimal.FormatSize(1000001, " MB"), "2 MB");
    const CDisplayFormat binary = WithBase(1024);
    EXPECT_EQ(binary.FormatSize(1024, " KB"), "1 KB");
    EXPECT_EQ(binary.FormatSize(1025, " KB"), "2 KB");
    EXPECT_EQ(binary.FormatSize(1073741825, " GB"), "2 GB");
}

TEST(DisplayFormatTest, FormatSizeGroupsEveryWidth)
{
    const CDisplayFormat format;
    EXPECT_EQ(format.FormatSize(999, "  B"), "999  B");
    EXPECT_EQ(format.FormatSize(1000, "  B"), "1,000  B");
    EXPECT_EQ(format.FormatSize(123456789, "  B"), "123,456,789  B");
    EXPECT_EQ(format.FormatSize(kMaxSize, "  B"), "18,446,744,073,709,551,615  B");
    EXPECT_EQ(format.FormatSize(kMaxSize, " KB"), "18,446,744,073,709,552 KB");
    EXPECT_EQ(WithBase(1024).FormatSize(kMaxSize, " GB"), "17,179,869,184 GB");
}

TEST(DisplayFormatTest, FormatSizeWithAnEmptyOrUnknownUnitDividesByTheKilobyte)
{
    const CDisplayFormat format;
    EXPECT_EQ(format.FormatSize(1500, ""), "2 KB");
    EXPECT_EQ(format.FormatSize(1500, " TB"), "2 TB");
    EXPECT_EQ(WithBase(1024).FormatSize(2048, ""), "2 KB");
}

TEST(DisplayFormatTest, BaseThatWouldBreakTheDivisorCountsAsAThousand)
{
    // Only a damaged store file can hold these; they must neither divide by zero nor wrap.
    for (int32_t base : {0, -1024, 65536, std::numeric_limits<int32_t>::max()}) {
        const CDisplayFormat format = WithBase(base);
        EXPECT_EQ(format.GetUnitDivisor(" GB"), 1000000000) << base;
        EXPECT_EQ(format.FormatSize(1001, " KB"), "2 KB") << base;
        EXPECT_EQ(format.FormatSizeAuto(1536000), "1. 53MB") << base;
    }
    EXPECT_EQ(WithBase(1290).GetUnitDivisor(" GB"), 2146689000);
}

TEST(DisplayFormatTest, FormatSizeWithFractionShowsSignificantDigitsBetweenOneAndAThousandUnits)
{
    const CDisplayFormat binary = WithBase(1024);
    EXPECT_EQ(binary.FormatSizeWithFraction(1536, " KB"), "1. 50 KB");
    EXPECT_EQ(binary.FormatSizeWithFraction(1024, " KB"), "1. 00 KB");
    EXPECT_EQ(binary.FormatSizeWithFraction(1073741824, " GB"), "1. 00 GB");
    const CDisplayFormat decimal = WithBase(1000);
    EXPECT_EQ(decimal.FormatSizeWithFraction(12345, " KB"), "12. 3 KB");
    EXPECT_EQ(decimal.FormatSizeWithFraction(123456, " KB"), "123 KB");
    EXPECT_EQ(decimal.FormatSizeWithFraction(999999, " KB"), "999 KB");
    EXPECT_EQ(decimal.FormatSizeWithFraction(1, "  B"), "1. 00  B");
    EXPECT_EQ(decimal.FormatSizeWithFraction(2500, ""), "2. 50 KB");
}

TEST(DisplayFormatTest, FormatSizeWithFractionRoundsUpWholeUnitsOutsideThatRange)
{
    const CDisplayFormat decimal = WithBase(1000);
    EXPECT_EQ(decimal.FormatSizeWithFraction(0, " KB"), "0 KB");
    EXPECT_EQ(decimal.FormatSizeWithFraction(500, " KB"), "1 KB");
    EXPECT_EQ(decimal.FormatSizeWithFraction(1000000, " KB"), "1,000 KB");
    EXPECT_EQ(decimal.FormatSizeWithFraction(1000001, " KB"), "1,001 KB");
    EXPECT_EQ(decimal.FormatSizeWithFraction(kMaxSize, "  B"), "18,446,744,073,709,551,615  B");
}

TEST(DisplayFormatTest, FormatSizeWithFractionShowsExactHundredthsDespiteBinaryFractions)
{
    // 1,150 / 1,000 is 1.1499999999999999 as a double; the size is exactly 1.15 units.
    const CDisplayFormat decimal = WithBase(1000);
    EXPECT_EQ(decimal.FormatSizeWithFraction(1150, " KB"), "1. 15 KB");
    EXPECT_EQ(decimal.FormatSizeWithFraction(4350, " KB"), "4. 35 KB");
    EXPECT_EQ(decimal.FormatSizeWithFraction(1149, " KB"), "1. 14 KB");
    EXPECT_EQ(decimal.FormatSizeWithFraction(1149999, " MB"), "1. 14 MB");
}

TEST(DisplayFormatTest, FormatSignificantTruncatesToThreeDigitsWithABlankAfterThePoint)
{
    EXPECT_EQ(CDisplayFormat::FormatSignificant(0), "0");
    EXPECT_EQ(CDisplayFormat::FormatSignificant(100), "100");
    EXPECT_EQ(CDisplayFormat::FormatSignificant(999.99), "999");
    EXPECT_EQ(CDisplayFormat::FormatSignificant(1.5), "1. 50");
    EXPECT_EQ(CDisplayFormat::FormatSignificant(12.3), "12. 3");
    EXPECT_EQ(CDisplayFormat::FormatSignificant(9.999), "9. 99");
    EXPECT_EQ(CDisplayFormat::FormatSignificant(99.99), "99. 9");
    EXPECT_EQ(CDisplayFormat::FormatSignificant(10), "10. 0");
    EXPECT_EQ(CDisplayFormat::FormatSignificant(0.005), "0. 00");
    EXPECT_EQ(CDisplayFormat::FormatSignificant(0.29), "0. 29");
    EXPECT_EQ(CDisplayFormat::FormatSignificant(1.15), "1. 15");
    EXPECT_EQ(CDisplayFormat::FormatSignificant(5e12), "5000000000000");
}

TEST(DisplayFormatTest, FormatSignificantWritesAPointWhateverTheLocale)
{
    const CommaLocale locale;
    if (!locale.Active())
        GTEST_SKIP() << "no locale with a decimal comma on this machine";
    EXPECT_EQ(CDisplayFormat::FormatSignificant(1.5), "1. 50");
    EXPECT_EQ(WithBase(1024).FormatSizeAuto(1536), "1. 50KB");
}

TEST(DisplayFormatTest, FormatSizeAutoScalesAtAThousandWithEitherBase)
{
    const CDisplayFormat binary = WithBase(1024);
    EXPECT_EQ(binary.FormatSizeAuto(0), "0 B");
    EXPECT_EQ(binary.FormatSizeAuto(5), "5. 00 B");
    EXPECT_EQ(binary.FormatSizeAuto(999), "999 B");
    EXPECT_EQ(binary.FormatSizeAuto(1000), "0. 97KB");
    EXPECT_EQ(binary.FormatSizeAuto(1023), "0. 99KB");
    EXPECT_EQ(binary.FormatSizeAuto(1536), "1. 50KB");
    EXPECT_EQ(binary.FormatSizeAuto(2500000000), "2. 32GB");
    const CDisplayFormat decimal = WithBase(1000);
    EXPECT_EQ(decimal.FormatSizeAuto(1000), "1. 00KB");
    EXPECT_EQ(decimal.FormatSizeAuto(45600000), "45. 6MB");
}

TEST(DisplayFormatTest, FormatSizeAutoStopsAtGigabytesWithoutGrouping)
{
    const CDisplayFormat decimal = WithBase(1000);
    EXPECT_EQ(decimal.FormatSizeAuto(5000000000000), "5000GB");
    EXPECT_EQ(decimal.FormatSizeAuto(std::numeric_limits<int64_t>::max()), "9223372036GB");
}

TEST(DisplayFormatTest, ZeroTimeGivesPlaceholdersAsWideAsTheDates)
{
    EXPECT_EQ(CDisplayFormat::FormatDateShort(CTime()), ". . . . . . ");
    EXPECT_EQ(CDisplayFormat::FormatDateTimeShort(CTime()), ". . . . . . . . . . . ");
    EXPECT_EQ(CDisplayFormat::FormatDate(CTime(), false), ". . . . . . . . ");
    EXPECT_EQ(CDisplayFormat::FormatDate(CTime(), true), ". . . . . . . . " " . . . . .");
    EXPECT_EQ(CDisplayFormat::FormatDateShort(CTime()).size(), 12u);
    EXPECT_EQ(CDisplayFormat::FormatDateTimeShort(CTime()).size(), 22u);
    EXPECT_EQ(CDisplayFormat::FormatDate(CTime(), true).size(), 26u);
}

TEST(DisplayFormatTest, DatesAreLocalTime)
{
    const FixedOffsetPlatform tokyo(9);
    const CTime time(1700000000);  // 2023-11-14 22:13:20 UTC
    EXPECT_EQ(CDisplayFormat::FormatDateShort(time), "231115");
    EXPECT_EQ(CDisplayFormat::FormatDateTimeShort(time), "231115 07:13");
    EXPECT_EQ(CDisplayFormat::FormatDate(time, false), "23/11/15");
    EXPECT_EQ(CDisplayFormat::FormatDate(time, true), "23/11/15 07:13");
}

TEST(DisplayFormatTest, DatesFollowTheZoneAcrossTheYear)
{
    const CTime time(1704052800);  // 2023-12-31 20:00:00 UTC
    {
        const FixedOffsetPlatform tokyo(9);
        EXPECT_EQ(CDisplayFormat::FormatDateTimeShort(time), "240101 05:00");
    }
    const FixedOffsetPlatform newYork(-5);
    EXPECT_EQ(CDisplayFormat::FormatDateTimeShort(time), "231231 15:00");
}

TEST(DisplayFormatTest, DatesKeepTwoDigitYearsAtTheEndsOfTheRange)
{
    const FixedOffsetPlatform utc(0);
    EXPECT_EQ(CDisplayFormat::FormatDateShort(CTime(946684800)), "000101");
    EXPECT_EQ(CDisplayFormat::FormatDate(CTime(INT32_MAX), true), "38/01/19 03:14");
}

TEST(DisplayFormatTest, TimeTheSystemCannotConvertGetsThePlaceholder)
{
    FixedOffsetPlatform platform(9);
    platform.m_bFailing = true;
    EXPECT_EQ(CDisplayFormat::FormatDateShort(CTime(1700000000)), ". . . . . . ");
    EXPECT_EQ(CDisplayFormat::FormatDate(CTime(1700000000), true), ". . . . . . . . " " . . . . .");
}

TEST(DisplayFormatTest, DatesMatchTheSystemsLocalTime)
{
    const CTime time(1700000000);
    std::tm local{};
    ASSERT_TRUE(GetPlatform().LocalTime(time.GetTime(), local));
    char expected[32];
    std::snprintf(expected, sizeof expected, "%02d/%02d/%02d %02d:%02d", local.tm_year % 100,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
    EXPECT_EQ(CDisplayFormat::FormatDate(time, true), expected);
    std::snprintf(expected, sizeof expected, "%02d%02d%02d", local.tm_year % 100, local.tm_mon + 1,
                  local.tm_mday);
    EXPECT_EQ(CDisplayFormat::FormatDateShort(time), expected);
}

#ifndef _WIN32
TEST(DisplayFormatTest, DatesFollowTheProcessTimeZone)
{
    const char* previous = std::getenv("TZ");
    const std::string saved = previous ? previous : "";
    setenv("TZ", "JST-9", 1);
    tzset();
    const std::string text = CDisplayFormat::FormatDateTimeShort(CTime(1704052800));
    if (previous)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    EXPECT_EQ(text, "240101 05:00");
}
#endif

TEST(DisplayFormatTest, AttributesShowReadOnlyHiddenSystemArchiveInThatOrder)
{
    EXPECT_EQ(CDisplayFormat::FormatAttributes(0), "");
    EXPECT_EQ(CDisplayFormat::FormatAttributes(0x01), "R");
    EXPECT_EQ(CDisplayFormat::FormatAttributes(0x20 | 0x02), "HA");
    EXPECT_EQ(CDisplayFormat::FormatAttributes(0x27), "RHSA");
    EXPECT_EQ(CDisplayFormat::FormatAttributes(0xFFFFFFFF), "RHSA");
    EXPECT_EQ(CDisplayFormat::FormatAttributes(0x10 | 0x80 | 0x100), "");
}

TEST(DisplayFormatTest, ExtensionIsTheTextAfterTheLastPoint)
{
    EXPECT_EQ(CDisplayFormat::GetExtension("archive.tar.gz"), "gz");
    EXPECT_EQ(CDisplayFormat::GetExtension("Makefile"), "");
    EXPECT_EQ(CDisplayFormat::GetExtension("name."), "");
    EXPECT_EQ(CDisplayFormat::GetExtension(".profile"), "profile");
    EXPECT_EQ(CDisplayFormat::GetExtension("資料.ﾃｷｽﾄ"), "ﾃｷｽﾄ");
}

TEST(DisplayFormatTest, TypeNameIsFolderLowerCasedExtensionOrFile)
{
    EXPECT_EQ(CDisplayFormat::FormatTypeName("Backup.2024", 0x10), "ﾌｫﾙﾀﾞ");
    EXPECT_EQ(CDisplayFormat::FormatTypeName("Report.TXT", 0x20), "txt");
    EXPECT_EQ(CDisplayFormat::FormatTypeName("archive.tar.gz", 0), "gz");
    EXPECT_EQ(CDisplayFormat::FormatTypeName("Makefile", 0), "ﾌｧｲﾙ");
    EXPECT_EQ(CDisplayFormat::FormatTypeName("name.", 0), "ﾌｧｲﾙ");
    // Only ASCII letters change case; the other characters of an extension stay intact.
    EXPECT_EQ(CDisplayFormat::FormatTypeName("写真.JPGﾃﾞｰﾀ", 0), "jpgﾃﾞｰﾀ");
    EXPECT_EQ(CDisplayFormat::FormatTypeName("表.ＤＯＣ", 0), "ＤＯＣ");
}

TEST(DisplayFormatTest, NameInCapitalsKeepsOnlyItsFirstLetterUpperCase)
{
    EXPECT_EQ(Normalized("AB"), "Ab");
    EXPECT_EQ(Normalized("WINDOWS"), "Windows");
    EXPECT_EQ(Normalized("README.1ST"), "Readme.1st");
    EXPECT_EQ(Normalized("AUTOEXEC.BAT"), "Autoexec.bat");
    EXPECT_EQ(Normalized("~$REPORT.DOC"), "~$report.doc");
}

TEST(DisplayFormatTest, NameWithALowerCaseLetterOrOfOneByteStaysAsItIs)
{
    EXPECT_EQ(Normalized(""), "");
    EXPECT_EQ(Normalized("A"), "A");
    EXPECT_EQ(Normalized("Ab"), "Ab");
    EXPECT_EQ(Normalized("Program Files"), "Program Files");
    EXPECT_EQ(Normalized("WINDOWs"), "WINDOWs");
}

TEST(DisplayFormatTest, HalfWidthKatakanaCountAsSingleBytes)
{
    EXPECT_EQ(Normalized("ｱｲｳ123"), "ｱｲｳ123");
    EXPECT_EQ(Normalized("ｱB"), "ｱb");  // two bytes in code page 932
    EXPECT_EQ(Normalized("ﾌｫﾙﾀﾞZQ"), "ﾌｫﾙﾀﾞzq");
    EXPECT_EQ(Normalized("ｱ"), "ｱ");  // one byte in code page 932
}

TEST(DisplayFormatTest, NameWithADoubleByteCharacterStaysAsItIs)
{
    EXPECT_EQ(Normalized("DATA資料"), "DATA資料");
    EXPECT_EQ(Normalized("ソFT"), "ソFT");  // trail byte 0x5C, a backslash on its own
    EXPECT_EQ(Normalized("ＡＢＣ"), "ＡＢＣ");
    EXPECT_EQ(Normalized("表"), "表");
}
