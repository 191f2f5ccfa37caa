// The folder search from the dialog, driven as a user drives it: fields typed into, radio buttons
// and the start/stop button clicked; the marks the tree then shows; stopping a search; hiding the
// dialog.
#include <cstdlib>
#include <filesystem>
#include <set>

#include "GuiTestSupport.h"
#include "app/CAppSettings.h"

namespace {

namespace fs = std::filesystem;

const std::string kFileOnly = "\\ﾌｧｲﾙ専用仮想ﾌｫﾙﾀﾞ,";

class SearchDialogTest : public GuiTest {
protected:
    // root holds 3 bytes of its own and: big\ (2000 bytes and big\inner\ with 10), mid\ (600 and
    // mid\deep\ with 700), small\ (5 and small\sub\ with 1).
    std::string MakeTree()
    {
        const fs::path root = fs::current_path() / "stree";
        WriteFile(root / "r.txt", 3);
        WriteFile(root / "big" / "b.bin", 2000);
        WriteFile(root / "big" / "inner" / "i.bin", 10);
        WriteFile(root / "mid" / "m.bin", 600);
        WriteFile(root / "mid" / "deep" / "d.bin", 700);
        WriteFile(root / "small" / "s.bin", 5);
        WriteFile(root / "small" / "sub" / "u.bin", 1);
        return KeyOf(root);
    }
    // The tree aggregated below key, with key selected, and the dialog shown.
    HWND Prepare(ProgramRun& run, const std::string& key)
    {
        CLeftView& tree = run.Tree();
        EXPECT_TRUE(Show(tree, key));
        run.Command(ID_AGGREGATE);
        run.Command(ID_SHOW_SEARCH);
        return run.App().m_pSearchDlg->m_hWnd;
    }
    // Typing replaces what the field held, one character at a time.
    static void Type(HWND hDialog, int id, const std::string& text) { TypeInto(GetDlgItem(hDialog, id), text); }
    static void Click(HWND hDialog, int id)
    {
        SendMessageW(GetDlgItem(hDialog, id), BM_CLICK, 0, 0);
        ProgramRun::Pump();
    }
    // Every item of the tree that shows the search-hit icon, as a reader of the control sees it.
    static std::set<std::string> Marked(CLeftView& tree)
    {
        std::set<std::string> marked;
        CollectMarked(tree, TreeView_GetRoot(tree.m_hWnd), marked);
        return marked;
    }
    static void CollectMarked(CLeftView& tree, HTREEITEM hFirst, std::set<std::string>& marked)
    {
        for (HTREEITEM hItem = hFirst; hItem; hItem = TreeView_GetNextSibling(tree.m_hWnd, hItem)) {
            if (TreeImage(tree, tree.GetItemPath(hItem)) == 4)
                marked.insert(tree.GetItemPath(hItem));
            CollectMarked(tree, TreeView_GetChild(tree.m_hWnd, hItem), marked);
        }
    }
};

}  // namespace

TEST_F(SearchDialogTest, TheDialogOpensWithItsInitialValuesAtTheCornerAndHidingGivesTheMainWindowBack)
{
    ProgramRun run;
    run.Command(ID_SHOW_SEARCH);
    HWND hDialog = run.App().m_pSearchDlg->m_hWnd;
    ASSERT_TRUE(IsWindowVisible(hDialog));
    RECT rc;
    GetWindowRect(hDialog, &rc);
    EXPECT_EQ((std::pair{rc.left, rc.top}), (std::pair{0L, 0L}));
    EXPECT_EQ(TextsOf(hDialog, {IDC_SEARCH_MESSAGE, IDC_SEARCH_SIZE, IDC_SEARCH_MODIFIED_DATE, IDC_SEARCH_READ_DATE,
                                IDC_SEARCH_CREATED_DATE, IDC_SEARCH_MODIFIED_TIME, IDC_SEARCH_READ_TIME,
                                IDC_SEARCH_CREATED_TIME, IDC_SEARCH_FOLDER_COUNT, IDC_SEARCH_FILE_COUNT}),
              (std::vector<std::string>{"フォルダの検索条件を入力して下さい。", "0", "0/0/0", "0/0/0", "0/0/0", "0:0", "0:0",
                                        "0:0", "0", "0"}));
    for (int id : {IDC_SEARCH_UNIT_B, IDC_SEARCH_COMBINE_AND, IDC_SEARCH_SKIP_NO_DATE})
        EXPECT_EQ(IsDlgButtonChecked(hDialog, id), BST_CHECKED) << id;
    EXPECT_EQ(SendDlgItemMessageW(hDialog, IDC_SEARCH_MODIFIED_DATE, EM_GETLIMITTEXT, 0, 0), 10);
    EXPECT_EQ(SendDlgItemMessageW(hDialog, IDC_SEARCH_CREATED_TIME, EM_GETLIMITTEXT, 0, 0), 5);

    Click(hDialog, IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(hDialog));
    EXPECT_EQ(GetActiveWindow(), run.FrameWindow());
    // shown again it is the same dialog, in the same place
    MoveWindow(hDialog, 40, 50, rc.right - rc.left, rc.bottom - rc.top, FALSE);
    run.Command(ID_SHOW_SEARCH);
    EXPECT_EQ(run.App().m_pSearchDlg->m_hWnd, hDialog);
    GetWindowRect(hDialog, &rc);
    EXPECT_EQ(rc.left, 40);
}

// Which texts are faulty and how they are normalised is the search criteria tests' business; here
// the dialog names the faults in its own words, shows the normalised texts and searches nothing.
TEST_F(SearchDialogTest, FaultyFieldsAreNamedAndNormalisedTextsShownAndNothingIsSearched)
{
    ProgramRun run;
    HWND hDialog = Prepare(run, MakeTree());
    Type(hDialog, IDC_SEARCH_MODIFIED_DATE, "1960/1/1");
    Type(hDialog, IDC_SEARCH_READ_DATE, "99/2/30");
    Type(hDialog, IDC_SEARCH_SIZE, "1e20");
    Click(hDialog, IDC_SEARCH_UNIT_G);
    Click(hDialog, IDOK);
    EXPECT_EQ(TextsOf(hDialog, {IDC_SEARCH_MESSAGE, IDC_SEARCH_READ_DATE, IDC_SEARCH_MODIFIED_DATE}),
              (std::vector<std::string>{"サイズがエラーです。\n更新日時がエラーです。\n", "1999/3/2", "1960/1/1"}));
    EXPECT_TRUE(Marked(run.Tree()).empty());
    // beyond the field's own range the framework's prompt answers
    Type(hDialog, IDC_SEARCH_SIZE, "2e31");
    Click(hDialog, IDOK);
    ASSERT_FALSE(m_platform.m_texts.empty());
    EXPECT_NE(m_platform.m_texts.back().find("までの数値を入力してください。"), std::string::npos);
    // put right, the prompt comes back and the search runs
    Type(hDialog, IDC_SEARCH_MODIFIED_DATE, "0/0/0");
    Type(hDialog, IDC_SEARCH_READ_DATE, "1");
    Type(hDialog, IDC_SEARCH_SIZE, "0");
    Click(hDialog, IDOK);
    EXPECT_EQ(TextsOf(hDialog, {IDC_SEARCH_MESSAGE, IDC_SEARCH_READ_DATE}),
              (std::vector<std::string>{"フォルダの検索条件を入力して下さい。", "2001/1/1"}));
    EXPECT_FALSE(Marked(run.Tree()).empty());
}

TEST_F(SearchDialogTest, BothModesMarkExactlyTheFoldersTheRecordsCallFor)
{
    ProgramRun run;
    const std::string key = MakeTree();
    HWND hDialog = Prepare(run, key);
    CLeftView& tree = run.Tree();
    const std::string big = key + "\\big", mid = key + "\\mid", small = key + "\\small";
    struct Case {
        const char* name;
        const char* size;
        int unit;
        int combine;
        std::set<std::string> marked;
    };
    // Totals: the root 3,319 bytes (3 of its own), big 2,010 (2,000 its own, inner 10), mid 1,300
    // (600, deep 700), small 6 (5, sub 1). Below a size, nothing under a hit is marked again.
    const Case cases[] = {
        {"defaults: every stored folder and file-only part", "0", IDC_SEARCH_UNIT_B, IDC_SEARCH_COMBINE_AND,
         {key, key + kFileOnly, big, big + kFileOnly, big + "\\inner", mid, mid + kFileOnly, mid + "\\deep", small,
          small + kFileOnly, small + "\\sub"}},
        {"at least 1 K Bytes", "1", IDC_SEARCH_UNIT_K, IDC_SEARCH_COMBINE_AND, {key, big, big + kFileOnly, mid}},
        {"below 1 K Bytes", "1", IDC_SEARCH_UNIT_K, IDC_SEARCH_COMBINE_OR,
         {key + kFileOnly, big + "\\inner", mid + kFileOnly, mid + "\\deep", small}},
        {"below 0.6 K Bytes", "0.6", IDC_SEARCH_UNIT_K, IDC_SEARCH_COMBINE_OR, {key + kFileOnly, big + "\\inner", small}},
        {"defaults in mode 1: nothing", "0", IDC_SEARCH_UNIT_B, IDC_SEARCH_COMBINE_OR, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Type(hDialog, IDC_SEARCH_SIZE, c.size);
        Click(hDialog, c.unit);
        Click(hDialog, c.combine);
        Click(hDialog, IDOK);
        EXPECT_EQ(Marked(tree), c.marked);
        // the hits are open to the eye: every hit's parent is expanded
        for (const std::string& hit : c.marked) {
            HTREEITEM hParent = TreeView_GetParent(tree.m_hWnd, tree.FindItem(hit));
            EXPECT_TRUE(TreeView_GetItemState(tree.m_hWnd, hParent, TVIS_EXPANDED) & TVIS_EXPANDED) << hit;
        }
    }
}

TEST_F(SearchDialogTest, StartStopDuringASearchStopsItAndTheMarksMadeStay)
{
    ProgramRun run;
    const std::string key = MakeTree();
    HWND hDialog = Prepare(run, key);
    CLeftView& tree = run.Tree();
    std::size_t markedAtStop = 0;
    bool bClicked = false;
    m_platform.m_onPump = [&] {
        if (bClicked || !run.App().m_settings.m_bWalkRunning || Marked(tree).size() < 3)
            return;
        bClicked = true;
        markedAtStop = Marked(tree).size();
        Click(hDialog, IDOK);
    };
    Click(hDialog, IDOK);
    m_platform.m_onPump = nullptr;
    ASSERT_TRUE(bClicked);
    EXPECT_FALSE(run.App().m_settings.m_bWalkRunning);
    const std::size_t all = 11;  // every stored folder and file-only part, as above
    EXPECT_EQ(Marked(tree).size(), markedAtStop);  // no new search cleared them
    EXPECT_LT(markedAtStop, all);
    // pressed again, a new search runs to the end
    Click(hDialog, IDOK);
    EXPECT_EQ(Marked(tree).size(), all);
}
