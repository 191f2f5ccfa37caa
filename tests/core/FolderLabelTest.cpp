// Tests of the tree labels: the totals pieces with their dots and widths, the ">" before the name,
// names read back and swapped, and the names keys are first shown with.
#include <gtest/gtest.h>

#include <map>

#include "TestSupport.h"
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
    FolderLabelTest() { settings.m_format.m_strSizeUnit.clear(); }
    std::string Info() const { return CFolderLabel::BuildInfoText(settings, totals); }
    std::string Dots(std::size_t count) const { return std::string(count, '.'); }

    LabelPlatform platform;
    CAppSettings settings;
    CSizeInfo totals = Totals(1234567, 1234, 1234567, kModified, kRead, kCreated);
};

}  // namespace

TEST_F(FolderLabelTest, EveryPieceInItsFixedOrderEachEndingInMarkAndBlankPaddedToItsWidthButNeverCut)
{
    EXPECT_EQ(Info(), "");  // nothing enabled: the label is the bare name
    EXPECT_EQ(CFolderLabel::MakeLabel(settings, totals, "Data"), "Data");
    EXPECT_FALSE(CFolderLabel::HasTotals(CFolderLabel::MakeLabel(settings, totals, "Data")));

    settings.m_format.m_strSizeUnit = " KB";  // kilobytes of 1,000 bytes
    settings.m_bShowFileCount = settings.m_bShowFolderCount = settings.m_bShowCreated = 1;
    settings.m_bShowLastRead = settings.m_bShowModified = 1;
    EXPECT_EQ(Info(), "U 240315 10:15> R 240101> C 010203 22:04> D.....1,234> F1,234,567> " + Dots(22) + "1,235 KB> ");
    EXPECT_EQ(CFolderLabel::MakeLabel(settings, totals, "Data"), Info() + ">Data");

    settings.m_format.m_strSizeUnit.clear();
    settings.m_bShowFileCount = settings.m_bShowFolderCount = 0;
    totals = CSizeInfo();  // missing dates show their dotted placeholders
    EXPECT_EQ(Info(), "U " + kNoDateTime + "> R " + kNoDate + "> C " + kNoDateTime + "> ");

    // Counts and sizes are padded to their widths but never cut.
    settings.m_bShowModified = settings.m_bShowLastRead = settings.m_bShowCreated = 0;
    settings.m_bShowFolderCount = 1;
    for (const auto& [folders, expected] : {std::pair{12, "D............12> "}, {-5, "D............-5> "},
                                            {INT32_MIN, "D-2,147,483,648> "}}) {  // negative: a damaged store
        totals.m_nFolders = folders;
        EXPECT_EQ(Info(), expected);
    }
    EXPECT_EQ(CFolderLabel::MakeLabel(settings, totals, "Data"), "D-2,147,483,648> >Data");

    settings.m_bShowFileCount = 1;
    settings.m_format.m_strSizeUnit = "  B";
    totals = CSizeInfo();
    // (7 - 1) * 2.5, (9 - 1) * 2.5 and (17 - 4) * 2.5 truncated
    EXPECT_EQ(Info(), "D" + Dots(15) + "0> F" + Dots(20) + "0> " + Dots(32) + "0  B> ");
    totals.m_nFolders = 12345678;
    totals.m_nFiles = 1234567890;
    totals.m_nSize = 123456789012345678;
    EXPECT_EQ(Info(), "D12,345,678> F1,234,567,890> 123,456,789,012,345,678  B> ");

    // The size follows the unit and base, and an empty unit hides it.
    settings.m_bShowFolderCount = settings.m_bShowFileCount = 0;
    settings.m_format.m_nKByte = 1024;
    settings.m_format.m_strSizeUnit = " MB";
    totals.m_nSize = 1048577;  // just over one binary megabyte: rounds up
    EXPECT_EQ(Info(), Dots(32) + "2 MB> ");
    settings.m_format.m_strSizeUnit.clear();
    settings.m_bShowFileCount = 1;
    EXPECT_EQ(Info(), "F1,234,567,890> ");
}

TEST_F(FolderLabelTest, NameIsWhatFollowsTheLastMarkAndKeysAreFirstShownWithTheirDisplayNames)
{
    const std::string label = "D............12> F" + Dots(20) + "0> >Program Files";
    EXPECT_TRUE(CFolderLabel::HasTotals(label));
    EXPECT_EQ(CFolderLabel::NameOf(label), "Program Files");
    EXPECT_EQ(CFolderLabel::Rename(label, "新しいﾌｫﾙﾀﾞ"), "D............12> F" + Dots(20) + "0> >新しいﾌｫﾙﾀﾞ");
    EXPECT_EQ(CFolderLabel::NameOf("データ"), "データ");
    EXPECT_EQ(CFolderLabel::Rename("Old", "New"), "New");
    EXPECT_EQ(CFolderLabel::NameOf("U " + kNoDateTime + "> >"), "");

    const std::string computer = settings.m_keys.m_strMyComputerId;
    // A drive keeps the shell's name as it is (" (C:)", not " (c:)"), or its key when the shell
    // knows none; only names in single-byte capitals soften.
    const std::pair<std::string, std::string> cases[] = {
        {computer, "ﾏｲ ｺﾝﾋﾟｭｰﾀ"}, {computer + "\\Dummy,", "Dummy,"}, {"C:\\Dummy,", "Dummy,"},
        {"C:\\a\\ﾌｧｲﾙ専用仮想ﾌｫﾙﾀﾞ,", "ﾌｧｲﾙ専用仮想ﾌｫﾙﾀﾞ"}, {"C:\\", " (C:)"}, {"D:\\", "DATA (D:)"},
        {"e:\\", "E:\\"}, {"C:\\PROGRAM", "Program"}, {"C:\\WINDOWS\\SYSTEM32", "System32"}, {"C:\\A", "A"},
        {"C:\\Data", "Data"}, {"C:\\DATAデータ", "DATAデータ"}, {"C:\\ＤＡＴＡ", "ＤＡＴＡ"}};
    for (const auto& [key, name] : cases)
        EXPECT_EQ(CFolderLabel::DisplayNameOf(settings, key), name) << key;
}
