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
#include "core/TestSupport.h"
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
    // Every test starts a new run of sort commands from the ascending direction.
    void SetUp() override { StartNewRun(); }
    void TearDown() override { StartNewRun(); }
    static void StartNewRun()
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

TEST_F(FolderOrderTest, EachKeySortsByItsOwnValueAndTheFirstSortOfARunInverts)
{
    items = {Folder("beta"), Folder("Data"), Folder("Alpha"), Folder("data"), Folder("ｱ"), Folder("ア")};
    EXPECT_EQ(Names(kFolderSortByName, true), (NameList{"Alpha", "beta", "Data", "data", "ｱ", "ア"}));
    EXPECT_EQ(Names(kFolderSortByName, false), (NameList{"ア", "ｱ", "Data", "data", "beta", "Alpha"}));

    items = {{"D:\\", "Archive (D:)", {}}, {"c:\\", "Zeta (C:)", {}}, {"A:\\", "Removable (A:)", {}},
             {"C:\\", " (C:)", {}}};
    EXPECT_EQ(Names(kFolderSortByName, true), (NameList{"Removable (A:)", "Zeta (C:)", " (C:)", "Archive (D:)"}));
    EXPECT_EQ(CFolderOrder::Compare(kFolderSortByName, true, items[1], items[3]), 0);  // "c" and "C"

    // A level that mixes drives and names compares the same both ways.
    items = {{"C:\\", "zz", {}}, Folder("b"), Folder("d"), {"E:\\", "a", {}}};
    for (const Item& a : items)
        for (const Item& b : items)
            EXPECT_EQ(CFolderOrder::Compare(kFolderSortByName, true, a, b),
                      -CFolderOrder::Compare(kFolderSortByName, true, b, a))
                << a.path << " " << b.path;

    // Sizes sort as 64-bit values.
    items = {Folder("small", 10), Folder("never"), Folder("huge", uint64_t{5} << 32), Folder("none")};
    EXPECT_EQ(Names(kFolderSortBySize, true), (NameList{"never", "none", "small", "huge"}));
    EXPECT_EQ(Names(kFolderSortBySize, false), (NameList{"huge", "small", "never", "none"}));
    for (const int32_t key : {1, 2, 7, 10, -1})  // no folder sort keys
        EXPECT_EQ(Names(key, true), (NameList{"small", "never", "huge", "none"})) << key;

    // Each date and count key sorts by its own value.
    const int32_t t = 1710465360, day = 86400;
    // c's -1 folders come from a damaged store file: below zero, not above all.
    items = {{"C:\\x\\a", "a", Totals(0, 2, 5, t, t + 2 * day, t + day)},
             {"C:\\x\\b", "b", Totals(0, 1, 70000, t + day, t + day, t + 2 * day)},
             {"C:\\x\\c", "c", Totals(0, -1, 6, t + 2 * day, t, t)}};
    struct Case { int32_t key; bool ascending; NameList expected; };
    for (const Case& c : {Case{kFolderSortByModified, true, {"a", "b", "c"}},
                          {kFolderSortByLastRead, true, {"c", "b", "a"}}, {kFolderSortByCreated, true, {"c", "a", "b"}},
                          {kFolderSortByFolderCount, true, {"c", "b", "a"}},
                          {kFolderSortByFileCount, false, {"b", "c", "a"}}})
        EXPECT_EQ(Names(c.key, c.ascending), c.expected) << c.key;
    items[2].totals.m_tModified = CTime();  // no date first
    EXPECT_EQ(Names(kFolderSortByModified, true), (NameList{"c", "a", "b"}));

    // The first sort of a run inverts (the toggling after it is the shared rule's, tested with it),
    // also by name, the key the program starts with.
    for (const int32_t key : {kFolderSortBySize, kFolderSortByName}) {
        StartNewRun();
        CAppCore started;
        EXPECT_FALSE(CFolderOrder::SelectKey(started, key));
        EXPECT_EQ(started.m_nFolderSortKey, key);
        EXPECT_EQ(g_nFolderSortDirection, 0) << key;
    }
}
