// The folder tree's file commands driven as a user drives them (menu commands, keys, label editing
// by keyboard, the shell's own dialogs answered), with every file's bytes and modified time
// checked afterwards and both windows' trees compared with the disk.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "FileSnapshot.h"
#include "GuiTestSupport.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "treepane/CFolderLabel.h"

namespace {

namespace fs = std::filesystem;

class TreeCommandsTest : public GuiTest {
protected:
    // work\ソ表\ (two files and sub\ with one), work\한국어 😀\ (one file), work\ﾊﾝｶｸ\ (empty),
    // work\dst\ (empty); names with CP932 second byte 0x5C, half-width kana, Korean and emoji.
    std::string MakeWork()
    {
        WriteFile(fs::u8path("work/ソ表/a ｶﾅ.txt"), "alpha");
        WriteFile(fs::u8path("work/ソ表/😀.txt"), "emoji bytes");
        WriteFile(fs::u8path("work/ソ表/sub/表.bin"), std::string(3000, 'z'));
        WriteFile(fs::u8path("work/한국어 😀/x.txt"), "korean");
        fs::create_directories(fs::u8path("work/ﾊﾝｶｸ"));
        fs::create_directories(fs::u8path("work/dst"));
        return KeyOf("work");
    }
    static std::string Key(const std::string& work, const std::string& below) { return work + "\\" + below; }

    // The folder's children in the tree are its sub-folders on the disk.
    static void ExpectTreeShowsDisk(CLeftView& tree, const std::string& key)
    {
        const std::vector<std::string> children = ChildPaths(tree, key);
        std::multiset<std::string> shown(children.begin(), children.end()), disk;  // a folder shown twice counts
        for (const auto& entry : fs::directory_iterator(fs::path(ToWide(key))))
            if (entry.is_directory())
                disk.insert(Key(key, FromWide(entry.path().filename().wstring())));
        EXPECT_EQ(shown, disk) << key;
    }
    // Wine's recycle bin is the freedesktop trash under XDG_DATA_HOME: what it holds of the most
    // recently deleted folder of that name (empty elsewhere, or when it holds none).
    static FileSnapshot Trashed(const std::string& name)
    {
        const char* data = std::getenv("XDG_DATA_HOME");
        if (!data || data[0] != '/')
            return {};
        std::string folder = std::string("Z:") + data + "/Trash/files";
        std::replace(folder.begin(), folder.end(), '/', '\\');
        fs::path newest;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(fs::path(ToWide(folder)), error))
            if (FromWide(entry.path().filename().wstring()).rfind(name, 0) == 0 &&
                (newest.empty() || fs::last_write_time(entry.path()) >= fs::last_write_time(newest)))
                newest = entry.path();
        return newest.empty() ? FileSnapshot() : SnapshotOf(newest);
    }
    static HWND Editor(CLeftView& tree) { return TreeView_GetEditControl(tree.m_hWnd); }
    static HWND StartEdit(CLeftView& tree, const std::string& path)
    {
        SetFocus(tree.m_hWnd);
        return TreeView_EditLabel(tree.m_hWnd, tree.FindItem(path));
    }
};

}  // namespace

TEST_F(TreeCommandsTest, RenamingByTheLabelKeepsTheTotalsAndRefusesInvalidAndTakenNamesUntilEscape)
{
    const std::string work = MakeWork();
    ProgramRun run;
    g_rcLeftPane = RECT{0, 0, 420, 300};  // the new window's tree is wide enough to show the editor
    run.Command(ID_FILE_NEW);
    const std::vector<CMDIChildWnd*> windows = run.Children();
    CMDIChildWnd* pWide = run.Frame().MDIGetActive();
    CMDIChildWnd* pOther = windows[windows[0] == pWide ? 1 : 0];
    CLeftView& tree = TreeOf(pWide);
    CLeftView& other = TreeOf(pOther);
    Open(other, work);
    Open(other, Key(work, "ソ表"));
    ASSERT_TRUE(Open(other, Key(work, "ソ表\\sub")));  // the other window lists a folder below
    Settle();
    Activate(pWide, TreeOf(pWide).m_hWnd);
    ShowWindow(pWide->m_hWnd, SW_MAXIMIZE);
    ASSERT_TRUE(Open(tree, Key(work, "ソ表")));
    run.Command(ID_AGGREGATE);
    const std::string label = TreeLabel(tree, Key(work, "ソ表"));
    ASSERT_TRUE(CFolderLabel::HasTotals(label)) << label;
    const std::string prefix = label.substr(0, label.rfind('>') + 1);
    ASSERT_NE(run.App().m_folderInfo.FindEntry(Key(work, "ソ表\\sub")), nullptr);
    const FileSnapshot before = SnapshotOf("work");

    // Only the name behind the totals typed over: renamed, totals kept, keys and records follow.
    HWND hEdit = StartEdit(tree, Key(work, "ソ表"));
    ASSERT_TRUE(hEdit);
    EXPECT_EQ(TextOf(hEdit), label);
    // Cut, copy, paste and undo while editing work on the text; the program's clipboard stays.
    EXPECT_TRUE(run.MenuItem(ID_EDIT_UNDO).enabled);
    TypeInto(hEdit, "typo", -1);
    run.Command(ID_EDIT_UNDO);
    EXPECT_EQ(TextOf(hEdit), label);
    run.Command(ID_EDIT_COPY);
    EXPECT_TRUE(DocOf(pWide).GetClipList().empty());
    TypeInto(hEdit, "Papers ｶﾅ", static_cast<int>(ToWide(prefix).size()));
    RedrawWindow(run.FrameWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ProgramRun::Pump();
    PressKey(hEdit, VK_RETURN);
    const std::string papers = Key(work, "Papers ｶﾅ");
    EXPECT_EQ(TreeLabel(tree, papers), prefix + "Papers ｶﾅ");
    EXPECT_EQ(tree.FindItem(Key(work, "ソ表")), nullptr);
    EXPECT_TRUE(tree.FindItem(papers + "\\sub"));
    EXPECT_EQ(run.App().m_folderInfo.FindEntry(Key(work, "ソ表\\sub")), nullptr);
    EXPECT_NE(run.App().m_folderInfo.FindEntry(papers + "\\sub"), nullptr);
    EXPECT_EQ(tree.GetCurrentFolder(), papers);
    EXPECT_EQ(Below(SnapshotOf("work"), "Papers ｶﾅ"), Below(before, "ソ表"));
    ExpectTreeShowsDisk(other, work);  // the other window renamed its item
    // ... and its list, showing a folder below the renamed one, moved along with every row.
    EXPECT_EQ(DocOf(pOther).m_strCurPath, papers + "\\sub");
    const CEView& otherList = ListOf(pOther);
    ASSERT_EQ(otherList.GetRowCount(), 1);
    EXPECT_TRUE(fs::exists(fs::path(ToWide(otherList.GetItem(0)->m_strPath))));

    // An invalid name, then a taken one (told), reopen the editor on what was typed and on the old
    // name; Escape then restores all.
    hEdit = StartEdit(tree, papers);
    TypeInto(hEdit, "bad?name");
    PressKey(hEdit, VK_RETURN);
    ASSERT_TRUE(hEdit = Editor(tree));
    EXPECT_EQ(TextOf(hEdit), "bad?name");
    TypeInto(hEdit, "dst");
    PressKey(hEdit, VK_RETURN);
    ASSERT_EQ(m_platform.m_texts.size(), 1u);
    EXPECT_NE(m_platform.m_texts[0].find("この名前は 既に使われています。"), std::string::npos);
    ASSERT_TRUE(hEdit = Editor(tree));
    EXPECT_EQ(TextOf(hEdit), "Papers ｶﾅ");
    PressKey(hEdit, VK_ESCAPE);
    EXPECT_EQ(Editor(tree), nullptr);
    EXPECT_EQ(TreeLabel(tree, papers), prefix + "Papers ｶﾅ");

    // The computer and a drive are not edited at all.
    EXPECT_EQ(StartEdit(tree, run.App().m_settings.m_keys.m_strMyComputerId), nullptr);
    EXPECT_EQ(StartEdit(tree, work.substr(0, 3)), nullptr);

    EXPECT_EQ(SnapshotOf("work").size(), before.size());
    ExpectTreeShowsDisk(tree, work);
    EXPECT_FALSE(run.MenuItem(ID_EDIT_UNDO).enabled);
    // The other window lists the renamed folder's sub-folder, the renamed folder's own window the
    // folder itself.
    Settle();
    for (CMDIChildWnd* pChild : windows)
        ExpectListShowsDisk(pChild);
}

TEST_F(TreeCommandsTest, NewFolderThreeTimesOpensEachNewFolderForItsNameInBothWindows)
{
    const std::string work = MakeWork();
    const std::string dst = Key(work, "dst");
    ProgramRun run;
    run.Command(ID_FILE_NEW);
    const std::vector<CMDIChildWnd*> windows = run.Children();
    CLeftView& tree = TreeOf(windows[0]);
    CLeftView& other = TreeOf(windows[1]);
    Open(other, dst);
    Activate(windows[0], TreeOf(windows[0]).m_hWnd);
    ASSERT_TRUE(Open(tree, dst));
    EXPECT_TRUE(run.MenuItem(ID_NEW_FOLDER).enabled);
    // Each opens for its name: the name as offered, or one typed at once.
    const std::pair<const char*, const char*> names[] = {
        {"新しいフォルダ", "新しいフォルダ"}, {"新しいフォルダ (2)", "新しいフォルダ (2)"}, {"新しいフォルダ (3)", "ﾊﾝｶｸ ｿ"}};
    for (const auto& [offered, typed] : names) {
        tree.SelectPath(dst);
        Settle();
        run.Command(ID_NEW_FOLDER);
        HWND hEdit = Editor(tree);
        ASSERT_TRUE(hEdit) << offered;
        EXPECT_EQ(TextOf(hEdit), offered);
        EXPECT_EQ(tree.GetItemPath(TreeView_GetSelection(tree.m_hWnd)), Key(dst, offered));
        if (std::string(typed) != offered)
            TypeInto(hEdit, typed);
        PressKey(hEdit, VK_RETURN);
        EXPECT_EQ(TreeLabel(tree, Key(dst, typed)), typed);
    }
    Settle();
    ExpectTreeShowsDisk(tree, dst);
    ExpectTreeShowsDisk(other, dst);
    EXPECT_EQ(ChildPaths(tree, dst).size(), 3u);  // the three shown above

    // Nowhere to make one on the computer.
    tree.SelectPath(run.App().m_settings.m_keys.m_strMyComputerId);
    Settle();
    EXPECT_FALSE(run.MenuItem(ID_NEW_FOLDER).enabled);
}

TEST_F(TreeCommandsTest, AFolderCutInOneWindowsTreeAndPastedInAnothersMovesWholeAndBothTreesFollow)
{
    const std::string work = MakeWork();
    ProgramRun run;
    run.Command(ID_FILE_NEW);
    const std::vector<CMDIChildWnd*> windows = run.Children();
    CLeftView& first = TreeOf(windows[0]);
    CLeftView& second = TreeOf(windows[1]);
    Activate(windows[0], TreeOf(windows[0]).m_hWnd);
    Open(first, Key(work, "dst"));
    ASSERT_TRUE(Open(first, Key(work, "ソ表")));
    Activate(windows[1], TreeOf(windows[1]).m_hWnd);
    Open(second, work);
    ASSERT_TRUE(Open(second, Key(work, "dst")));
    const FileSnapshot before = SnapshotOf("work");

    Activate(windows[0], TreeOf(windows[0]).m_hWnd);
    EXPECT_TRUE(run.MenuItem(ID_EDIT_CUT).enabled);
    run.Command(ID_EDIT_CUT);
    EXPECT_TRUE(DocOf(windows[0]).IsCutPending());
    Activate(windows[1], TreeOf(windows[1]).m_hWnd);
    EXPECT_TRUE(run.MenuItem(ID_EDIT_PASTE).enabled);
    DialogAnswerer answerer;  // a move asks nothing
    run.Command(ID_EDIT_PASTE);
    Settle();

    const FileSnapshot after = SnapshotOf("work");
    EXPECT_EQ(Below(after, "dst/ソ表"), Below(before, "ソ表"));
    EXPECT_FALSE(fs::exists(fs::u8path("work/ソ表")));
    EXPECT_EQ(after.size(), before.size());
    EXPECT_TRUE(answerer.m_seen.empty());
    for (CLeftView* pTree : {&first, &second}) {
        ExpectTreeShowsDisk(*pTree, work);
        ExpectTreeShowsDisk(*pTree, Key(work, "dst"));
    }
    EXPECT_TRUE(DocOf(windows[0]).GetClipList().empty());
    EXPECT_FALSE(run.MenuItem(ID_EDIT_PASTE).enabled);
    // The first window's folder went: its selection and list moved to what is there.
    EXPECT_TRUE(fs::is_directory(fs::path(ToWide(first.GetCurrentFolder()))));
    ExpectListShowsDisk(windows[0]);
}

TEST_F(TreeCommandsTest, DeleteAsksTheShellAndTheDeleteKeyIsSwallowedOnTheComputerAndADrive)
{
    const std::string work = MakeWork();
    ProgramRun run;
    CLeftView& tree = run.Tree();
    Open(tree, work);
    ASSERT_TRUE(Open(tree, Key(work, "한국어 😀")));
    const FileSnapshot before = SnapshotOf("work");

    DialogAnswerer answerer;
    answerer.Expect(kFolderDeleteCaption, IDNO);
    PressKey(tree.m_hWnd, VK_DELETE);
    EXPECT_EQ(SnapshotOf("work"), before);
    EXPECT_TRUE(tree.FindItem(Key(work, "한국어 😀")));

    answerer.Expect(kFolderDeleteCaption, IDYES);
    run.Command(ID_DELETE);
    Settle();
    ExpectTreeShowsDisk(tree, work);
    EXPECT_TRUE(DocOf(run.Children()[0]).GetClipList().empty());
    ExpectListShowsDisk(run.Children()[0]);
    FileSnapshot expected = before;
    expected.erase("한국어 😀");
    expected.erase("한국어 😀/x.txt");
    EXPECT_EQ(SnapshotOf("work"), expected);
    if (std::getenv("XDG_DATA_HOME")) {
        EXPECT_EQ(Trashed("한국어 😀"), Below(before, "한국어 😀"));  // nothing lost: all in the bin
    }

    // Permanently: an empty folder goes, one with files stays.
    Open(tree, Key(work, "ソ表"));
    run.Command(ID_DELETE_PERMANENT);
    EXPECT_TRUE(fs::exists(fs::u8path("work/ソ表/a ｶﾅ.txt")));
    ASSERT_TRUE(Open(tree, Key(work, "ﾊﾝｶｸ")));
    run.Command(ID_DELETE_PERMANENT);
    EXPECT_FALSE(fs::exists(fs::u8path("work/ﾊﾝｶｸ")));
    Settle();
    ExpectTreeShowsDisk(tree, work);

    // The computer and a drive root: nothing asked, nothing done, the commands disabled.
    for (const std::string& path : {run.App().m_settings.m_keys.m_strMyComputerId, work.substr(0, 3)}) {
        tree.SelectPath(path);
        Settle();
        PressKey(tree.m_hWnd, VK_DELETE);
        EXPECT_FALSE(run.MenuItem(ID_DELETE).enabled) << path;
        EXPECT_FALSE(run.MenuItem(ID_EDIT_COPY).enabled) << path;
        EXPECT_FALSE(run.MenuItem(ID_EDIT_CUT).enabled) << path;
    }
    EXPECT_EQ(answerer.m_seen, (std::vector<std::string>{kFolderDeleteCaption, kFolderDeleteCaption}));
}

TEST_F(TreeCommandsTest, ReplaceWithTheClipboardContentsCopiesWhatTheCopiedFolderHoldsIntoTheSelectedOne)
{
    const std::string work = MakeWork();
    ProgramRun run;
    run.Command(ID_FILE_NEW);
    const std::vector<CMDIChildWnd*> windows = run.Children();
    CLeftView& tree = TreeOf(windows[0]);
    CLeftView& other = TreeOf(windows[1]);
    Open(other, Key(work, "dst"));
    Activate(windows[0], TreeOf(windows[0]).m_hWnd);
    Open(tree, Key(work, "dst"));
    ASSERT_TRUE(Open(tree, Key(work, "ソ表")));
    run.Command(ID_EDIT_COPY);
    EXPECT_FALSE(DocOf(windows[0]).IsCutPending());
    const FileSnapshot before = SnapshotOf("work");

    tree.SelectPath(Key(work, "dst"));
    Settle();
    DialogAnswerer answerer;
    answerer.Expect(kCopyCaption, IDOK);
    run.Command(ID_REPLACE_WITH_CLIP);
    Settle();
    const FileSnapshot after = SnapshotOf("work");
    EXPECT_EQ(Below(after, "dst"), Below(before, "ソ表"));
    EXPECT_EQ(Below(after, "ソ表"), Below(before, "ソ表"));
    EXPECT_EQ(answerer.m_seen, (std::vector<std::string>{std::string(kCopyCaption) + " [x]"}));
    ExpectTreeShowsDisk(tree, Key(work, "dst"));
    ExpectTreeShowsDisk(other, Key(work, "dst"));
    EXPECT_EQ(DocOf(windows[0]).GetClipList().size(), 3u);  // a copy's list stays
}

// The list's paste of many entries, files among them: each folder is looked up among its parent's
// children. How fast thousands go is a benchmark's business (bench/paste_update.sh).
TEST_F(TreeCommandsTest, AMoveOfManyFilesAndFoldersLeavesBothFoldersAsOnTheDisk)
{
    constexpr int kFolders = 300;
    constexpr int kMoved = 200;
    for (int i = 0; i < kFolders; ++i)
        fs::create_directories(fs::path("wide") / ("f" + std::to_string(i)));
    fs::create_directories("dst");
    const std::string wide = KeyOf("wide");
    const std::string dst = KeyOf("dst");
    ProgramRun run;
    CLeftView& tree = run.Tree();
    Open(tree, dst);
    ASSERT_TRUE(Open(tree, wide));
    ASSERT_EQ(ChildPaths(tree, wide).size(), static_cast<std::size_t>(kFolders));

    CEDoc& doc = DocOf(run.Children()[0]);
    CPathList& clip = doc.GetClipList();
    for (int i = 0; i < 1000; ++i)
        clip.Add(wide + "\\file" + std::to_string(i) + ".txt", kAttrArchive);
    for (int i = 0; i < kMoved; ++i) {
        const std::string name = "f" + std::to_string(i);
        fs::rename(fs::path("wide") / name, fs::path("dst") / name);
        clip.Add(wide + "\\" + name, kAttrDirectory);
    }
    CUpdateHint hint;
    hint.m_strPath = dst;
    hint.m_nCode = kFoMove;
    tree.OnFilesPasted(hint);
    ExpectTreeShowsDisk(tree, wide);
    ExpectTreeShowsDisk(tree, dst);
    EXPECT_EQ(ChildPaths(tree, dst).size(), static_cast<std::size_t>(kMoved));
}
