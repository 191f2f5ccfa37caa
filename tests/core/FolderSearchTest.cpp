// Tests of the folder search's record test: both ways of combining thresholds field by field,
// the base folder, the last hit of mode 1, the file-only parts, and folders without a time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "folderdata/CFolderKeys.h"
#include "treepane/CFolderSearch.h"

namespace {

struct Record { std::string key; CSizeInfo total; CSizeInfo direct; };

// A record whose three times are all the same.
CSizeInfo Dated(uint64_t size, int32_t folders, int32_t files, int32_t time = 1000)
{
    return Totals(size, folders, files, time, time, time);
}

// The records in key order, as the tree visits them: each record, then its file-only part.
std::vector<std::string> Hits(const std::vector<Record>& records, const std::string& base, const CSizeInfo& criteria,
                              int32_t mode, bool skip)
{
    const CFolderKeys keys;
    CFolderSearch search(keys, criteria, mode, skip, base);
    std::vector<std::string> hits;
    for (const Record& record : records) {
        if (search.IsHit(record.key, record.total))
            hits.push_back(record.key);
        if (CFolderSearch::HasFileOnlyPart(record.total, record.direct) &&
            search.IsHit(search.FileOnlyPath(record.key), record.direct))
            hits.push_back(search.FileOnlyPath(record.key));
    }
    return hits;
}

const std::string kFileOnly = "\\ﾌｧｲﾙ専用仮想ﾌｫﾙﾀﾞ,";

// C:\a holds 500 bytes of its own and C:\a\b (big) with C:\a\b\c (small); C:\ab sits beside C:\a.
const std::vector<Record> kRecords = {
    {"C:\\", Dated(10500, 4, 8), Dated(0, 0, 0)},
    {"C:\\a", Dated(10500, 2, 7), Dated(500, 0, 2)},
    {"C:\\a\\b", Dated(10000, 1, 5), Dated(9990, 0, 4)},
    {"C:\\a\\b\\c", Dated(10, 0, 1), Dated(10, 0, 1)},
    {"C:\\ab", Dated(0, 0, 0, 0), Dated(0, 0, 0, 0)},
    {"ﾏｲ ｺﾝﾋﾟｭｰﾀ,", Dated(10500, 5, 8), Dated(0, 0, 0)},
};

}  // namespace

TEST(FolderSearchTest, EachThresholdOnItsOwnInBothModesAndFoldersWithoutATime)
{
    const CSizeInfo folder = Dated(100, 10, 20, 5000);
    for (const int delta : {-1, 0, 1}) {  // threshold just below, at and just above the folder's value
        // the size, the folders, the files, then the modified, read and created times, each on its own
        const CSizeInfo thresholds[] = {Totals(100 + delta), Totals(0, 10 + delta), Totals(0, 0, 20 + delta),
                                        Totals(0, 0, 0, 5000 + delta), Totals(0, 0, 0, 0, 5000 + delta),
                                        Totals(0, 0, 0, 0, 0, 5000 + delta)};
        for (std::size_t field = 0; field < std::size(thresholds); ++field) {
            EXPECT_EQ(CFolderSearch::MatchAtLeast(folder, thresholds[field]), delta <= 0) << field << " " << delta;
            EXPECT_EQ(CFolderSearch::MatchBelow(folder, thresholds[field], true), delta > 0) << field << " " << delta;
        }
    }
    // the size compares all 64 bits unsigned, the counts signed
    CSizeInfo criteria = Totals(1ull << 40);
    EXPECT_TRUE(CFolderSearch::MatchBelow(Dated((1ull << 40) - 1, 0, 0), criteria, true));
    EXPECT_TRUE(CFolderSearch::MatchAtLeast(Dated(1ull << 63, 0, 0), criteria));
    criteria = Totals(0, 0, -1);  // 4,294,967,295 typed into the field
    EXPECT_TRUE(CFolderSearch::MatchAtLeast(Dated(0, 0, 0), criteria));

    // A folder without a time is below a time threshold only when such folders are not skipped.
    criteria = Totals(0, 0, 0, 0, 5000);
    const CSizeInfo noTime = Dated(100, 1, 1, 0);
    EXPECT_FALSE(CFolderSearch::MatchBelow(noTime, criteria, true));
    EXPECT_TRUE(CFolderSearch::MatchBelow(noTime, criteria, false));
    // a size below still counts, whatever the times
    criteria.m_nSize = 101;
    EXPECT_TRUE(CFolderSearch::MatchBelow(noTime, criteria, true));
    // mode 0 knows no exception: 0 is earlier than any threshold
    EXPECT_FALSE(CFolderSearch::MatchAtLeast(noTime, criteria));
}

TEST(FolderSearchTest, WhichRecordsASearchReports)
{
    const CSizeInfo none, atLeast1000 = Totals(1000), below600 = Totals(600), readBefore500 = Totals(0, 0, 0, 0, 500);
    struct Case {
        const char* name;
        std::string base;
        CSizeInfo criteria;
        int32_t mode;
        bool skip;
        std::vector<std::string> hits;
    };
    const Case cases[] = {
        {"defaults, mode 0: every record at or below the base, with the file-only parts", "C:\\a", none, 0, true,
         {"C:\\a", "C:\\a" + kFileOnly, "C:\\a\\b", "C:\\a\\b" + kFileOnly, "C:\\a\\b\\c"}},
        {"defaults, mode 1: nothing", "C:\\a", none, 1, true, {}},
        {"a drive root as the base", "C:\\", atLeast1000, 0, true,
         {"C:\\", "C:\\a", "C:\\a\\b", "C:\\a\\b" + kFileOnly}},
        {"the computer holds every key, itself too", "ﾏｲ ｺﾝﾋﾟｭｰﾀ,", atLeast1000, 0, true,
         {"C:\\", "C:\\a", "C:\\a\\b", "C:\\a\\b" + kFileOnly, "ﾏｲ ｺﾝﾋﾟｭｰﾀ,"}},
        // C:\a's file-only part is a hit; C:\a\b\c is below no hit; C:\ab is no folder below C:\a
        {"mode 1 below a size", "C:\\a", below600, 1, true, {"C:\\a" + kFileOnly, "C:\\a\\b\\c"}},
        {"mode 1: the folders below a hit are not reported again", "C:\\", below600, 1, false,
         {"C:\\a" + kFileOnly, "C:\\a\\b\\c", "C:\\ab"}},
        {"a folder without a time, skipped", "C:\\", readBefore500, 1, true, {}},
        {"a folder without a time, not skipped", "C:\\", readBefore500, 1, false, {"C:\\ab"}},
        {"a base that is no key", "D:\\", none, 0, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Hits(kRecords, c.base, c.criteria, c.mode, c.skip), c.hits);
    }
}

TEST(FolderSearchTest, RelativePathsBelowABase)
{
    const CFolderKeys keys;
    const struct { const char* path; const char* base; bool below; const char* relative; } cases[] = {
        {"C:\\a\\b", "C:\\a", true, "b"}, {"C:\\a", "C:\\a", true, ""},      {"C:\\ab", "C:\\a", false, ""},
        {"C:\\a\\b", "C:\\", true, "a\\b"}, {"C:\\", "C:\\", true, ""},      {"D:\\a", "C:\\", false, ""},
        {"C:\\a", "ﾏｲ ｺﾝﾋﾟｭｰﾀ,", true, "C:\\a"}, {"C:", "C:\\", false, ""}, {"C:\\a", "C:\\a\\b", false, ""},
    };
    for (const auto& c : cases) {
        std::string relative = "old";
        EXPECT_EQ(keys.RelativePath(c.path, c.base, relative), c.below) << c.path << " in " << c.base;
        EXPECT_EQ(relative, c.relative) << c.path << " in " << c.base;
    }
}
