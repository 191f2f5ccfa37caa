// Snapshot compare: the folders of now against a saved "Dir Info", as a linked window answers.
#include <gtest/gtest.h>

#include "folderdata/CDirSzLst.h"
#include "folderdata/CSnapshotCompare.h"

namespace {

using Kind = CSnapshotCompare::Kind;

CSizeInfo Totals(uint64_t size, int32_t folders, int32_t files, int32_t modified = 100)
{
    CSizeInfo info;
    info.m_nSize = size;
    info.m_nFolders = folders;
    info.m_nFiles = files;
    info.m_tModified = CTime(modified);
    return info;
}

struct Record {
    const char* key;
    CSizeInfo total;
};

void Fill(CDirSzLst& list, std::initializer_list<Record> records)
{
    for (const Record& record : records)
        list.SetEntry(record.key, record.total, CSizeInfo());
}

constexpr uint64_t k5GiB = uint64_t{5} << 30;

}  // namespace

// Before: grow (1 file), gone (with a sub-folder), old (renamed to new-name). Now: grow has a
// 5 GiB file more, added holds a sub-folder, a folder named outside CP932 appeared; a folder
// beside the base is outside the compare on both sides.
TEST(SnapshotCompare, ReportsEachChangeOnceBiggestFirstWithTheCompareLetters)
{
    CDirSzLst before;
    CDirSzLst now;
    Fill(before, {{"Z:\\t", Totals(30, 4, 3)},
                  {"Z:\\t\\grow", Totals(10, 0, 1)},
                  {"Z:\\t\\gone", Totals(20, 1, 2)},
                  {"Z:\\t\\gone\\sub", Totals(20, 0, 2)},
                  {"Z:\\t\\old", Totals(0, 0, 0)},
                  {"Z:\\t2", Totals(1, 0, 1)}});
    Fill(now, {{"Z:\\t", Totals(k5GiB + 17, 5, 4, 200)},
               {"Z:\\t\\grow", Totals(k5GiB + 10, 0, 2, 200)},
               {"Z:\\t\\added", Totals(7, 1, 1)},
               {"Z:\\t\\added\\in", Totals(7, 0, 1)},
               {"Z:\\t\\new-name", Totals(0, 0, 0)},
               {"Z:\\t\\\xed\x95\x9c\xea\xb8\x80", Totals(0, 0, 1)},
               {"Z:\\t2", Totals(9, 0, 1)}});
    CSnapshotCompare compare;
    compare.Run(now, before, "/t");

    const struct {
        const char* path;
        Kind kind;
        const char* letters;
        int64_t bytes, folders, files;
    } expected[] = {
        {"Z:\\t\\grow", Kind::kChanged, "SUF", int64_t(k5GiB), 0, 1},
        {"Z:\\t", Kind::kChanged, "SUDF", int64_t(k5GiB) - 13, 1, 1},
        {"Z:\\t\\gone", Kind::kGone, "", -20, -1, -2},
        {"Z:\\t\\added", Kind::kNew, "N", 7, 1, 1},
        {"Z:\\t\\new-name", Kind::kNew, "N", 0, 0, 0},
        {"Z:\\t\\old", Kind::kGone, "", 0, 0, 0},
    };
    ASSERT_EQ(compare.Changes().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const CSnapshotCompare::Change& change = compare.Changes()[i];
        SCOPED_TRACE(change.path);
        EXPECT_EQ(change.path, expected[i].path);
        EXPECT_EQ(change.kind, expected[i].kind);
        EXPECT_EQ(change.letters, expected[i].letters);
        EXPECT_EQ(change.SizeChange(), expected[i].bytes);
        EXPECT_EQ(change.FoldersChange(), expected[i].folders);
        EXPECT_EQ(change.FilesChange(), expected[i].files);
    }
    EXPECT_EQ(compare.Biggest(2).back().path, "Z:\\t");
    EXPECT_EQ(compare.GoneCount(), 2u);
    EXPECT_EQ(compare.UnrecordedCount(), 1u);
    // asked as the compare walk asks: t, grow, added, new-name (not added\in, inside a new one)
    EXPECT_EQ(compare.Tally().Objects(), 4u);
    EXPECT_EQ(compare.Tally().CountOf('N'), 2u);
}

TEST(SnapshotCompare, AnswersForTreeItemsInEitherPathForm)
{
    CDirSzLst before;
    CDirSzLst now;
    Fill(before, {{"Z:\\t", Totals(1, 2, 1)}, {"Z:\\t\\a", Totals(0, 1, 0)}, {"Z:\\t\\a\\b", Totals(0, 0, 0)},
                  {"Z:\\t\\same", Totals(1, 0, 1)}});
    Fill(now, {{"Z:\\t", Totals(1, 2, 1)}, {"Z:\\t\\a", Totals(0, 1, 0)}, {"Z:\\t\\same", Totals(1, 0, 1)}});
    CSnapshotCompare compare;
    compare.Run(now, before, "Z:\\t");

    // only something below differs: image 5 with an empty letter field, as between windows
    EXPECT_TRUE(compare.Differs("/t"));
    EXPECT_TRUE(compare.Differs("Z:\\t\\a"));
    EXPECT_EQ(compare.Verdict("Z:\\t\\a"), "");
    EXPECT_FALSE(compare.Differs("/t/same"));
    EXPECT_EQ(CSnapshotCompare::CommonKey("/"), "Z:\\");
    EXPECT_EQ(CSnapshotCompare::CommonKey("/x/y/"), "Z:\\x\\y");
    EXPECT_FALSE(CSnapshotCompare::IsAtOrBelow("Z:\\tt", "Z:\\t"));
    EXPECT_TRUE(CSnapshotCompare::IsAtOrBelow("Z:\\t", "Z:\\"));
}
