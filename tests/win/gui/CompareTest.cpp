// Compare ("照合") of two linked windows: marks in both trees and both lists, the command's rule, icons back.
#include <cstdlib>
#include <filesystem>
#include <map>

#include "GuiTestSupport.h"
#include "app/CAppSettings.h"
#include "dialogs/CCompareSummaryDlg.h"
#include "listpane/CFileItem.h"

namespace {

namespace fs = std::filesystem;

// a name code page 932 cannot hold: "ü" and an emoji
const std::string kWideName = "\xC3\xBC\xF0\x9F\x98\x80";

class CompareTest : public GuiTest {
protected:
    // Two copies of a tree, "left" and "right", that differ in this: sized\f.txt is one byte
    // longer on the right, timed\g.txt an hour newer, gone\ (with gone\inner\) is only on the
    // left, added\new.txt only on the right, and the 5 GiB file in the folder with the wide name
    // is 1 GiB on the right (the same low 32 bits). Every file has the same modified time but
    // that one; sixty equal files f00 to f59 make the lists scroll.
    void MakeTrees()
    {
        for (const char* side : {"left", "right"}) {
            const fs::path root = fs::current_path() / side;
            const bool bRight = side == std::string("right");
            WriteDated(root / "same" / "s.txt", 5);
            WriteDated(root / "same" / "deep" / "d.txt", 6);
            WriteDated(root / "sized" / "f.txt", bRight ? 11 : 10);
            WriteDated(root / "timed" / "g.txt", 7, bRight ? 13 : 12);
            WriteDated(root / "added" / "keep.txt", 1);
            if (bRight)
                WriteDated(root / "added" / "new.txt", 1);
            else
                WriteDated(root / "gone" / "inner" / "x.txt", 3);
            const fs::path big = root / fs::u8path(kWideName) / "big.bin";
            fs::create_directories(big.parent_path());
            WriteLongFile(big, bRight ? 1LL << 30 : 5LL << 30);
            SetModified(big, 2021, 3, 4, 12, 0);
            WriteDated(root / "r.txt", 4);
            for (int i = 0; i < 60; ++i)
                WriteDated(root / ((i < 10 ? "f0" : "f") + std::to_string(i)), 1);
        }
        m_left = KeyOf(fs::current_path() / "left");
        m_right = KeyOf(fs::current_path() / "right");
    }
    // Two windows, the first on the left tree and the second on the right, both opened.
    void OpenBoth(ProgramRun& run)
    {
        run.Command(ID_FILE_NEW);
        ASSERT_EQ(run.Children().size(), 2u);
        for (std::size_t child = 0; child < 2; ++child) {
            ASSERT_TRUE(Open(run.Tree(child), child == 0 ? m_left : m_right));
        }
        Activate(run.Children()[0]);
    }
    static int RowImage(CEView& list, int row)
    {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        ListView_GetItem(list.m_hWnd, &item);
        return item.iImage;
    }
    // Every row's column 2 by name, with "*" after the mark when the row shows image 5.
    static std::map<std::string, std::string> Marks(CEView& list)
    {
        std::map<std::string, std::string> marks;
        for (int row = 0; row < list.GetRowCount(); ++row) {
            const std::string name = FromWide(list.GetCellText(row, 0));
            if (name[0] == 'f' && name != "f00")
                continue;  // the files that only make the list scroll, but the first
            marks[name] = FromWide(list.GetCellText(row, 2)) + (RowImage(list, row) == CEView::kImageMarked ? "*" : "");
        }
        return marks;
    }
    // Each compared folder's label starts with its letter field: the letters of a differing folder,
    // "-" for one that differs only below, "" for one found equal; the image marks the differing.
    void ExpectTree(ProgramRun& run, std::size_t child, const std::map<std::string, std::string>& verdicts)
    {
        static const std::map<std::string, std::string> kLetterField = {
            {"", std::string(15, '.') + "> "},       {"-", std::string(14, '.') + "> "},
            {"N", std::string(10, '.') + "N> "},     {"S", std::string(10, '.') + "S> "},
            {"U", std::string(10, '.') + "U> "},     {"SF", std::string(7, '.') + "SF> "},
            {"SUD", std::string(3, '.') + "SUD> "}};
        CLeftView& tree = run.Tree(child);
        const std::string& root = child == 0 ? m_left : m_right;
        for (const auto& [name, letters] : verdicts) {
            SCOPED_TRACE(std::to_string(child) + ": " + name);
            const std::string path = name.empty() ? root : root + "\\" + name;
            EXPECT_TRUE(TreeLabel(tree, path).starts_with(kLetterField.at(letters))) << TreeLabel(tree, path);
            EXPECT_EQ(TreeImage(tree, path), letters.empty() ? 2 : 5);
        }
    }
    // The lines of the compare summary form: path, N, S, U, D, F, total, objects.
    static std::vector<std::string> Summary(CLeftView& tree)
    {
        const CCompareSummaryDlg* pForm = tree.GetCompareSummary();
        if (!pForm || !pForm->m_hWnd || !IsWindowVisible(pForm->m_hWnd))
            return {};
        return TextsOf(pForm->m_hWnd, {IDC_COMPARE_PATH, IDC_COMPARE_COUNT_N, IDC_COMPARE_COUNT_S, IDC_COMPARE_COUNT_U,
                                       IDC_COMPARE_COUNT_D, IDC_COMPARE_COUNT_F, IDC_COMPARE_TOTAL, IDC_COMPARE_OBJECTS});
    }

    std::string m_left, m_right;
};

}  // namespace

TEST_F(CompareTest, BothTreesAndBothListsMarkExactlyTheDifferences)
{
    MakeTrees();
    ProgramRun run;
    OpenBoth(run);
    run.Command(ID_COMPARE);

    // Nothing aggregated yet: folders count as equal by themselves and differ by what lies below.
    ExpectTree(run, 0,
               {{"", "-"}, {"same", ""}, {"same\\deep", ""}, {"sized", "-"}, {"timed", "-"}, {"gone", "N"},
                {"added", ""}, {kWideName, "-"}});
    ExpectTree(run, 1,
               {{"", "-"}, {"same", ""}, {"sized", "-"}, {"timed", "-"}, {"added", "-"}, {kWideName, "-"}});
    EXPECT_EQ(TreeLabel(run.Tree(0), m_left + "\\gone"), std::string(10, '.') + "N> >gone");
    // a folder the other side lacks is not gone into
    EXPECT_EQ(TreeLabel(run.Tree(0), m_left + "\\gone\\inner"), "inner");
    EXPECT_EQ(TreeImage(run.Tree(0), m_left + "\\gone\\inner"), 2);
    // folder rows without stored totals give no answer; only the missing one is marked
    const std::map<std::string, std::string> unaggregated = {
        {"same", ""}, {"sized", ""}, {"timed", ""}, {"added", ""}, {kWideName, ""}, {"r.txt", ""}, {"f00", ""}};
    std::map<std::string, std::string> left = unaggregated;
    left["gone"] = "N*";
    EXPECT_EQ(Marks(ListOf(run.Children()[0])), left);
    EXPECT_EQ(Marks(ListOf(run.Children()[1])), unaggregated);
    // the window the command was chosen in sums its walk up: 8 folders and 67 files asked about
    // (not those in gone\), 2 "S" (big.bin, f.txt), 1 "U" (g.txt), 1 "N" (gone)
    const std::string shownLeft = run.App().m_settings.m_keys.GetDisplayPath(m_left);
    EXPECT_EQ(Summary(run.Tree(0)), (std::vector<std::string>{shownLeft, "1", "2", "1", "0", "0", "4", "75"}));
    EXPECT_TRUE(Summary(run.Tree(1)).empty());

    // Aggregating in compare mode aggregates the linked window too and compares again, now with
    // the stored totals of the folders.
    run.Command(ID_AGGREGATE);
    ExpectTree(run, 0,
               {{"", "SUD"}, {"same", ""}, {"same\\deep", ""}, {"sized", "S"}, {"timed", "U"}, {"gone", "N"},
                {"added", "SF"}, {kWideName, "S"}});
    ExpectTree(run, 1, {{"", "SUD"}, {"same", ""}, {"sized", "S"}, {"timed", "U"}, {"added", "SF"}, {kWideName, "S"}});
    // with the stored totals behind the field: 10 bytes are 1 KB, padded with dots
    EXPECT_EQ(TreeLabel(run.Tree(0), m_left + "\\sized"), std::string(10, '.') + "S> " + std::string(32, '.') + "1 KB> >sized");
    EXPECT_EQ(TreeLabel(run.Tree(0), m_left + "\\same"), std::string(15, '.') + "> " + std::string(32, '.') + "1 KB> >same");
    const std::map<std::string, std::string> aggregated = {
        {"same", ""}, {"sized", "S*"}, {"timed", "U*"}, {"added", "SF*"}, {kWideName, "S*"}, {"r.txt", ""}, {"f00", ""}};
    left = aggregated;
    left["gone"] = "N*";
    EXPECT_EQ(Marks(ListOf(run.Children()[0])), left);
    EXPECT_EQ(Marks(ListOf(run.Children()[1])), aggregated);
    // the open form follows: S for the root, sized, added, the wide folder, f.txt and big.bin
    EXPECT_EQ(Summary(run.Tree(0)), (std::vector<std::string>{shownLeft, "1", "6", "3", "1", "1", "12", "75"}));

    // the icons go back, the labels stay
    const std::string label = TreeLabel(run.Tree(0), m_left + "\\sized");
    run.Command(ID_ICON_RESET);
    EXPECT_EQ(TreeImage(run.Tree(0), m_left + "\\sized"), 2);
    EXPECT_EQ(TreeImage(run.Tree(0), m_left), 2);
    EXPECT_EQ(TreeLabel(run.Tree(0), m_left + "\\sized"), label);
    EXPECT_EQ(TreeImage(run.Tree(1), m_right + "\\sized"), 5);  // the other window's are its own
}

TEST_F(CompareTest, SortedByTheMarkColumnAListFollowsEachPassAndARowSelectedScrollsTheOtherList)
{
    MakeTrees();
    ProgramRun run;
    OpenBoth(run);
    CEView& list = ListOf(run.Children()[0]);
    CEView& other = ListOf(run.Children()[1]);
    ListFileSortMode = "N";
    ClickHeader(list, 2);
    ClickHeader(list, 2);  // the first click of a run sorts descending, the second ascending
    run.Command(ID_COMPARE);
    std::string last;
    for (int row = 0; row < list.GetRowCount(); ++row) {
        const std::string mark = FromWide(list.GetCellText(row, 2));
        EXPECT_LE(last, mark) << row;
        last = mark;
    }
    EXPECT_EQ(last, "N");

    ASSERT_EQ(ListView_GetTopIndex(other.m_hWnd), 0);
    const int row = RowOf(list, "f59");
    ASSERT_GE(row, 0);
    ListView_SetItemState(list.m_hWnd, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ProgramRun::Pump();
    EXPECT_GT(ListView_GetTopIndex(other.m_hWnd), 0);

    // Sorted anew, the first list answers the second's next pass from its rows as they are now:
    // every file of the second list has an equal one there.
    ClickHeader(list, 0);
    run.Command(ID_COMPARE);
    run.Command(ID_COMPARE);
    ASSERT_EQ(run.App().m_bCompare, 1);
    for (int row = 0; row < other.GetRowCount(); ++row)
        EXPECT_EQ(FromWide(other.GetCellText(row, 2)), "") << FromWide(other.GetCellText(row, 0));
}

TEST_F(CompareTest, TheCommandNeedsTwoEligibleLinkedWindowsAndSwitchesItselfOffWithoutThem)
{
    const std::string a = KeyOf(fs::current_path() / "a");
    const std::string b = KeyOf(fs::current_path() / "b");
    WriteFile(fs::current_path() / "a" / "x.txt", 1);
    WriteFile(fs::current_path() / "b" / "x.txt", 2);
    // which windows are eligible is linkage's rule (CommandUpdateTest)
    ProgramRun run;
    run.Command(ID_FILE_NEW);
    Show(run.Tree(0), a);
    Show(run.Tree(1), b);
    EXPECT_TRUE(run.MenuItem(ID_COMPARE).enabled);
    run.Command(ID_COMPARE);
    EXPECT_EQ(run.App().m_bCompare, 1);
    EXPECT_EQ(run.App().m_bLinkage, 1);  // compare switches linkage on
    EXPECT_TRUE(run.MenuItem(ID_COMPARE).checked);
    // off again: linkage stays on
    run.Command(ID_COMPARE);
    EXPECT_EQ(run.App().m_bCompare, 0);
    EXPECT_EQ(run.App().m_bLinkage, 1);
    EXPECT_FALSE(run.MenuItem(ID_COMPARE).checked);
    run.Command(ID_COMPARE);
    // one window closed: the next look at the menu switches compare and linkage off
    SendMessageW(run.Children()[1]->m_hWnd, WM_CLOSE, 0, 0);
    ProgramRun::Pump();
    ASSERT_EQ(run.Children().size(), 1u);
    EXPECT_FALSE(run.MenuItem(ID_COMPARE).enabled);
    EXPECT_FALSE(run.MenuItem(ID_LINKAGE).enabled);
    EXPECT_EQ(run.App().m_bCompare, 0);
    EXPECT_EQ(run.App().m_bLinkage, 0);
}
