// Snapshot compare: what the tree and the summary form ask of it (the changes themselves, walked
// from a real tree, are checked through zqtotals --since in tests/tools/check_since.py).
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "folderdata/CDirSzLst.h"
#include "folderdata/CSnapshotCompare.h"

namespace {

void Fill(CDirSzLst& list, std::initializer_list<std::pair<const char*, CSizeInfo>> records)
{
    for (const auto& [key, total] : records)
        list.SetEntry(key, total, CSizeInfo());
}

}  // namespace

// Before: grow, gone (with sub). Now: grow bigger, added (with in), a folder named outside CP932;
// t2 beside the base differs on both sides and is none of the compare's business.
TEST(SnapshotCompare, AnswersAsALinkedWindowForTheFoldersBelowTheBaseInEitherPathForm)
{
    CDirSzLst before;
    CDirSzLst now;
    Fill(before, {{"Z:\\t", Totals(30, 3, 3)}, {"Z:\\t\\grow", Totals(10, 0, 1)}, {"Z:\\t\\gone", Totals(20, 1, 2)},
                  {"Z:\\t\\gone\\sub", Totals(20, 0, 2)}, {"Z:\\t2", Totals(1, 0, 1)}});
    Fill(now, {{"Z:\\t", Totals(30, 3, 3)}, {"Z:\\t\\grow", Totals(23, 0, 1)}, {"Z:\\t\\added", Totals(7, 1, 1)},
               {"Z:\\t\\added\\in", Totals(7, 0, 1)}, {"Z:\\t\\\xed\x95\x9c", Totals(0, 0, 1)},
               {"Z:\\t2", Totals(9, 0, 1)}});
    CSnapshotCompare compare;
    compare.Run(now, before, "/t");

    ASSERT_EQ(compare.Changes().size(), 3u);  // gone\sub and added\in go with their folders
    EXPECT_EQ(compare.Changes()[0].path, "Z:\\t\\gone");
    EXPECT_EQ(compare.Biggest(1).size(), 1u);
    EXPECT_EQ(compare.GoneCount(), 1u);
    EXPECT_EQ(compare.UnrecordedCount(), 1u);
    // asked as a compare walk asks: t, grow, added (not added\in, inside a new folder)
    EXPECT_EQ(compare.Tally().Objects(), 3u);
    EXPECT_EQ(compare.Tally().Total(), 2u);
    // t's own totals are equal: it differs only by what lies below it, with no letters
    EXPECT_EQ(compare.Verdict("/t"), "");
    EXPECT_TRUE(compare.Differs("/t"));
    EXPECT_EQ(compare.Verdict("Z:\\t\\grow"), "S");
    EXPECT_EQ(compare.Verdict("/t/added"), "N");
    EXPECT_FALSE(compare.Differs("Z:\\t2"));
    // a folder the walk could not read is not gone
    compare.Run(now, before, "/t", {"Z:\\t\\gone"});
    EXPECT_EQ(compare.GoneCount(), 0u);
}
