// Tests of the tree labels: the totals pieces with their dots and widths, the ">" before the name,
// names read back and swapped, and the names keys are first shown with.
#include <gtest/gtest.h>

#include <map>

#include "app/CAppSettings.h"
#include "core/FixedOffsetPlatform.h"
#include "treepane/CFolderLabel.h"

namespace {

constexpr int32_t kModified = 1710465359;  // 2024-03-15 10:15:59 at UTC+9
constexpr int32_t kRead = 1704034800;      // 2024-01-01 00:00:00
constexpr int32_t kCreated = 981205440;    // 2001-02-03 22:04:00
const std::string kNoDateTime = ". . . . . . . . . . . ";
const std::string kNoDate = ". . . . . . ";

// Japanese local time, and shell names for the drives the test names.
class LabelPlatform : public FixedOffsetPlatform {
public:
    LabelPlatform() : FixedOffsetPlatform(9) {}
    std::string ShellDisplayNameOf(const std::string& path) override
    {
        const auto name = shellNames.find(path);
        return name == shellNames.end() ? std::string() : name->second;
    }
    std::map<std::string, std::string> shellNames{{"C:\\", " (C:)"}, {"D:\\", "DATA (D:)"}};
};

class FolderLabelTest : public ::testing::Test {
protected:
    FolderLabelTest()
    {
        settings.m_format.m_strSizeUnit.clear();
        totals.m_nSize = 1234567;
        totals.m_nFolders = 1234;
        totals.m_nFiles = 1234567;
        totals.m_tModified = CTime(kModified);
        totals.m_tAccessed = CTime(kRead);
        totals.m_tCreated = CTime(kCreated);
    }
    std::string Info() const { return CFolderLabel::BuildInfoText(settings, totals); }
    std::string Dots(std::size_t count) const { return std::string(count, '.'); }

    LabelPlatform platform;
    CAppSettings settings;
    CSizeInfo totals;
};

}  // namespace

TEST_F(FolderLabelTest, WithNothingEnabledTheLabelIsTheBareName)
{
    EXPECT_EQ(Info(), "");
    EXPECT_EQ(CFolderLabel::MakeLabel(settings, totals, "Data"), "Data");
    EXPECT_FALSE(CFolderLabel::HasTotals(CFolderLabel::MakeLabel(settings, totals, "Data")));
}

TEST_F(FolderLabelTest, EveryPieceInItsFixedOrderEachEndingInMarkAndBlank)
{
    settings.m_format.m_strSizeUnit = " KB";  // kilobytes of 1,000 bytes
    settings.m_bShowFileCount = 1;
    settings.m_bShowFolderCount = 1;
    settings.m_bShowCreated = 1;
    settings.m_bShowLastRead = 1;
    settings.m_bShowModified = 1;
    EXPECT_EQ(Info(), "U 240315 10:15> R 240101> C 010203 22:04> D.....1,234> F1,234,567> " + Dots(22) + "1,235 KB> ");
    EXPECT_EQ(CFolderLabel::MakeLabel(settings, totals, "Data"), Info() + ">Data");
}

TEST_F(FolderLabelTest, FolderCountOfTwelveGetsTwelveDots)
{
    settings.m_bShowFolderCount = 1;
    totals.m_nFolders = 12;
    EXPECT_EQ(CFolderLabel::MakeLabel(settings, totals, "Data"), "D............12> >Data");
}

TEST_F(FolderLabelTest, MissingDatesShowTheirDottedPlaceholders)
{
    settings.m_bShowModified = 1;
    settings.m_bShowLastRead = 1;
    settings.m_bShowCreated = 1;
    totals = CSizeInfo();
    EXPECT_EQ(Info(), "U " + kNoDateTime + "> R " + kNoDate + "> C " + kNoDateTime + "> ");
}

TEST_F(FolderLabelTest, CountsAndSizesArePaddedToTheirWidthsButNeverCut)
{
    settings.m_bShowFolderCount = 1;
    settings.m_bShowFileCount = 1;
    settings.m_format.m_strSizeUnit = "  B";
    totals = CSizeInfo();
    // (7 - 1) * 2.5, (9 - 1) * 2.5 and (17 - 4) * 2.5 truncated
    EXPECT_EQ(Info(), "D" + Dots(15) + "0> F" + Dots(20) + "0> " + Dots(32) + "0  B> ");

    totals.m_nFolders = 12345678;
    totals.m_nFiles = 1234567890;
    totals.m_nSize = 123456789012345678;
    EXPECT_EQ(Info(), "D12,345,678> F1,234,567,890> 123,456,789,012,345,678  B> ");
}

TEST_F(FolderLabelTest, SizeFollowsTheUnitAndBaseAndHidesWithAnEmptyUnit)
{
    settings.m_format.m_nKByte = 1024;
    settings.m_format.m_strSizeUnit = " MB";
    totals.m_nSize = 1048577;  // just over one binary megabyte: rounds up
    EXPECT_EQ(Info(), Dots(32) + "2 MB> ");
    settings.m_format.m_strSizeUnit.clear();
    settings.m_bShowFileCount = 1;
    EXPECT_EQ(Info(), "F1,234,567> ");
}

TEST_F(FolderLabelTest, NegativeCountsFromADamagedStoreShowWithTheirSign)
{
    settings.m_bShowFolderCount = 1;
    totals.m_nFolders = -5;
    EXPECT_EQ(Info(), "D............-5> ");
    totals.m_nFolders = INT32_MIN;
    EXPECT_EQ(Info(), "D-2,147,483,648> ");
}

TEST_F(FolderLabelTest, NameIsWhatFollowsTheLastMarkAndARenameKeepsTheTotals)
{
    const std::string label = "D............12> F" + Dots(20) + "0> >Program Files";
    EXPECT_TRUE(CFolderLabel::HasTotals(label));
    EXPECT_EQ(CFolderLabel::NameOf(label), "Program Files");
    EXPECT_EQ(CFolderLabel::Rename(label, "新しいﾌｫﾙﾀﾞ"), "D............12> F" + Dots(20) + "0> >新しいﾌｫﾙﾀﾞ");
    EXPECT_EQ(CFolderLabel::NameOf("データ"), "データ");
    EXPECT_EQ(CFolderLabel::Rename("Old", "New"), "New");
    EXPECT_EQ(CFolderLabel::NameOf("U " + kNoDateTime + "> >"), "");
    EXPECT_EQ(CFolderLabel::Compose("", "x"), "x");
    EXPECT_EQ(CFolderLabel::Compose("D" + Dots(15) + "0> ", "x"), "D" + Dots(15) + "0> >x");
}

TEST_F(FolderLabelTest, SpecialKeysAndDrivesKeepTheirNamesWhileCapitalFolderNamesSoften)
{
    const std::string computer = settings.m_keys.m_strMyComputerId;
    EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, computer), "ﾏｲ ｺﾝﾋﾟｭｰﾀ");
    EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, computer + "\\Dummy,"), "Dummy,");
    EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, "C:\\Dummy,"), "Dummy,");
    EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, "C:\\a\\ﾌｧｲﾙ専用仮想ﾌｫﾙﾀﾞ,"), "ﾌｧｲﾙ専用仮想ﾌｫﾙﾀﾞ");
    EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, "C:\\"), " (C:)");  // not " (c:)"
    EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, "D:\\"), "DATA (D:)");
    EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, "e:\\"), "E:\\");  // the shell knows no name

    EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, "C:\\PROGRAM"), "Program");
    EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, "C:\\WINDOWS\\SYSTEM32"), "System32");
    EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, "C:\\A"), "A");
    EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, "C:\\Data"), "Data");
    EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, "C:\\DATAデータ"), "DATAデータ");
    EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, "C:\\ＤＡＴＡ"), "ＤＡＴＡ");
}
