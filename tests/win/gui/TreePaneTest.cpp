// The folder tree pane: drives, lazy filling, labels with totals, stopping, sorting, restart.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "GuiTestSupport.h"
#include "Win32Text.h"
#include "treepane/CFolderLabel.h"
#include "treepane/CFolderNode.h"

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, std::size_t size)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
}

// The Windows key of a folder of the scratch tree, as the tree spells it.
std::string KeyOf(const fs::path& path)
{
    std::string key = FromWide(fs::absolute(path).wstring());
    key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
    return key;
}

// Lets the tree's selection settle (it waits for a quiet moment before the window follows it).
void Settle()
{
    const DWORD until = GetTickCount() + 2 * CLeftView::kSelectionDelay + 100;
    while (GetTickCount() < until) {
        ProgramRun::Pump();
        Sleep(10);
    }
}

class TreePaneTest : public GuiTest {
protected:
    static CLeftView& Tree(ProgramRun& run)
    {
        return *dynamic_cast<CChildFrame*>(run.Children().front())->GetLeftPane();
    }
    static std::vector<std::string> ChildPaths(CLeftView& tree, HTREEITEM hItem)
    {
        std::vector<std::string> paths;
        for (HTREEITEM hChild = TreeView_GetChild(tree.m_hWnd, hItem); hChild;
             hChild = TreeView_GetNextSibling(tree.m_hWnd, hChild))
            paths.push_back(tree.GetItemPath(hChild));
        return paths;
    }
    static uint64_t NodeSize(CLeftView& tree, const std::string& path)
    {
        TVITEMW item{};
        item.mask = TVIF_PARAM;
        item.hItem = tree.FindItem(path);
        TreeView_GetItem(tree.m_hWnd, &item);
        return reinterpret_cast<const CFolderNode*>(item.lParam)->m_info.m_nSize;
    }
    // How wide text is drawn in the tree's font, in pixels.
    static int TextWidth(CLeftView& tree, const std::string& text)
    {
        HDC hdc = GetDC(tree.m_hWnd);
        HGDIOBJ old = SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageW(tree.m_hWnd, WM_GETFONT, 0, 0)));
        const std::wstring wide = ToWide(text);
        SIZE extent{};
        GetTextExtentPoint32W(hdc, wide.c_str(), static_cast<int>(wide.size()), &extent);
        SelectObject(hdc, old);
        ReleaseDC(tree.m_hWnd, hdc);
        return extent.cx;
    }
    // What the control shows, asked of the control as a reader in another process would.
    static std::string ShownText(CLeftView& tree, HTREEITEM hItem)
    {
        wchar_t text[300] = {};
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = text;
        item.cchTextMax = 300;
        TreeView_GetItem(tree.m_hWnd, &item);
        return FromWide(item.pszText);
    }
    static std::string Label(CLeftView& tree, const std::string& path)
    {
        return ShownText(tree, tree.FindItem(path));
    }
    // Opens the way to path and selects it.
    static HTREEITEM Show(ProgramRun& run, const std::string& path)
    {
        CLeftView& tree = Tree(run);
        tree.ExpandToPath(path);
        tree.SelectPath(path);
        Settle();
        return tree.FindItem(path);
    }

    // root: small\ (1 file, 10 bytes), big\ (2 files, 1000 + 500 bytes, and big\deep\ with 7 bytes),
    // mid\ (1 file, 100 bytes), and 3 bytes in root itself.
    fs::path MakeTree()
    {
        const fs::path root = fs::current_path() / "tree";
        WriteFile(root / "small" / "s.txt", 10);
        WriteFile(root / "big" / "b1.bin", 1000);
        WriteFile(root / "big" / "b2.bin", 500);
        WriteFile(root / "big" / "deep" / "d.bin", 7);
        WriteFile(root / "mid" / "m.txt", 100);
        WriteFile(root / "r.txt", 3);
        return root;
    }
};

}  // namespace

TEST_F(TreePaneTest, ShowsTheComputerWithItsDrivesAndOpensTheFirstFixedOne)
{
    ProgramRun run;
    CLeftView& tree = Tree(run);
    HTREEITEM hComputer = TreeView_GetRoot(tree.m_hWnd);
    EXPECT_EQ(ShownText(tree, hComputer), "ﾏｲ ｺﾝﾋﾟｭｰﾀ");
    const std::vector<std::string> drives = ChildPaths(tree, hComputer);
    EXPECT_NE(std::find(drives.begin(), drives.end(), "C:\\"), drives.end());
    EXPECT_NE(std::find(drives.begin(), drives.end(), "Z:\\"), drives.end());
    // the start folder is the first fixed drive, open and selected; the window knows it at once
    EXPECT_EQ(tree.GetCurrentFolder(), "C:\\");
    EXPECT_TRUE(TreeView_GetItemState(tree.m_hWnd, tree.FindItem("C:\\"), TVIS_EXPANDED) & TVIS_EXPANDED);
    // an unopened drive holds only its placeholder and was never read
    EXPECT_EQ(ChildPaths(tree, tree.FindItem("Z:\\")), std::vector<std::string>{"Z:\\Dummy,"});
}

TEST_F(TreePaneTest, OpeningAFolderListsItsFoldersAndOnlyTheFirstOfEachSubFolder)
{
    ProgramRun run;
    CLeftView& tree = Tree(run);
    HTREEITEM hZ = tree.FindItem("Z:\\");
    TreeView_Expand(tree.m_hWnd, hZ, TVE_EXPAND);
    const std::vector<std::string> folders = ChildPaths(tree, hZ);
    EXPECT_NE(std::find(folders.begin(), folders.end(), "Z:\\tmp"), folders.end());
    EXPECT_NE(std::find(folders.begin(), folders.end(), "Z:\\usr"), folders.end());
    EXPECT_EQ(ChildPaths(tree, tree.FindItem("Z:\\usr")).size(), 1u);

    const fs::path root = MakeTree();
    WriteFile(fs::current_path() / "PROGRAM" / "x.txt", 1);
    const std::string key = KeyOf(root);
    ASSERT_TRUE(Show(run, key));
    EXPECT_EQ(tree.GetCurrentFolder(), key);
    // unopened, the folder shows its first sub-folder only; opened, all three
    EXPECT_EQ(ChildPaths(tree, tree.FindItem(key)).size(), 1u);
    TreeView_Expand(tree.m_hWnd, tree.FindItem(key), TVE_EXPAND);
    EXPECT_EQ(ChildPaths(tree, tree.FindItem(key)).size(), 3u);
    // no sub-folders: no child, no button
    EXPECT_TRUE(ChildPaths(tree, tree.FindItem(key + "\\small")).empty());
    EXPECT_EQ(ChildPaths(tree, tree.FindItem(key + "\\big")), std::vector<std::string>{key + "\\big\\deep"});
    EXPECT_EQ(Label(tree, KeyOf(fs::current_path() / "PROGRAM")), "Program");
}

TEST_F(TreePaneTest, AggregatingShowsTheTotalsOfEveryShownFolder)
{
    ProgramRun run;
    CLeftView& tree = Tree(run);
    CAppSettings& settings = run.App().m_settings;
    settings.m_bShowFolderCount = 1;
    settings.m_bShowFileCount = 1;
    settings.m_strSizeUnit = "  B";
    const std::string key = KeyOf(MakeTree());
    ASSERT_TRUE(Show(run, key));
    TreeView_Expand(tree.m_hWnd, tree.FindItem(key), TVE_EXPAND);
    run.Command(ID_AGGREGATE);

    CSizeInfo expected;
    expected.m_nSize = 10 + 1000 + 500 + 7 + 100 + 3;
    expected.m_nFolders = 4;
    expected.m_nFiles = 6;
    const std::string name = tree.GetItemName(tree.FindItem(key));
    EXPECT_EQ(Label(tree, key), CFolderLabel::MakeLabel(settings, expected, name));
    EXPECT_EQ(Label(tree, key), "D" + std::string(15, '.') + "4> F" + std::string(20, '.') + "6> " +
                                    std::string(22, '.') + "1,620  B> >" + name);
    CSizeInfo big;
    big.m_nSize = 1507;
    big.m_nFolders = 1;
    big.m_nFiles = 3;
    EXPECT_EQ(Label(tree, key + "\\big"), CFolderLabel::MakeLabel(settings, big, "big"));
    EXPECT_EQ(NodeSize(tree, key), 1620u);
    EXPECT_TRUE(run.App().m_folderInfo.FindEntry(key));
    // the walk's progress title is gone once it ends
    EXPECT_EQ(tree.GetEDoc()->GetTitle().find("集計中"), std::string::npos);
    // the control measured the longer label, and its scroll range reaches the label's end
    RECT text{};
    ASSERT_TRUE(TreeView_GetItemRect(tree.m_hWnd, tree.FindItem(key), &text, TRUE));
    EXPECT_GE(text.right - text.left, TextWidth(tree, Label(tree, key)));
    SCROLLINFO range{};
    range.cbSize = sizeof range;
    range.fMask = SIF_RANGE | SIF_POS;
    ASSERT_TRUE(GetScrollInfo(tree.m_hWnd, SB_HORZ, &range));
    EXPECT_GE(range.nMax + 1, text.right + range.nPos);

    // the labels go back to the names; the totals stay in the nodes
    run.Command(ID_LABEL_RESET);
    EXPECT_EQ(Label(tree, key), name);
    EXPECT_EQ(Label(tree, key + "\\big"), "big");
}

TEST_F(TreePaneTest, TheAggregateCommandDuringAWalkStopsIt)
{
    ProgramRun run;
    CLeftView& tree = Tree(run);
    run.App().m_settings.m_strSizeUnit = "  B";
    const std::string key = KeyOf(MakeTree());
    ASSERT_TRUE(Show(run, key));
    // The second press waits in the queue and runs inside the walk's first message pump.
    PostMessageW(run.FrameWindow(), WM_COMMAND, MAKEWPARAM(ID_AGGREGATE, 0), 0);
    SendMessageW(run.FrameWindow(), WM_COMMAND, MAKEWPARAM(ID_AGGREGATE, 0), 0);
    ProgramRun::Pump();
    EXPECT_FALSE(run.App().m_settings.m_bWalkRunning);
    EXPECT_FALSE(run.App().m_folderInfo.FindEntry(key));
    EXPECT_EQ(Label(tree, key), tree.GetItemName(tree.FindItem(key)));
}

TEST_F(TreePaneTest, SortCommandsReorderTheSelectedFoldersChildren)
{
    ProgramRun run;
    CLeftView& tree = Tree(run);
    const std::string key = KeyOf(MakeTree());
    HTREEITEM hRoot = Show(run, key);
    ASSERT_TRUE(hRoot);
    TreeView_Expand(tree.m_hWnd, hRoot, TVE_EXPAND);
    run.Command(ID_AGGREGATE);
    EXPECT_TRUE(run.MenuItem(ID_SORT_SIZE).enabled);
    // the first sort of a run turns the direction round: largest first
    run.Command(ID_SORT_SIZE);
    EXPECT_EQ(ChildPaths(tree, hRoot), (std::vector<std::string>{key + "\\big", key + "\\mid", key + "\\small"}));
    EXPECT_TRUE(run.MenuItem(ID_SORT_SIZE).radio);
    run.Command(ID_SORT_SIZE);
    EXPECT_EQ(ChildPaths(tree, hRoot), (std::vector<std::string>{key + "\\small", key + "\\mid", key + "\\big"}));
    run.Command(ID_SORT_NAME);
    EXPECT_EQ(ChildPaths(tree, hRoot), (std::vector<std::string>{key + "\\big", key + "\\mid", key + "\\small"}));
    // every opening sorts the level by the current key and direction
    g_nFolderSortDirection = 0;
    TreeView_Expand(tree.m_hWnd, hRoot, TVE_COLLAPSE);
    tree.SelectPath(key);
    SendMessageW(tree.m_hWnd, WM_KEYDOWN, VK_ADD, 0);  // the user's way: the control reports it
    EXPECT_EQ(ChildPaths(tree, hRoot), (std::vector<std::string>{key + "\\small", key + "\\mid", key + "\\big"}));
    // a folder without two children cannot be sorted
    tree.SelectPath(key + "\\big");
    EXPECT_FALSE(run.MenuItem(ID_SORT_SIZE).enabled);
}

TEST_F(TreePaneTest, SaveAllAndARestartReopenTheFoldersAndTheSelection)
{
    const std::string key = KeyOf(MakeTree());
    {
        ProgramRun run;
        ASSERT_TRUE(Show(run, key + "\\big\\deep"));
        run.Command(ID_SAVE_ALL);
    }
    ProgramRun run;
    CLeftView& tree = Tree(run);
    HTREEITEM hDeep = tree.FindItem(key + "\\big\\deep");
    ASSERT_TRUE(hDeep);
    EXPECT_EQ(TreeView_GetSelection(tree.m_hWnd), hDeep);
    EXPECT_TRUE(TreeView_GetItemState(tree.m_hWnd, tree.FindItem(key + "\\big"), TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(TreeView_GetItemState(tree.m_hWnd, tree.FindItem(key), TVIS_EXPANDED) & TVIS_EXPANDED);
    // the other folders of the open level were listed too
    EXPECT_TRUE(tree.FindItem(key + "\\mid"));
}

TEST_F(TreePaneTest, AMissingStartFolderIsReportedForEachLevelAndItsParentSelected)
{
    const std::string key = KeyOf(MakeTree());
    ProgramRun run;
    CLeftView& tree = Tree(run);
    // as start-up does with the folder of a record
    tree.ExpandToPath(key + "\\gone\\away");
    tree.SelectPath(key + "\\gone\\away");
    ASSERT_EQ(m_platform.m_texts.size(), 2u);
    EXPECT_EQ(m_platform.m_texts[0], "\n" + key + "\\gone\\away が見つかりませんでした。\n\n");
    EXPECT_EQ(run.App().m_bRegisteredFound, 0);
}

TEST_F(TreePaneTest, ALevelOfThousandsOfFoldersOpensAndRefreshesInOnePass)
{
    const fs::path root = fs::current_path() / "wide";
    for (int i = 0; i < 3000; ++i)
        fs::create_directories(root / ("f" + std::to_string(i)));
    const std::string key = KeyOf(root);
    ProgramRun run;
    CLeftView& tree = Tree(run);
    ASSERT_TRUE(Show(run, key));
    const DWORD start = GetTickCount();
    TreeView_Expand(tree.m_hWnd, tree.FindItem(key), TVE_EXPAND);
    const DWORD opened = GetTickCount() - start;
    EXPECT_TRUE(tree.RefreshItem(key));
    const DWORD took = GetTickCount() - start;
    std::printf("opened in %lu ms\n", static_cast<unsigned long>(opened));
    EXPECT_EQ(ChildPaths(tree, tree.FindItem(key)).size(), 3000u);
    std::printf("3000 folders opened and refreshed in %lu ms\n", static_cast<unsigned long>(took));
}

namespace {

// Stands in for the list pane: counts the refills the tree asks of the other views.
class RefillCounter : public CView {
public:
    void OnUpdate(CView*, LPARAM lHint, CObject* pHint) override
    {
        if (lHint == CEDoc::kHintRefresh) {
            ++m_nRefills;
            m_strLastPath = dynamic_cast<CUpdateHint*>(pHint)->m_strPath;
        }
    }
    int m_nRefills = 0;
    std::string m_strLastPath;

protected:
    const wchar_t* GetControlClass() const override { return WC_STATICW; }
    DWORD GetControlStyle() const override { return 0; }
};

}  // namespace

TEST_F(TreePaneTest, RunningDownTwentyFoldersWithTheArrowKeyRefillsTheListOnce)
{
    const fs::path root = fs::current_path() / "many";
    for (int i = 10; i < 30; ++i)
        fs::create_directories(root / ("f" + std::to_string(i)));
    const std::string key = KeyOf(root);
    ProgramRun run;
    CLeftView& tree = Tree(run);
    ASSERT_TRUE(Show(run, key));
    TreeView_Expand(tree.m_hWnd, tree.FindItem(key), TVE_EXPAND);
    RefillCounter counter;
    tree.GetEDoc()->AddView(&counter);
    for (int i = 0; i < 20; ++i)
        SendMessageW(tree.m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    Settle();
    tree.GetEDoc()->RemoveView(&counter);
    EXPECT_EQ(counter.m_nRefills, 1);
    EXPECT_EQ(tree.GetCurrentFolder(), key + "\\f29");
    EXPECT_EQ(counter.m_strLastPath, tree.GetCurrentFolder());
    EXPECT_EQ(tree.GetItemPath(TreeView_GetSelection(tree.m_hWnd)), tree.GetCurrentFolder());
}

TEST_F(TreePaneTest, RelativePathsBelowABase)
{
    ProgramRun run;
    std::string relative;
    EXPECT_TRUE(CLeftView::RelativePath("C:\\a\\x", "C:\\a", relative));
    EXPECT_EQ(relative, "x");
    EXPECT_TRUE(CLeftView::RelativePath("C:\\a\\x", "C:\\", relative));
    EXPECT_EQ(relative, "a\\x");
    EXPECT_FALSE(CLeftView::RelativePath("C:\\ab", "C:\\a", relative));
    EXPECT_TRUE(CLeftView::RelativePath("C:\\a", "C:\\a", relative));
    EXPECT_EQ(relative, "");
    EXPECT_FALSE(CLeftView::RelativePath("C:\\", "C:\\a", relative));
}

TEST_F(TreePaneTest, UpOneFolderAndARefreshThatDropsAVanishedFolder)
{
    ProgramRun run;
    CLeftView& tree = Tree(run);
    const fs::path root = MakeTree();
    const std::string key = KeyOf(root);
    ASSERT_TRUE(Show(run, key + "\\big"));
    run.Command(ID_FOLDER_UP);
    Settle();
    EXPECT_EQ(tree.GetCurrentFolder(), key);
    TreeView_Expand(tree.m_hWnd, tree.FindItem(key), TVE_EXPAND);
    ASSERT_TRUE(tree.FindItem(key + "\\small"));
    fs::remove_all(root / "small");
    run.Command(ID_REFRESH);
    EXPECT_FALSE(tree.FindItem(key + "\\small"));
    EXPECT_TRUE(tree.FindItem(key + "\\mid"));
    // the computer has no parent to go to
    tree.SelectPath(run.App().m_settings.m_strMyComputerId);
    EXPECT_FALSE(run.MenuItem(ID_FOLDER_UP).enabled);
}

TEST_F(TreePaneTest, ALinkedWindowFollowsTheSelectionBelowItsBaseAndSendsNothingBack)
{
    const fs::path root = MakeTree();
    WriteFile(root / "mid" / "deep" / "x.txt", 1);
    const std::string key = KeyOf(root);
    ProgramRun run;
    run.Command(ID_FILE_NEW);
    auto trees = run.Children();
    CLeftView& first = *dynamic_cast<CChildFrame*>(trees[0])->GetLeftPane();
    CLeftView& second = *dynamic_cast<CChildFrame*>(trees[1])->GetLeftPane();
    first.ExpandToPath(key + "\\big");
    first.SelectPath(key + "\\big");
    // a selection still settling when another window expands would stop that expansion
    Settle();
    second.ExpandToPath(key + "\\mid");
    second.SelectPath(key + "\\mid");
    Settle();
    ASSERT_EQ(first.GetCurrentFolder(), key + "\\big");
    ASSERT_EQ(second.GetCurrentFolder(), key + "\\mid");
    run.App().m_bLinkage = 1;
    first.GetEDoc()->SetBasePath(true);
    second.GetEDoc()->SetBasePath(true);

    first.ExpandToPath(key + "\\big\\deep");
    first.SelectPath(key + "\\big\\deep");
    // the first window's selection settles, then the second's
    Settle();
    Settle();
    EXPECT_EQ(run.App().m_bLinkage, 1);
    EXPECT_EQ(second.GetEDoc()->m_strBasePath, key + "\\mid");
    EXPECT_EQ(first.GetEDoc()->m_strBasePath, key + "\\big");
    EXPECT_EQ(second.GetCurrentFolder(), key + "\\mid\\deep");
    EXPECT_EQ(first.GetCurrentFolder(), key + "\\big\\deep");
    // outside the base nothing is sent
    first.SelectPath(key);
    Settle();
    EXPECT_EQ(second.GetCurrentFolder(), key + "\\mid\\deep");
}

TEST_F(TreePaneTest, ANewSelectionStopsARunningWalk)
{
    ProgramRun run;
    CLeftView& tree = Tree(run);
    run.App().m_settings.m_strSizeUnit = "  B";
    const std::string key = KeyOf(MakeTree());
    ASSERT_TRUE(Show(run, key));
    // The new selection waits in the queue and is made inside the walk's first message pump.
    PostMessageW(tree.m_hWnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(tree.FindItem(key + "\\big")));
    SendMessageW(run.FrameWindow(), WM_COMMAND, MAKEWPARAM(ID_AGGREGATE, 0), 0);
    ProgramRun::Pump();
    EXPECT_FALSE(run.App().m_folderInfo.FindEntry(key));
    EXPECT_EQ(Label(tree, key), tree.GetItemName(tree.FindItem(key)));
}

// Not a test: bench/tree.sh runs it to time a wide folder (ZQ_WIDE_FOLDER, a Windows path) in the
// tree, opening it and then aggregating it with all its sub-folders shown.
TEST_F(TreePaneTest, DISABLED_WideFolderTimings)
{
    const char* folder = std::getenv("ZQ_WIDE_FOLDER");
    ASSERT_NE(folder, nullptr);
    const std::string key = folder;
    ProgramRun run;
    CLeftView& tree = Tree(run);
    ASSERT_TRUE(Show(run, key));
    LARGE_INTEGER frequency, start, opened, aggregated;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    TreeView_Expand(tree.m_hWnd, tree.FindItem(key), TVE_EXPAND);
    QueryPerformanceCounter(&opened);
    run.Command(ID_AGGREGATE);
    QueryPerformanceCounter(&aggregated);
    ASSERT_TRUE(run.App().m_folderInfo.FindEntry(key));
    const auto seconds = [&](const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
        return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
    };
    std::printf("tree: expand %.3f s, aggregate %.3f s\n", seconds(start, opened), seconds(opened, aggregated));
}
