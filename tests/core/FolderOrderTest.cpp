// Tests of the order of one tree level by each folder sort key, and of the choice of direction by
// the sort commands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "app/SortSettings.h"
#include "core/FixedOffsetPlatform.h"
#include "services/CSortDirection.h"
#include "treepane/CFolderOrder.h"

namespace {

using Item = CFolderOrder::Item;
using NameList = std::vector<std::string>;

Item Folder(const std::string& name, uint64_t size = 0)
{
    Item item{"C:\\x\\" + name, name, CSizeInfo()};
    item.totals.m_nSize = size;
    return item;
}

class FolderOrderTest : public ::testing::Test {
protected:
    FolderOrderTest()
    {
        CFolderOrder::DirectionRule().Forget();
        g_nFolderSortDirection = 1;
    }
    ~FolderOrderTest() override
    {
        CFolderOrder::DirectionRule().Forget();
        g_nFolderSortDirection = 1;
    }
    NameList Names(int32_t key, bool ascending) const
    {
        NameList names;
        for (const std::size_t i : CFolderOrder::Order(items, key, ascending))
            names.push_back(items[i].name);
        return names;
    }
    FixedOffsetPlatform platform{9};
    std::vector<Item> items;
};

}  // namespace

TEST_F(FolderOrderTest, NamesSortWithoutRegardToCaseAndTiesKeepTheirOrder)
{
    items = {Folder("beta"), Folder("Data"), Folder("Alpha"), Folder("data"), Folder("ｱ"), Folder("ア")};
    EXPECT_EQ(Names(kFolderSortByName, true), (NameList{"Alpha", "beta", "Data", "data", "ｱ", "ア"}));
    EXPECT_EQ(Names(kFolderSortByName, false), (NameList{"ア", "ｱ", "Data", "data", "beta", "Alpha"}));
}

TEST_F(FolderOrderTest, DrivesSortByLetterWhateverTheShellCallsThem)
{
    items = {{"D:\\", "Archive (D:)", {}}, {"c:\\", "Zeta (C:)", {}}, {"A:\\", "Removable (A:)", {}},
             {"C:\\", " (C:)", {}}};
    EXPECT_EQ(Names(kFolderSortByName, true), (NameList{"Removable (A:)", "Zeta (C:)", " (C:)", "Archive (D:)"}));
    EXPECT_EQ(CFolderOrder::Compare(kFolderSortByName, true, items[1], items[3]), 0);  // "c" and "C"
}

TEST_F(FolderOrderTest, ALevelMixingDrivesAndNamesComparesTheSameBothWays)
{
    items = {{"C:\\", "zz", {}}, Folder("b"), Folder("d"), {"E:\\", "a", {}}};
    for (const Item& a : items)
        for (const Item& b : items)
            EXPECT_EQ(CFolderOrder::Compare(kFolderSortByName, true, a, b),
                      -CFolderOrder::Compare(kFolderSortByName, true, b, a))
                << a.path << " " << b.path;
}

TEST_F(FolderOrderTest, SizesSortAsSixtyFourBitValuesAndUnaggregatedFoldersTie)
{
    items = {Folder("small", 10), Folder("never"), Folder("huge", uint64_t{5} << 32), Folder("none")};
    EXPECT_EQ(Names(kFolderSortBySize, true), (NameList{"never", "none", "small", "huge"}));
    EXPECT_EQ(Names(kFolderSortBySize, false), (NameList{"huge", "small", "never", "none"}));
}

TEST_F(FolderOrderTest, EachDateKeySortsByItsOwnDate)
{
    items = {Folder("a"), Folder("b"), Folder("c")};
    const int32_t day = 86400;
    for (int i = 0; i < 3; ++i) {
        items[i].totals.m_tModified = CTime(1710465360 + i * day);
        items[i].totals.m_tAccessed = CTime(1710465360 + (2 - i) * day);
        items[i].totals.m_tCreated = CTime(1710465360 + ((i + 1) % 3) * day);
    }
    EXPECT_EQ(Names(kFolderSortByModified, true), (NameList{"a", "b", "c"}));
    EXPECT_EQ(Names(kFolderSortByLastRead, true), (NameList{"c", "b", "a"}));
    EXPECT_EQ(Names(kFolderSortByCreated, true), (NameList{"c", "a", "b"}));
    items[2].totals.m_tModified = CTime();  // no date first
    EXPECT_EQ(Names(kFolderSortByModified, true), (NameList{"c", "a", "b"}));
}

TEST_F(FolderOrderTest, FoldersAndFilesEachSortByTheirOwnCount)
{
    items = {Folder("a"), Folder("b"), Folder("c")};
    items[0].totals.m_nFolders = 2;
    items[1].totals.m_nFolders = 1;
    items[2].totals.m_nFolders = -1;  // from a damaged store file: below zero, not above all
    items[0].totals.m_nFiles = 5;
    items[1].totals.m_nFiles = 70000;
    items[2].totals.m_nFiles = 6;
    EXPECT_EQ(Names(kFolderSortByFolderCount, true), (NameList{"c", "b", "a"}));
    EXPECT_EQ(Names(kFolderSortByFileCount, false), (NameList{"b", "c", "a"}));
}

TEST_F(FolderOrderTest, KeysThatAreNoFolderSortKeyLeaveTheOrder)
{
    items = {Folder("b", 2), Folder("a", 1)};
    for (const int32_t key : {1, 2, 7, 10, -1})
        EXPECT_EQ(Names(key, true), (NameList{"b", "a"})) << key;
}

TEST_F(FolderOrderTest, FirstSortOfARunInvertsThenSameKeyTogglesAndAnotherKeyStartsAscending)
{
    CAppCore app;
    EXPECT_FALSE(CFolderOrder::SelectKey(app, kFolderSortBySize));
    EXPECT_EQ(app.m_nFolderSortKey, kFolderSortBySize);
    EXPECT_EQ(g_nFolderSortDirection, 0);
    EXPECT_TRUE(CFolderOrder::SelectKey(app, kFolderSortBySize));
    EXPECT_TRUE(CFolderOrder::SelectKey(app, kFolderSortByName));
    EXPECT_EQ(app.m_nFolderSortKey, kFolderSortByName);
    EXPECT_EQ(g_nFolderSortDirection, 1);
    EXPECT_FALSE(CFolderOrder::SelectKey(app, kFolderSortByName));
}

TEST_F(FolderOrderTest, FirstSortByNameAfterStartIsDescending)
{
    CAppCore app;
    EXPECT_FALSE(CFolderOrder::SelectKey(app, kFolderSortByName));
    EXPECT_EQ(g_nFolderSortDirection, 0);
}
