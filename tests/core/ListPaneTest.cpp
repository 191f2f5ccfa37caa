// The file list's portable part: row order, column texts, the title, the saved layout and listing.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "StoreTestSupport.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "fw/CArchive.h"
#include "listpane/CFileItem.h"
#include "listpane/CFolderListing.h"
#include "listpane/CListLayout.h"
#include "listpane/CListOrder.h"
#include "listpane/CListRowText.h"
#include "listpane/CListTitle.h"

namespace {

constexpr uint8_t kFolder = 0x10;

CFileItem Row(const std::string& name, uint8_t attr, uint64_t size = 0, int32_t modified = 0)
{
    return CFileItem("C:\\d\\" + name, name, attr, Totals(size, 0, 0, modified));
}

// The names of the rows in the order a sort by column puts them.
std::string Sorted(std::vector<CFileItem> rows, int column, bool ascending, const std::string& mode)
{
    const CListOrder order(column, ascending, mode);
    for (CFileItem& row : rows)
        order.PrepareKey(row);
    std::stable_sort(rows.begin(), rows.end(),
                     [&order](const CFileItem& a, const CFileItem& b) { return order.Compare(a, b) < 0; });
    std::string names;
    for (const CFileItem& row : rows)
        names += (names.empty() ? "" : " ") + row.m_strName;
    return names;
}

}  // namespace

TEST(ListOrderTest, GroupingModesAndDirectionsOrderFoldersAndFilesAsTheMenuSays)
{
    const std::vector<CFileItem> rows = {Row("b.txt", 0, 300), Row("D", kFolder, 50), Row("a.txt", 0, 100),
                                         Row("C", kFolder, 900)};
    struct Case { int column; bool ascending; const char* mode; const char* expected; } cases[] = {
        {3, false, "B", "b.txt a.txt C D"},  // descending: files first, each group by size
        {3, true, "B", "D C a.txt b.txt"},   // ascending: folders first
        {3, false, "T", "C D b.txt a.txt"},  // folders stay on top both ways
        {3, true, "T", "D C a.txt b.txt"},
        {3, true, "N", "D a.txt b.txt C"},   // no grouping: the value alone
        {0, true, "N", "a.txt b.txt C D"},
        {0, false, "B", "b.txt a.txt D C"},
        {1, true, "B", "D C b.txt a.txt"},   // type: equal within each group, which keeps its order
    };
    for (const Case& c : cases)
        EXPECT_EQ(Sorted(rows, c.column, c.ascending, c.mode), c.expected) << c.column << c.ascending << c.mode;
}

TEST(ListOrderTest, EqualKeysCompareEqualAndTextsFollowCodePage932)
{
    // Names that differ only in case are equal: the stable sort keeps them in either order.
    EXPECT_EQ(Sorted({Row("ReadMe.TXT", 0), Row("readme.txt", 0)}, 0, true, "N"), "ReadMe.TXT readme.txt");
    EXPECT_EQ(Sorted({Row("readme.txt", 0), Row("ReadMe.TXT", 0)}, 0, true, "N"), "readme.txt ReadMe.TXT");

    // Half-width katakana sort before double-byte characters, ASCII before both.
    EXPECT_EQ(Sorted({Row("あ", 0), Row("ｱ", 0), Row("z", 0), Row("café", 0), Row("cafe", 0)}, 0, true, "N"),
              "cafe café z ｱ あ");

    // Times compare to the minute; no date goes first when ascending.
    const int64_t minute = 1700000040;  // a whole minute
    EXPECT_EQ(Sorted({Row("late", 0, 0, minute + 60), Row("early", 0, 0, minute + 59), Row("none", 0),
                      Row("first", 0, 0, minute)},
                     4, true, "N"),
              "none early first late");

    // Drive rows go by their letters, whatever the shell calls them.
    const std::vector<CFileItem> drives = {{"D:\\", "Backup (D:)", kFolder, {}}, {"C:\\", "Zeta (C:)", kFolder, {}}};
    EXPECT_EQ(Sorted(drives, 0, true, "N"), "Zeta (C:) Backup (D:)");
}

TEST(ListRowTextTest, FileAndFolderRowsShowTheirColumnsInTheCurrentUnit)
{
    CDisplayFormat format;
    CFileItem file = Row("Data.BIN", 0x21, 5368709120ULL);  // 5 GiB, read-only and archive
    CFileItem folder = Row("Sub", kFolder);
    const std::vector<std::pair<int, std::string>> fileCells = {
        {0, "Data.BIN"}, {1, "bin"}, {2, ""}, {3, "5,368,710 KB"}, {7, "RA"}, {8, ""}, {9, ""}};
    for (const auto& [column, text] : fileCells)
        EXPECT_EQ(CListRowText::Cell(column, file, format), text) << column;
    for (const int column : {3, 8, 9})
        EXPECT_EQ(CListRowText::Cell(column, folder, format), "") << column;

    folder.m_bTotals = true;
    folder.m_info = Totals(2048, 3, 12);
    format.m_nKByte = 1024;
    for (const auto& [column, text] : {std::pair{3, "2 KB"}, {8, "3"}, {9, "12"}})
        EXPECT_EQ(CListRowText::Cell(column, folder, format), text) << column;
    format.m_strSizeUnit = format.m_strUnitB;
    EXPECT_EQ(CListRowText::Cell(3, file, format), "5,368,709,120  B");
}

TEST(ListTitleTest, CountsSizesFreeSpaceAndErrorsMakeOneLine)
{
    CScriptedPlatform platform;
    CDisplayFormat format;
    CListTitle::FreeSpace free{true, 4567000000ULL, 0};
    const CListTitle::Objects all{10, 5000000000ULL, false};
    const CListTitle::Objects two{2, 1500, true};
    const CListTitle::Objects none{0, 0, false};
    const CListTitle::FreeSpace unreadable{false, 0, 21};
    struct Case {
        bool computer;
        CListTitle::Objects objects;
        uint32_t listingError;
        CListTitle::FreeSpace freeSpace;
        std::string expectedStart;
        std::string expectedEnd;
        const char* absent;  // a part the title must not have
    } cases[] = {
        {false, all, 0, free, "C:\\d ： 10 個のｵﾌﾞｼﾞｪｸﾄ 5,000,000 KB", " (空きﾃﾞｨｽｸ領域 4. 56GB)", nullptr},
        {false, two, 5, free, "C:\\d ： 2 個のｵﾌﾞｼﾞｪｸﾄ 1. 50 KB", ")", nullptr},  // a selection hides the error
        {false, none, 0, free, "C:\\d ： 0 個のｵﾌﾞｼﾞｪｸﾄ 0 KB (", ")", nullptr},
        {false, none, 5, free, "C:\\d ： ", ")", "個"},  // the error's text instead of the count
        {false, all, 0, unreadable, "C:\\d ： 10 個", ")", "空き"},
        {true, {3, 0, false}, 0, free, "ﾏｲ ｺﾝﾋﾟｭｰﾀ, ： 3 個のｵﾌﾞｼﾞｪｸﾄ ", "ｸﾄ ", nullptr},
    };
    for (const Case& c : cases) {
        const std::string path = c.computer ? "ﾏｲ ｺﾝﾋﾟｭｰﾀ," : "C:\\d";
        const std::string title = CListTitle::Compose(path, c.computer, c.objects, c.listingError, c.freeSpace, format);
        EXPECT_EQ(title.rfind(c.expectedStart, 0), 0u) << title;
        EXPECT_TRUE(title.ends_with(c.expectedEnd)) << title;
        EXPECT_EQ(title.find('\n'), std::string::npos) << title;
        EXPECT_TRUE(!c.absent || title.find(c.absent) == std::string::npos) << title;
    }
}

TEST(ListLayoutTest, ALayoutIsReadBackAndAnythingElseIsLeftForTheNextReader)
{
    CListLayout saved;
    saved.m_columns[0] = {3, 200};
    saved.m_columns[3] = {0, 75};
    std::stringstream stream(StoredBy([&saved](CArchive& ar) {
        saved.Write(ar);
        ar << int32_t{0x1234};
    }));
    CArchive in(stream, CArchive::load);
    CListLayout read;
    ASSERT_TRUE(read.Read(in));
    EXPECT_EQ(read.m_columns[0].order, 3);
    EXPECT_EQ(read.m_columns[0].width, 200);
    EXPECT_EQ(read.m_columns[3].order, 0);
    int32_t next = 0;
    in >> next;
    EXPECT_EQ(next, 0x1234);

    // What an older file holds there instead: the next window's record, or nothing at all, or a
    // layout spoilt on the disk. None is taken, and the reader after finds its bytes.
    const std::string frameRecord = std::string("\x2c\0\0\0\x02\0\0\0", 8) + std::string(52, '\x01');
    const std::string twoColumnsOnOne = StoredBy([](CArchive& ar) {
        CListLayout bad;
        bad.m_columns[1].order = 0;  // two columns in the first place
        bad.Write(ar);
    });
    for (const std::string& bytes : {frameRecord, std::string(), twoColumnsOnOne}) {
        std::stringstream old(bytes);
        CArchive ar(old, CArchive::load);
        CListLayout layout;
        EXPECT_FALSE(layout.Read(ar));
        EXPECT_EQ(layout.m_columns[0].width, 110);
        EXPECT_EQ(ar.GetReadPosition(), 0);
    }
}

TEST(FolderListingTest, EntriesComeWithNamesShownAndPumpsBeforeEveryHundredth)
{
    TempTree tree;
    CScriptedPlatform platform;
    CAppCore app;
    for (int i = 0; i < 248; ++i)
        tree.File("d/f" + std::to_string(i), 1);
    tree.File("d/README.TXT", 10);
    tree.Folder("d/Sub");
    CFolderListing listing(app.m_settings);
    std::vector<CFolderListing::Entry> entries;
    auto keep = [&entries](CFolderListing::Entry& entry) {
        entries.push_back(entry);
        return true;
    };
    EXPECT_EQ(listing.List(tree.Key("d"), keep), CFolderListing::Result::Listed);
    EXPECT_EQ(entries.size(), 250u);
    EXPECT_EQ(platform.pumps, 3);
    const auto readme = std::find_if(entries.begin(), entries.end(),
                                     [](const auto& entry) { return entry.name == "Readme.txt"; });
    ASSERT_NE(readme, entries.end());
    EXPECT_EQ(readme->path, tree.Key("d/README.TXT"));
    EXPECT_EQ(readme->info.m_nSize, 10u);

    // The file-only folder lists the files and no sub-folder.
    entries.clear();
    listing.List(CFolderKeys::JoinPath(tree.Key("d"), app.m_settings.m_keys.m_strFileOnlyFolderId), keep);
    EXPECT_EQ(entries.size(), 249u);
    EXPECT_TRUE(std::none_of(entries.begin(), entries.end(), [](const auto& entry) { return entry.attr & kFolder; }));

    // A stop request during a pump ends the listing; what came before stays delivered.
    entries.clear();
    platform.pumps = 0;
    platform.onPump = [&app](int pump) {
        if (pump == 2)
            app.m_settings.m_walk.StopAggregation();
    };
    EXPECT_EQ(listing.List(tree.Key("d"), keep), CFolderListing::Result::Stopped);
    EXPECT_EQ(entries.size(), 100u);

    entries.clear();
    EXPECT_EQ(listing.List(tree.Key("missing"), keep), CFolderListing::Result::Unreadable);
    EXPECT_TRUE(entries.empty());
}
