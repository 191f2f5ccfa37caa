// Compare: the labels of compared folders, the windows' answers and the compare walk over two trees
// (which marks a whole compare of two windows leaves is the GUI compare test's).
#include <gtest/gtest.h>

#include <map>

#include "TestSupport.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CCompareTally.h"
#include "folderdata/CCompareVerdict.h"
#include "folderdata/CDirSzLst.h"
#include "treepane/CCompareLabel.h"
#include "treepane/CCompareWalk.h"

TEST(CompareLabel, LetterFieldIsPaddedWithDotsBeforeTheTotalsAndTheName)
{
    const struct { std::string label; std::string expected; } rows[] = {
        {CCompareLabel::Different("N", "", "sub"), std::string(10, '.') + "N> >sub"},
        {CCompareLabel::Different("SU", "D..3> ", "sub"), std::string(7, '.') + "SU> D..3> >sub"},
        {CCompareLabel::Different("SUDF", "", "sub"), "SUDF> >sub"},
        {CCompareLabel::Different("NSUDF", "", "sub"), "NSUDF> >sub"},  // two windows' letters
        {CCompareLabel::Different("", "", "sub"), std::string(14, '.') + "> >sub"},  // only below differs
        {CCompareLabel::Same("", "sub"), std::string(15, '.') + "> sub"},
        {CCompareLabel::Same("D..3> ", "sub"), std::string(15, '.') + "> D..3> >sub"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.label, row.expected);
}

TEST(CompareVerdict, RelativePathsJoinToTheCounterpartWhateverKindTheBasesAre)
{
    const struct { std::string path, base, relative, otherBase, counterpart; } rows[] = {
        {"C:\\A\\X\\f.txt", "C:\\A", "X\\f.txt", "D:\\B", "D:\\B\\X\\f.txt"},
        {"C:\\A", "C:\\A", "", "D:\\B", "D:\\B"},
        {"C:\\X", "C:\\", "X", "D:\\B", "D:\\B\\X"},
        {"D:\\B\\X", "D:\\B", "X", "C:\\", "C:\\X"},
        {"C:\\", "C:\\", "", "E:\\", "E:\\"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        const std::string relative = CCompareVerdict::RelativeOf(row.path, row.base);
        EXPECT_EQ(relative, row.relative);
        EXPECT_EQ(CCompareVerdict::CounterpartOf(row.otherBase, relative), row.counterpart);
    }
}

TEST(CompareVerdict, LettersAppendInOrderAndOnlyALetterTakesTheNoAnswerFlag)
{
    const struct {
        const char* name;
        bool bCounterpart;
        CSizeInfo counterpart;
        std::string before, after;
        int32_t bNoAnswer;
    } rows[] = {
        {"equal", true, Totals(10, 1, 2, 100), "", "", 1},
        {"no counterpart", false, {}, "", "N", 0},
        {"size and time", true, Totals(11, 1, 2, 101), "", "SU", 0},
        {"everything", true, Totals(9, 2, 3, 99), "", "SUDF", 0},
        {"read and created times only", true, Totals(10, 1, 2, 100, 5, 6), "", "", 1},
        {"sizes apart only above 32 bits", true, Totals(10 + (uint64_t{4} << 30), 1, 2, 100), "", "S", 0},
        {"after an earlier window", true, Totals(10, 1, 3, 100), "N", "NF", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string verdict = row.before;
        int32_t bNoAnswer = 1;
        CCompareVerdict::Answer(row.bCounterpart ? &row.counterpart : nullptr, Totals(10, 1, 2, 100), verdict, bNoAnswer);
        EXPECT_EQ(verdict, row.after);
        EXPECT_EQ(bNoAnswer, row.bNoAnswer);
    }
    // Once a window found a difference in a file, the next one does not look.
    std::string verdict = "S";
    int32_t bNoAnswer = 0;
    CCompareVerdict::AnswerFile("C:\\none", Totals(10, 0, 0, 100), verdict, bNoAnswer);
    EXPECT_EQ(verdict, "S");
}

namespace {

// Two trees, "a" and "b", as two linked windows show them; each file's modified time is set.
class CompareTreesTest : public ::testing::Test {
protected:
    void Both(const std::string& relative, std::size_t size)
    {
        for (const std::string side : {"a/", "b/"}) {
            tree.File(side + relative, size);
            tree.SetModified(side + relative, {});
        }
    }
    std::string Key(const std::string& relative) { return tree.Key(relative); }

    CAppCore app;
    CScriptedPlatform platform;
    TempTree tree;
};

// The other window of a compare walk: it answers for the folder "b" what "a" asks about, as a
// linked window does, and records the marks the asking window makes.
class TwinAsker : public CCompareWalk::Asker {
public:
    TwinAsker(CAppCore& app, std::string base, std::string otherBase)
        : m_app(app), m_base(std::move(base)), m_otherBase(std::move(otherBase))
    {
    }
    bool CompareFolder(const std::string& path, std::string& letters) override
    {
        CSizeInfo total, direct;
        m_app.m_settings.m_walk.GetStoredTotals(path, total, direct);
        Begin();
        CCompareVerdict::AnswerFolder(Counterpart(path), total, m_app.m_folderInfo, m_app.m_strVerdict,
                                      m_app.m_bNoAnswer);
        letters = m_app.m_strVerdict;
        return m_app.m_bNoAnswer != 0;
    }
    bool CompareFile(const std::string& path, const CSizeInfo& info) override
    {
        Begin();
        CCompareVerdict::AnswerFile(Counterpart(path), info, m_app.m_strVerdict, m_app.m_bNoAnswer);
        return m_app.m_bNoAnswer != 0;
    }
    void MarkDifferent(const std::string& path, const std::string& letters) override { m_marks[path] = "diff:" + letters; }
    void MarkSame(const std::string& path) override { m_marks[path] = "same"; }

    std::map<std::string, std::string> m_marks;

private:
    void Begin()
    {
        m_app.m_bNoAnswer = 1;
        m_app.m_strVerdict.clear();
    }
    std::string Counterpart(const std::string& path) const
    {
        return CCompareVerdict::CounterpartOf(m_otherBase, CCompareVerdict::RelativeOf(path, m_base));
    }
    CAppCore& m_app;
    std::string m_base, m_otherBase;
};

}  // namespace

TEST_F(CompareTreesTest, StoredTotalsDecideAboutFoldersAndAStopEndsTheWholeWalk)
{
    Both("x/f.txt", 1);
    Both("y/f.txt", 1);
    Both("z/f.txt", 1);
    // the other side's x was aggregated with one more folder than this side's
    app.m_folderInfo.SetEntry(Key("a/x"), Totals(1, 0, 1, 0), {});
    app.m_folderInfo.SetEntry(Key("b/x"), Totals(1, 1, 1, 0), {});
    TwinAsker asker(app, Key("a"), Key("b"));
    CCompareWalk compare(app.m_settings.m_walk, asker);
    EXPECT_EQ(compare.Run(Key("a/x")), CCompareWalk::kDifferent);
    EXPECT_EQ(asker.m_marks[Key("a/x")], "diff:D");

    // a stop in the middle marks nothing that was still open
    asker.m_marks.clear();
    const int stopAt = platform.pumps + 3;
    platform.onPump = [&](int pump) {
        if (pump == stopAt)
            app.m_settings.m_walk.StopAggregation();
    };
    EXPECT_EQ(compare.Run(Key("a")), CCompareWalk::kStopped);
    EXPECT_EQ(asker.m_marks.count(Key("a")), 0u);
    EXPECT_FALSE(app.m_settings.m_bWalkRunning);
    // an unlistable folder ends the walk too, after its message
    platform.onPump = nullptr;
    platform.failingFolders[Key("a/y")] = 5;
    EXPECT_EQ(compare.Run(Key("a")), CCompareWalk::kStopped);
    EXPECT_EQ(platform.messages.size(), 1u);
}

TEST(CompareTally, CountsEveryLetterOfEveryWindowAndEveryQuestion)
{
    CCompareTally tally;
    for (const char* letters : {"", "N", "SU", "NN", "SUDF", "SF"})
        tally.Count(letters);
    const std::map<char, uint64_t> expected = {{'N', 3}, {'S', 3}, {'U', 2}, {'D', 1}, {'F', 2}};
    for (const auto& [letter, count] : expected)
        EXPECT_EQ(tally.CountOf(letter), count) << letter;
    EXPECT_EQ(tally.Total(), 11u);
    EXPECT_EQ(tally.Objects(), 6u);
    tally.Reset();
    EXPECT_EQ(tally.Total() + tally.Objects(), 0u);
}
