// The folder tree pane: drives, lazy filling, labels with totals, the walk's progress, stopping, sorting, restart.
#include <filesystem>
#include <fstream>

#include "GuiTestSupport.h"
#include "Win32Text.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "treepane/CFolderNode.h"

namespace {

namespace fs = std::filesystem;

class TreePaneTest : public GuiTest {
protected:
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
    // Folders f<first> to f<last> in a folder of the scratch folder; its key.
    static std::string MakeFolders(const char* name, int first, int last)
    {
        const fs::path root = fs::current_path() / name;
        for (int i = first; i <= last; ++i)
            fs::create_directories(root / ("f" + std::to_string(i)));
        return KeyOf(root);
    }
};

}  // namespace

TEST_F(TreePaneTest, ShowsTheComputerOpensTheFirstFixedDriveAndListsAFolderOnlyWhenOpened)
{
    ProgramRun run;
    CLeftView& tree = run.Tree();
    HTREEITEM hComputer = TreeView_GetRoot(tree.m_hWnd);
    EXPECT_EQ(TreeLabel(tree, tree.GetItemPath(hComputer)), "ﾏｲ ｺﾝﾋﾟｭｰﾀ");
    const std::vector<std::string> drives = ChildPaths(tree, tree.GetItemPath(hComputer));
    EXPECT_NE(std::find(drives.begin(), drives.end(), "C:\\"), drives.end());
    EXPECT_NE(std::find(drives.begin(), drives.end(), "Z:\\"), drives.end());
    // the six state images come first; a drive shows the shell's icon appended after them
    EXPECT_GE(TreeImage(tree, "Z:\\"), 6);
    // the start folder is the first fixed drive, open and selected; the window knows it at once
    EXPECT_EQ(tree.GetCurrentFolder(), "C:\\");
    EXPECT_TRUE(TreeView_GetItemState(tree.m_hWnd, tree.FindItem("C:\\"), TVIS_EXPANDED) & TVIS_EXPANDED);
    // an unopened drive holds only its placeholder and was never read
    EXPECT_EQ(ChildPaths(tree, "Z:\\"), std::vector<std::string>{"Z:\\Dummy,"});

    // Opened, a folder lists its folders and only the first of each sub-folder.
    TreeView_Expand(tree.m_hWnd, tree.FindItem("Z:\\"), TVE_EXPAND);
    EXPECT_EQ(ChildPaths(tree, "Z:\\usr").size(), 1u);

    const fs::path root = MakeTree();
    WriteFile(fs::current_path() / "PROGRAM" / "x.txt", 1);
    const std::string key = KeyOf(root);
    ASSERT_TRUE(Show(tree, key));
    EXPECT_EQ(tree.GetCurrentFolder(), key);
    // unopened, the folder shows its first sub-folder only; opened, all three
    EXPECT_EQ(ChildPaths(tree, key).size(), 1u);
    TreeView_Expand(tree.m_hWnd, tree.FindItem(key), TVE_EXPAND);
    EXPECT_EQ(ChildPaths(tree, key).size(), 3u);
    // no sub-folders: no child, no button
    EXPECT_TRUE(ChildPaths(tree, key + "\\small").empty());
    EXPECT_EQ(ChildPaths(tree, key + "\\big"), std::vector<std::string>{key + "\\big\\deep"});
    EXPECT_EQ(TreeLabel(tree, KeyOf(fs::current_path() / "PROGRAM")), "Program");
}

TEST_F(TreePaneTest, AggregatingShowsTheTotalsOfEveryShownFolder)
{
    ProgramRun run;
    CLeftView& tree = run.Tree();
    CAppSettings& settings = run.App().m_settings;
    settings.m_bShowFolderCount = 1;
    settings.m_bShowFileCount = 1;
    settings.m_format.m_strSizeUnit = "  B";
    const std::string key = KeyOf(MakeTree());
    ASSERT_TRUE(Open(tree, key));
    run.Command(ID_AGGREGATE);

    const std::string name = tree.GetItemName(tree.FindItem(key));
    EXPECT_EQ(TreeLabel(tree, key), "D" + std::string(15, '.') + "4> F" + std::string(20, '.') + "6> " +
                                    std::string(22, '.') + "1,620  B> >" + name);
    EXPECT_EQ(TreeLabel(tree, key + "\\big"), "D" + std::string(15, '.') + "1> F" + std::string(20, '.') + "3> " +
                                              std::string(22, '.') + "1,507  B> >big");
    EXPECT_EQ(NodeSize(tree, key), 1620u);
    EXPECT_TRUE(run.App().m_folderInfo.FindEntry(key));
    // the walk's progress title is gone once it ends
    EXPECT_EQ(tree.GetEDoc()->GetTitle().find("集計中"), std::string::npos);
    // the control measured the longer label, and its scroll range reaches the label's end
    RECT text{};
    ASSERT_TRUE(TreeView_GetItemRect(tree.m_hWnd, tree.FindItem(key), &text, TRUE));
    EXPECT_GE(text.right - text.left, TextWidth(tree, TreeLabel(tree, key)));
    SCROLLINFO range{};
    range.cbSize = sizeof range;
    range.fMask = SIF_RANGE | SIF_POS;
    ASSERT_TRUE(GetScrollInfo(tree.m_hWnd, SB_HORZ, &range));
    EXPECT_GE(range.nMax + 1, text.right + range.nPos);

    // the labels go back to the names; the totals stay in the nodes
    run.Command(ID_LABEL_RESET);
    EXPECT_EQ(TreeLabel(tree, key), name);
    EXPECT_EQ(TreeLabel(tree, key + "\\big"), "big");
}

// What the reports say, and against which record, is the walk status tests' business.
TEST_F(TreePaneTest, AWalkShowsItsProgressInTheStatusBarThenReady)
{
    const std::string key = KeyOf(MakeTree());
    ProgramRun run;
    CStatusBar& status = run.Frame().GetStatusBarControl();
    ASSERT_TRUE(Show(run.Tree(), key));
    run.App().m_walkStatus.m_pace = {};  // every folder's report shown, so that a walk this small shows any
    std::vector<std::wstring> shown;
    m_platform.m_onPump = [&] {
        if (status.GetPaneText(0) != L"ﾚﾃﾞｨ")
            shown.push_back(status.GetPaneText(0));
    };
    run.Command(ID_AGGREGATE);
    m_platform.m_onPump = nullptr;
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), L"0 ﾌｫﾙﾀﾞ  0 ﾌｧｲﾙ");
    EXPECT_EQ(status.GetPaneText(0), L"ﾚﾃﾞｨ");
}

// Listing fails with "access denied" for the chosen folders; message boxes are answered from a queue.
class LockingPlatform : public AnsweringPlatform {
public:
    uint32_t FindFirst(const std::string& pattern, std::unique_ptr<CFindHandle>& handle, CFindEntry& first) override
    {
        for (const std::string& folder : m_locked)
            if (pattern.rfind(folder + "\\", 0) == 0)
                return kErrorAccessDenied;
        return AnsweringPlatform::FindFirst(pattern, handle, first);
    }
    std::vector<std::string> m_locked;
};

TEST_F(TreePaneTest, OneIgnoreTotalsEverythingReadableAndTheLeftOutFoldersAreNamed)
{
    ProgramRun run;
    CLeftView& tree = run.Tree();
    const std::string key = KeyOf(MakeTree());
    ASSERT_TRUE(Show(tree, key));
    LockingPlatform platform;
    platform.m_locked = {key + "\\big", key + "\\mid"};
    platform.m_answers = {kIdIgnore};
    run.Command(ID_AGGREGATE);
    // one question for both, then the list of what the totals leave out
    ASSERT_EQ(platform.m_texts.size(), 2u);
    EXPECT_NE(platform.m_texts[0].find(" にアクセスできません。"), std::string::npos);
    const std::string& report = platform.m_texts[1];
    EXPECT_EQ(report.rfind("次のﾌｫﾙﾀﾞは読めなかったため、集計に含まれていません。\n\n", 0), 0u) << report;
    for (const char* name : {"\\big\n", "\\mid\n"})  // in the order the disk lists them
        EXPECT_NE(report.find(run.App().m_settings.m_keys.GetDisplayPath(key) + name), std::string::npos) << report;
    EXPECT_EQ(NodeSize(tree, key), 13u);  // small and r.txt
}

TEST_F(TreePaneTest, AWalkStopsForTheAggregateCommandAgainAndForANewSelection)
{
    const std::string key = KeyOf(MakeTree());
    for (const bool bySelection : {false, true}) {
        SCOPED_TRACE(bySelection ? "a new selection" : "the command again");
        ProgramRun run;
        CLeftView& tree = run.Tree();
        run.App().m_settings.m_format.m_strSizeUnit = "  B";
        ASSERT_TRUE(Show(tree, key));
        // What waits in the queue is handled inside the walk's first message pump.
        const LPARAM hBig = reinterpret_cast<LPARAM>(tree.FindItem(key + "\\big"));
        if (bySelection)
            PostMessageW(tree.m_hWnd, TVM_SELECTITEM, TVGN_CARET, hBig);
        else
            PostMessageW(run.FrameWindow(), WM_COMMAND, MAKEWPARAM(ID_AGGREGATE, 0), 0);
        SendMessageW(run.FrameWindow(), WM_COMMAND, MAKEWPARAM(ID_AGGREGATE, 0), 0);
        ProgramRun::Pump();
        EXPECT_FALSE(run.App().m_settings.m_bWalkRunning);
        EXPECT_FALSE(run.App().m_folderInfo.FindEntry(key));
        EXPECT_EQ(TreeLabel(tree, key), tree.GetItemName(tree.FindItem(key)));
    }
}

TEST_F(TreePaneTest, SortCommandsReorderTheSelectedFoldersChildren)
{
    ProgramRun run;
    CLeftView& tree = run.Tree();
    const std::string key = KeyOf(MakeTree());
    HTREEITEM hRoot = Open(tree, key);
    ASSERT_TRUE(hRoot);
    run.Command(ID_AGGREGATE);
    EXPECT_TRUE(run.MenuItem(ID_SORT_SIZE).enabled);
    // the first sort of a run turns the direction round: largest first
    run.Command(ID_SORT_SIZE);
    EXPECT_EQ(ChildPaths(tree, key), (std::vector<std::string>{key + "\\big", key + "\\mid", key + "\\small"}));
    EXPECT_TRUE(run.MenuItem(ID_SORT_SIZE).radio);
    run.Command(ID_SORT_SIZE);
    EXPECT_EQ(ChildPaths(tree, key), (std::vector<std::string>{key + "\\small", key + "\\mid", key + "\\big"}));
    run.Command(ID_SORT_NAME);
    EXPECT_EQ(ChildPaths(tree, key), (std::vector<std::string>{key + "\\big", key + "\\mid", key + "\\small"}));
    // every opening sorts the level by the current key and direction
    g_nFolderSortDirection = 0;
    TreeView_Expand(tree.m_hWnd, hRoot, TVE_COLLAPSE);
    tree.SelectPath(key);
    SendMessageW(tree.m_hWnd, WM_KEYDOWN, VK_ADD, 0);  // the user's way: the control reports it
    EXPECT_EQ(ChildPaths(tree, key), (std::vector<std::string>{key + "\\small", key + "\\mid", key + "\\big"}));
    // a folder without two children cannot be sorted
    tree.SelectPath(key + "\\big");
    EXPECT_FALSE(run.MenuItem(ID_SORT_SIZE).enabled);
}

TEST_F(TreePaneTest, SaveAllAndARestartReopenTheFoldersAndTheSelectionAndAMissingFolderIsReported)
{
    const std::string key = KeyOf(MakeTree());
    {
        ProgramRun run;
        ASSERT_TRUE(Show(run.Tree(), key + "\\big\\deep"));
        run.Command(ID_SAVE_ALL);
    }
    ProgramRun run;
    CLeftView& tree = run.Tree();
    EXPECT_EQ(tree.GetItemPath(TreeView_GetSelection(tree.m_hWnd)), key + "\\big\\deep");
    EXPECT_TRUE(TreeView_GetItemState(tree.m_hWnd, tree.FindItem(key + "\\big"), TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(TreeView_GetItemState(tree.m_hWnd, tree.FindItem(key), TVIS_EXPANDED) & TVIS_EXPANDED);
    // the other folders of the open level were listed too
    EXPECT_TRUE(tree.FindItem(key + "\\mid"));

    // A start folder that went away is reported for each level, as start-up does with the folder
    // of a record, and its parent selected.
    tree.ExpandToPath(key + "\\gone\\away");
    tree.SelectPath(key + "\\gone\\away");
    ASSERT_EQ(m_platform.m_texts.size(), 2u);
    EXPECT_EQ(m_platform.m_texts[0], "\n" + key + "\\gone\\away が見つかりませんでした。\n\n");
    EXPECT_EQ(run.App().m_bRegisteredFound, 0);
}

// A wide level opens and refreshes whole. Past its first sub-folders the expand buttons are
// answered when asked for and learned later: each must say whether the folder holds a sub-folder.
// How fast a level of thousands opens is bench/tree.sh's.
TEST_F(TreePaneTest, AWideLevelOpensAndRefreshesWholeWithTheRightButtons)
{
    const std::string key = MakeFolders("wide", 0, 299);
    for (int i = 0; i < 300; i += 2)
        fs::create_directories(fs::current_path() / "wide" / ("f" + std::to_string(i)) / "sub");
    ProgramRun run;
    CLeftView& tree = run.Tree();
    ASSERT_TRUE(Show(tree, key));
    const auto expectButtons = [&](int last) {  // as a reader in another process asks for them
        for (int i = 0; i <= last; ++i) {
            TVITEMW item{};
            item.mask = TVIF_CHILDREN;
            item.hItem = tree.FindItem(key + "\\f" + std::to_string(i));
            if (i == 7)  // removed below
                continue;
            ASSERT_TRUE(TreeView_GetItem(tree.m_hWnd, &item)) << i;
            EXPECT_EQ(item.cChildren, i % 2 == 0 ? 1 : 0) << i;
        }
    };
    const auto expectOpens = [&](const std::string& folder) {
        TreeView_Expand(tree.m_hWnd, tree.FindItem(folder), TVE_EXPAND);
        EXPECT_EQ(ChildPaths(tree, folder), std::vector<std::string>{folder + "\\sub"});
    };
    TreeView_Expand(tree.m_hWnd, tree.FindItem(key), TVE_EXPAND);
    EXPECT_EQ(ChildPaths(tree, key).size(), 300u);
    std::vector<std::string> unlisted;  // folders with a sub-folder whose buttons are left to learn
    for (int i = 0; i < 300; i += 2) {
        if (const std::string folder = key + "\\f" + std::to_string(i); !TreeView_GetChild(tree.m_hWnd, tree.FindItem(folder)))
            unlisted.push_back(folder);
    }
    ASSERT_GE(unlisted.size(), 2u);
    expectButtons(149);
    while (tree.IsLearningButtons())
        Settle();
    expectButtons(299);
    expectOpens(unlisted.front());
    fs::remove(fs::current_path() / "wide" / "f7");
    fs::create_directories(fs::current_path() / "wide" / "g");
    EXPECT_TRUE(tree.RefreshItem(key));
    EXPECT_EQ(ChildPaths(tree, key).size(), 300u);
    EXPECT_TRUE(tree.FindItem(key + "\\g"));
    EXPECT_FALSE(tree.FindItem(key + "\\f7"));
    expectButtons(299);
    expectOpens(unlisted.back());
}

TEST_F(TreePaneTest, RunningDownTwentyFoldersWithTheArrowKeyRefillsTheListOnce)
{
    const std::string key = MakeFolders("many", 10, 29);
    ProgramRun run;
    CLeftView& tree = run.Tree();
    ASSERT_TRUE(Open(tree, key));
    RecordingView listPane;
    tree.GetEDoc()->AddView(&listPane);
    for (int i = 0; i < 20; ++i)
        SendMessageW(tree.m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    Settle();
    tree.GetEDoc()->RemoveView(&listPane);
    EXPECT_EQ(tree.GetCurrentFolder(), key + "\\f29");
    EXPECT_EQ(listPane.m_refreshedPaths, std::vector<std::string>{tree.GetCurrentFolder()});
    EXPECT_EQ(tree.GetItemPath(TreeView_GetSelection(tree.m_hWnd)), tree.GetCurrentFolder());
}

TEST_F(TreePaneTest, UpOneFolderAndARefreshThatDropsAVanishedFolder)
{
    ProgramRun run;
    CLeftView& tree = run.Tree();
    const fs::path root = MakeTree();
    const std::string key = KeyOf(root);
    ASSERT_TRUE(Show(tree, key + "\\big"));
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
    tree.SelectPath(run.App().m_settings.m_keys.m_strMyComputerId);
    EXPECT_FALSE(run.MenuItem(ID_FOLDER_UP).enabled);
}

TEST_F(TreePaneTest, ALinkedWindowFollowsTheSelectionBelowItsBaseAndSendsNothingBack)
{
    const fs::path root = MakeTree();
    WriteFile(root / "mid" / "deep" / "x.txt", 1);
    const std::string key = KeyOf(root);
    ProgramRun run;
    run.Command(ID_FILE_NEW);
    CLeftView& first = run.Tree(0);
    CLeftView& second = run.Tree(1);
    // each selection settles before the other window expands: one still settling would stop that
    // expansion
    Show(first, key + "\\big");
    Show(second, key + "\\mid");
    ASSERT_EQ(first.GetCurrentFolder(), key + "\\big");
    ASSERT_EQ(second.GetCurrentFolder(), key + "\\mid");
    run.App().m_bLinkage = 1;
    first.GetEDoc()->SetBasePath(true);
    second.GetEDoc()->SetBasePath(true);

    // the first window's selection settles, then the second's
    Show(first, key + "\\big\\deep");
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
