// The file list's commands as a user gives them, in two windows, with the shell's own dialogs
// answered: after each scenario every file's bytes and modified time are checked at source and
// destination, and both lists against the disk.
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "FileSnapshot.h"
#include "GuiTestSupport.h"
#include "app/CAppSettings.h"
#include "fw/CCmdUI.h"

namespace {

namespace fs = std::filesystem;

// What a snapshot becomes when the entries at each key's path are found at the value's path
// (moved there) or at both (copied, when bCopied).
FileSnapshot Carried(const FileSnapshot& before, const std::map<std::string, std::string>& moves, bool bCopied)
{
    FileSnapshot after = bCopied ? before : FileSnapshot();
    for (const auto& [path, state] : before) {
        std::string target = path;
        for (const auto& [from, to] : moves) {
            if (path == from || path.rfind(from + "/", 0) == 0)
                target = to + path.substr(from.size());
        }
        if (bCopied && target == path)
            continue;
        after[target] = state;
    }
    return after;
}

class FileCommandTest : public GuiTest {
protected:
    // Two windows, the first on folder a, the second on folder b.
    std::pair<CMDIChildWnd*, CMDIChildWnd*> OpenTwo(ProgramRun& run, const std::string& a, const std::string& b)
    {
        CMDIChildWnd* pFirst = run.Children()[0];
        run.Command(ID_FILE_NEW);
        CMDIChildWnd* pSecond = run.Children()[0] == pFirst ? run.Children()[1] : run.Children()[0];
        EXPECT_TRUE(Show(TreeOf(pFirst), KeyOf(fs::u8path(a))));
        EXPECT_TRUE(Show(TreeOf(pSecond), KeyOf(fs::u8path(b))));
        return {pFirst, pSecond};
    }
    // The window in front and its list with the focus, as a click into the list leaves them.
    static void Activate(ProgramRun& run, CMDIChildWnd* pChild)
    {
        ::Activate(pChild, ListOf(pChild).m_hWnd);
        ASSERT_EQ(run.Frame().MDIGetActive(), pChild);
        ASSERT_EQ(pChild->GetActiveView(), &ListOf(pChild));
    }
    // Selects the named rows of the window's list and gives the command (cut or copy) there.
    static void TakeFrom(ProgramRun& run, CMDIChildWnd* pChild, std::initializer_list<std::string> names, UINT command)
    {
        Activate(run, pChild);
        SelectRows(ListOf(pChild), names);
        run.Command(command);
    }
    // The windows show the folder, each list as it is on the disk.
    static void ExpectListShowsDisk(std::initializer_list<CMDIChildWnd*> windows, const std::string& folder)
    {
        for (CMDIChildWnd* pChild : windows) {
            EXPECT_EQ(DocOf(pChild).m_strCurPath, KeyOf(fs::u8path(folder)));
            ::ExpectListShowsDisk(pChild);
        }
    }
    // Pastes into the folder the window shows, no row selected.
    static void PasteInto(ProgramRun& run, CMDIChildWnd* pChild)
    {
        Activate(run, pChild);
        SelectRows(ListOf(pChild), {});
        run.Command(ID_EDIT_PASTE);
    }
    // Types a name into the open label editor and ends the edit with key.
    static void EndEdit(CEView& list, const std::string& text, WPARAM key)
    {
        HWND hEditor = ListView_GetEditControl(list.m_hWnd);
        ASSERT_NE(hEditor, nullptr);
        SetWindowTextW(hEditor, ToWide(text).c_str());
        PressKey(hEditor, key);
    }
    static std::string EditorText(CEView& list)
    {
        HWND hEditor = ListView_GetEditControl(list.m_hWnd);
        return hEditor ? TextOf(hEditor) : std::string("(closed)");
    }

    DialogAnswerer m_answerer;
};

}  // namespace

TEST_F(FileCommandTest, CutInOneWindowAndPasteInAnotherMovesEverythingAndBothListsFollow)
{
    WriteAgedFile("src/ソ表.txt", "so-hyo", 30);
    WriteAgedFile("src/ｶﾅ.dat", "kana", 40);
    WriteAgedFile("src/😀 한국어/x.txt", "x", 50);
    WriteAgedFile("src/😀 한국어/deeper/y.bin", std::string(3000, 'y'), 60);
    WriteAgedFile("dst/keep.txt", "keep", 70);
    const FileSnapshot before = SnapshotOf(".");
    ProgramRun run;
    const auto [pSource, pTarget] = OpenTwo(run, "src", "dst");

    TakeFrom(run, pSource, {"ソ表.txt", "😀 한국어"}, ID_EDIT_CUT);
    EXPECT_TRUE(run.MenuItem(ID_EDIT_PASTE).enabled);
    PasteInto(run, pTarget);

    EXPECT_EQ(SnapshotOf("."), Carried(before, {{"src/ソ表.txt", "dst/ソ表.txt"}, {"src/😀 한국어", "dst/😀 한국어"}}, false));
    EXPECT_TRUE(m_answerer.m_seen.empty());  // a move asks nothing
    ExpectListShowsDisk({pSource}, "src");
    ExpectListShowsDisk({pTarget}, "dst");
    EXPECT_FALSE(run.MenuItem(ID_EDIT_PASTE).enabled);  // the clipboard went with the move
}

TEST_F(FileCommandTest, CopyOncePastesIntoTwoFoldersAndIntoTheSelectedFolderRow)
{
    WriteAgedFile("src/ﾃｽﾄ 表.txt", "test", 30);
    WriteAgedFile("src/한글/in 😀.txt", "in", 40);
    WriteAgedFile("one/x.txt", "x", 50);
    WriteAgedFile("two/sub/y.txt", "y", 60);
    WriteAgedFile("two/z.txt", "z", 60);
    const FileSnapshot before = SnapshotOf(".");
    ProgramRun run;
    const auto [pSource, pTarget] = OpenTwo(run, "src", "one");

    TakeFrom(run, pSource, {"ﾃｽﾄ 表.txt", "한글"}, ID_EDIT_COPY);
    m_answerer.Expect(kCopyCaption, IDOK);
    PasteInto(run, pTarget);
    ExpectListShowsDisk({pTarget}, "one");

    ASSERT_TRUE(Show(TreeOf(pTarget), KeyOf("two")));
    Activate(run, pTarget);
    SelectRows(ListOf(pTarget), {"z.txt"});  // a file row: into the folder shown
    m_answerer.Expect(kCopyCaption, IDOK);
    run.Command(ID_EDIT_PASTE);
    SelectRows(ListOf(pTarget), {"sub"});  // a folder row: into that folder
    m_answerer.Expect(kCopyCaption, IDOK);
    run.Command(ID_EDIT_PASTE);

    const std::map<std::string, std::string> copied = {{"src/ﾃｽﾄ 表.txt", "one/ﾃｽﾄ 表.txt"}, {"src/한글", "one/한글"}};
    FileSnapshot expected = Carried(before, copied, true);
    expected = Carried(expected, {{"one/ﾃｽﾄ 表.txt", "two/ﾃｽﾄ 表.txt"}, {"one/한글", "two/한글"}}, true);
    expected = Carried(expected, {{"two/ﾃｽﾄ 表.txt", "two/sub/ﾃｽﾄ 表.txt"}, {"two/한글", "two/sub/한글"}}, true);
    EXPECT_EQ(SnapshotOf("."), expected);
    EXPECT_EQ(m_answerer.m_seen, std::vector<std::string>(3, std::string(kCopyCaption) + " [x]"));
    ExpectListShowsDisk({pSource}, "src");
    ExpectListShowsDisk({pTarget}, "two");
    EXPECT_EQ(DocOf(pSource).GetClipList().size(), 2u);  // a copy leaves the clipboard as it was
}

TEST_F(FileCommandTest, CopyAsksFirstWithTheBoxTickedEveryTimeAndNoCloseOrEscCopyNothing)
{
    WriteAgedFile("src/a ソ.txt", "alpha", 30);
    WriteAgedFile("src/same 表.txt", "source", 20);  // as old as its namesake in dst, other bytes
    WriteAgedFile("src/😀 한국어/x.txt", "inner", 10);
    WriteAgedFile("dst/same 表.txt", "target", 20);
    ProgramRun run;
    const auto [pSource, pTarget] = OpenTwo(run, "src", "dst");
    TakeFrom(run, pSource, {"a ソ.txt", "same 表.txt", "😀 한국어"}, ID_EDIT_COPY);
    const CPathList& clip = DocOf(pSource).GetClipList();
    const FileSnapshot before = SnapshotOf(".");
    for (const int refusal : {IDCANCEL, DialogAnswerer::kCloseBox, DialogAnswerer::kEscape}) {
        m_answerer.Expect(kCopyCaption, refusal);
        PasteInto(run, pTarget);
        EXPECT_EQ(SnapshotOf("."), before) << refusal;
        EXPECT_EQ(clip.size(), 3u) << refusal;
    }

    // Yes with the box ticked: the file of the same time stays as it is and leaves the clipboard.
    m_answerer.Expect(kCopyCaption, IDOK);
    PasteInto(run, pTarget);
    EXPECT_EQ(SnapshotOf("."), Carried(before, {{"src/a ソ.txt", "dst/a ソ.txt"}, {"src/😀 한국어", "dst/😀 한국어"}}, true));
    ASSERT_EQ(clip.size(), 2u);
    for (const CPathList::Entry& entry : clip)
        EXPECT_NE(entry.path, KeyOf(fs::u8path("src/same 表.txt")));

    // The box cleared: everything is copied again, the shell asking before it overwrites.
    TakeFrom(run, pSource, {"same 表.txt"}, ID_EDIT_COPY);
    m_answerer.Expect(kCopyCaption, IDOK, DialogAnswerer::ClickSkipBox);
    m_answerer.Expect(kOverwriteCaption, IDYES);
    PasteInto(run, pTarget);
    EXPECT_EQ(SnapshotOf(".")["dst/same 表.txt"], before.at("src/same 表.txt"));
    EXPECT_EQ(clip.size(), 1u);
    std::vector<std::string> seen(5, std::string(kCopyCaption) + " [x]");
    seen.push_back(kOverwriteCaption);
    EXPECT_EQ(m_answerer.m_seen, seen);
    ExpectListShowsDisk({pTarget}, "dst");
}

TEST_F(FileCommandTest, DeleteAsksTheShellAndPermanentDeleteAsksTwiceAndBothWindowsFollow)
{
    WriteAgedFile("d/a ソ.txt", "a", 30);
    WriteAgedFile("d/b ｶﾅ.txt", "b", 30);
    WriteAgedFile("d/c.txt", "c", 30);
    WriteAgedFile("d/😀 한/x", "x", 30);
    ProgramRun run;
    const auto [pFirst, pSecond] = OpenTwo(run, "d", "d");
    CEView& list = ListOf(pFirst);
    Activate(run, pFirst);

    // The Delete key, to the recycle bin: the shell asks; No leaves everything.
    SelectRows(list, {"c.txt"});
    m_answerer.Expect(kDeleteCaption, IDNO);
    PressKey(list.m_hWnd, VK_DELETE);
    EXPECT_TRUE(fs::exists("d/c.txt"));
    m_answerer.Expect(kDeleteCaption, IDYES);
    PressKey(list.m_hWnd, VK_DELETE);
    EXPECT_FALSE(fs::exists("d/c.txt"));
    ExpectListShowsDisk({pFirst, pSecond}, "d");

    // Permanent delete: No at the first question, No at the second, then Yes twice.
    const FileSnapshot before = SnapshotOf(".");
    SelectRows(list, {"a ソ.txt"});
    for (const std::deque<int>& answers : {std::deque<int>{IDNO}, std::deque<int>{IDYES, IDNO}}) {
        m_platform.m_answers = answers;
        run.Command(ID_DELETE_PERMANENT);
        EXPECT_EQ(SnapshotOf("."), before);
    }
    EXPECT_EQ(m_platform.m_texts.size(), 3u);
    EXPECT_NE(m_platform.m_texts[0].find("'a ソ.txt' を 削除しても よろしいですか？"), std::string::npos);
    SelectRows(list, {"a ソ.txt", "😀 한"});
    m_platform.m_answers = {IDYES, IDYES};
    run.Command(ID_DELETE_PERMANENT);
    EXPECT_NE(m_platform.m_texts[3].find("これら 2個のファイルを 削除しても"), std::string::npos);
    EXPECT_EQ(SnapshotOf("."), (FileSnapshot{{"d", "<dir>"}, {"d/b ｶﾅ.txt", before.at("d/b ｶﾅ.txt")}}));
    ExpectListShowsDisk({pFirst, pSecond}, "d");
    EXPECT_TRUE(DocOf(pFirst).GetClipList().empty());
    EXPECT_EQ(m_answerer.m_seen, (std::vector<std::string>{kDeleteCaption, kDeleteCaption}));
}

TEST_F(FileCommandTest, RenameInTheListTakesAValidFreeNameAndReopensTheEditorOtherwise)
{
    WriteAgedFile("r/old ソ.txt", "old", 30);
    WriteAgedFile("r/taken.txt", "taken", 30);
    ProgramRun run;
    const auto [pFirst, pSecond] = OpenTwo(run, "r", "r");
    CEView& list = ListOf(pFirst);
    Activate(run, pFirst);
    const FileSnapshot before = SnapshotOf(".");

    // Escape, and an empty name, rename nothing.
    ASSERT_NE(ListView_EditLabel(list.m_hWnd, RowOf(list, "old ソ.txt")), nullptr);
    EndEdit(list, "typed.txt", VK_ESCAPE);
    ASSERT_NE(ListView_EditLabel(list.m_hWnd, RowOf(list, "old ソ.txt")), nullptr);
    EndEdit(list, "", VK_RETURN);
    EXPECT_EQ(SnapshotOf("."), before);
    EXPECT_EQ(EditorText(list), "(closed)");

    // A comma: the editor opens again with the name typed; Escape then gives the old name back.
    ASSERT_NE(ListView_EditLabel(list.m_hWnd, RowOf(list, "old ソ.txt")), nullptr);
    EndEdit(list, "bad,name.txt", VK_RETURN);
    EXPECT_EQ(EditorText(list), "bad,name.txt");
    EndEdit(list, "bad,name.txt", VK_ESCAPE);
    EXPECT_EQ(EditorText(list), "(closed)");
    EXPECT_EQ(FromWide(list.GetCellText(RowOf(list, "old ソ.txt"), 0)), "old ソ.txt");

    // A name taken: the user is told, the editor opens again on the old name.
    ASSERT_NE(ListView_EditLabel(list.m_hWnd, RowOf(list, "old ソ.txt")), nullptr);
    EndEdit(list, "taken.txt", VK_RETURN);
    ASSERT_EQ(m_platform.m_texts.size(), 1u);
    EXPECT_NE(m_platform.m_texts[0].find("この名前は 既に使われています。"), std::string::npos);
    EXPECT_EQ(EditorText(list), "old ソ.txt");
    EXPECT_EQ(SnapshotOf("."), before);

    // Then a free name, outside code page 932: renamed, and the other window follows.
    EndEdit(list, "new 😀 한.txt", VK_RETURN);
    EXPECT_EQ(EditorText(list), "(closed)");
    EXPECT_EQ(SnapshotOf("."), Carried(before, {{"r/old ソ.txt", "r/new 😀 한.txt"}}, false));
    ExpectListShowsDisk({pFirst, pSecond}, "r");
}

// The numbered names are the file services' business; the tree's new folder takes them in turn.
TEST_F(FileCommandTest, NewFolderOpensTheNewFolderForEditingInBothWindows)
{
    WriteAgedFile("n/file.txt", "f", 30);
    ProgramRun run;
    const auto [pFirst, pSecond] = OpenTwo(run, "n", "n");
    CEView& list = ListOf(pFirst);
    Activate(run, pFirst);
    run.Command(ID_NEW_FOLDER);
    EXPECT_EQ(EditorText(list), "新しいフォルダ");
    EndEdit(list, "ﾊﾝｶｸ 表", VK_RETURN);
    EXPECT_TRUE(fs::is_directory(fs::u8path("n/ﾊﾝｶｸ 表")));
    EXPECT_EQ(std::distance(fs::directory_iterator("n"), fs::directory_iterator()), 2);
    ExpectListShowsDisk({pFirst, pSecond}, "n");
    EXPECT_TRUE(m_platform.m_texts.empty());
}

TEST_F(FileCommandTest, CommandsAreEnabledByTheSelectionTheClipboardAndTheFolderShown)
{
    WriteAgedFile("e/file.txt", "f", 30);
    WriteAgedFile("e/sub/x", "x", 30);
    ProgramRun run;
    CMDIChildWnd* pChild = run.Children()[0];
    CEView& list = ListOf(pChild);
    ASSERT_TRUE(Show(TreeOf(pChild), KeyOf("e")));
    Activate(run, pChild);
    const UINT commands[] = {ID_EDIT_CUT,        ID_EDIT_COPY,   ID_EDIT_PASTE,      ID_DELETE,
                             ID_DELETE_PERMANENT, ID_EDIT_UNDO,  ID_NEW_FOLDER,      ID_EDIT_SELECT_ALL};
    // What the frame asks before it runs a command, from a menu, a key or a toolbar button.
    auto enabled = [&]() {
        std::string states;
        for (const UINT id : commands) {
            CCmdUI ui(id);
            run.Frame().EvaluateCmdUI(ui);
            states += ui.IsEnabled() ? '1' : '0';
        }
        return states;
    };
    const std::string computer = run.App().m_settings.m_keys.m_strMyComputerId;
    const struct {
        const char* what;
        std::function<void()> arrange;
        const char* states;  // cut copy paste delete permanent undo new-folder copy-all
    } cases[] = {
        {"nothing selected", [&] { SelectRows(list, {}); }, "00000011"},
        {"a file", [&] { SelectRows(list, {"file.txt"}); }, "11011011"},
        {"a file, the clipboard filled", [&] { run.Command(ID_EDIT_COPY); }, "11111011"},
        {"no folder chosen yet", [&] { DocOf(pChild).m_strCurPath.clear(); }, "11111001"},
        {"the computer", [&] { Show(TreeOf(pChild), computer); Activate(run, pChild); SelectRows(list, {}); }, "00000000"},
        {"a drive", [&] { ListView_SetItemState(list.m_hWnd, 0, LVIS_SELECTED, LVIS_SELECTED); ProgramRun::Pump(); },
         "00100000"},
        {"the editor open", [&] {
             Show(TreeOf(pChild), KeyOf("e"));
             Activate(run, pChild);
             DocOf(pChild).GetClipList().Clear();
             SelectRows(list, {"file.txt"});
             ListView_EditLabel(list.m_hWnd, RowOf(list, "file.txt"));
         }, "11111111"},
    };
    for (const auto& c : cases) {
        c.arrange();
        EXPECT_EQ(enabled(), c.states) << c.what;
    }

    // While a name is edited, cut, paste and undo work on the name, never on the clipboard.
    HWND hEditor = ListView_GetEditControl(list.m_hWnd);
    ASSERT_NE(hEditor, nullptr);
    SendMessageW(hEditor, EM_SETSEL, 0, 4);
    run.Command(ID_EDIT_CUT);
    EXPECT_EQ(EditorText(list), ".txt");
    SendMessageW(hEditor, EM_SETSEL, 4, 4);
    run.Command(ID_EDIT_PASTE);
    EXPECT_EQ(EditorText(list), ".txtfile");
    run.Command(ID_EDIT_UNDO);
    EXPECT_EQ(EditorText(list), ".txt");
    EXPECT_TRUE(DocOf(pChild).GetClipList().empty());
    EndEdit(list, "", VK_ESCAPE);
    EXPECT_TRUE(fs::exists("e/file.txt"));
}

TEST_F(FileCommandTest, NewFolderWhileAWalkRunsOnlyStopsTheWalk)
{
    for (int i = 0; i < 30; ++i)
        WriteAgedFile("w/f" + std::to_string(i) + "/x", "x", 30);
    ProgramRun run;
    CMDIChildWnd* pChild = run.Children()[0];
    ASSERT_TRUE(Show(TreeOf(pChild), KeyOf("w")));
    Activate(run, pChild);
    bool bPressed = false;
    m_platform.m_onPump = [&]() {
        if (!bPressed && run.App().m_settings.m_bWalkRunning) {
            bPressed = true;
            run.Command(ID_NEW_FOLDER);
        }
    };
    SelectRows(ListOf(pChild), {});
    run.Command(ID_AGGREGATE);
    m_platform.m_onPump = nullptr;
    EXPECT_TRUE(bPressed);
    EXPECT_FALSE(fs::exists(fs::u8path("w/新しいフォルダ")));
    EXPECT_EQ(ListOf(pChild).GetRowCount(), 30);
    CSizeInfo total, direct;
    EXPECT_FALSE(run.App().m_settings.m_walk.GetStoredTotals(KeyOf("w/f29"), total, direct));
}
