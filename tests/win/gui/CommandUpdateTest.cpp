// Menu items enabled, checked and radio-marked by their update rules, and commands reaching them.
#include "GuiTestSupport.h"

#include <commctrl.h>

using CommandUpdateTest = GuiTest;

TEST_F(CommandUpdateTest, SizeUnitIsCheckedAndChoosingItAgainLeavesNoneChecked)
{
    ProgramRun run;
    EXPECT_TRUE(run.MenuItem(ID_UNIT_KBYTES).checked);
    EXPECT_FALSE(run.MenuItem(ID_UNIT_KBYTES).radio);
    EXPECT_FALSE(run.MenuItem(ID_UNIT_BYTES).checked);
    run.Command(ID_UNIT_KBYTES);
    for (UINT id = ID_UNIT_BYTES; id <= ID_UNIT_GBYTES; ++id) {
        EXPECT_FALSE(run.MenuItem(id).checked) << id;
        EXPECT_TRUE(run.MenuItem(id).enabled) << id;
    }
    EXPECT_EQ(run.App().m_settings.m_strSizeUnit, "");
    run.Command(ID_UNIT_MBYTES);
    EXPECT_TRUE(run.MenuItem(ID_UNIT_MBYTES).checked);
    EXPECT_EQ(run.App().m_settings.m_strSizeUnit, " MB");
}

TEST_F(CommandUpdateTest, KiloByteBaseIsARadioPair)
{
    ProgramRun run;
    EXPECT_TRUE(run.MenuItem(ID_KBYTE_1000).checked);
    EXPECT_TRUE(run.MenuItem(ID_KBYTE_1000).radio);
    EXPECT_FALSE(run.MenuItem(ID_KBYTE_1024).checked);
    run.Command(ID_KBYTE_1024);
    EXPECT_FALSE(run.MenuItem(ID_KBYTE_1000).checked);
    EXPECT_TRUE(run.MenuItem(ID_KBYTE_1024).checked);
    EXPECT_EQ(run.App().m_settings.m_nKByte, 1024);
}

TEST_F(CommandUpdateTest, SortCommandsSetTheKeyAndTheFileListOrder)
{
    ProgramRun run;
    EXPECT_TRUE(run.MenuItem(ID_SORT_NAME).radio);
    EXPECT_TRUE(run.MenuItem(ID_SORT_NAME).checked);
    // the first sort of a run turns the direction round, the same key again toggles it, and a new
    // key sorts ascending
    run.Command(ID_SORT_LASTREAD);
    EXPECT_EQ(run.App().m_nFolderSortKey, kFolderSortByLastRead);
    EXPECT_EQ(g_nFolderSortDirection, 0);
    EXPECT_TRUE(run.MenuItem(ID_SORT_LASTREAD).checked);
    EXPECT_FALSE(run.MenuItem(ID_SORT_NAME).checked);
    run.Command(ID_SORT_LASTREAD);
    EXPECT_EQ(g_nFolderSortDirection, 1);
    run.Command(ID_SORT_FILECOUNT);
    EXPECT_EQ(run.App().m_nFolderSortKey, kFolderSortByFileCount);
    EXPECT_EQ(g_nFolderSortDirection, 1);

    EXPECT_TRUE(run.MenuItem(ID_FILESORT_FILES_FIRST).checked);
    run.Command(ID_FILESORT_VALUE_ONLY);
    EXPECT_EQ(ListFileSortMode, "N");
    EXPECT_TRUE(run.MenuItem(ID_FILESORT_VALUE_ONLY).checked);
    EXPECT_TRUE(run.MenuItem(ID_FILESORT_VALUE_ONLY).radio);
    EXPECT_FALSE(run.MenuItem(ID_FILESORT_FILES_FIRST).checked);
}

TEST_F(CommandUpdateTest, SwitchesToggleWithTheirCheckMarks)
{
    ProgramRun run;
    const UINT switches[] = {ID_SHOW_MODIFIED, ID_SHOW_LASTREAD,  ID_SHOW_CREATED,   ID_SHOW_FOLDERCOUNT,
                             ID_SHOW_FILECOUNT, ID_REAGGREGATE,   ID_REFRESH_ON_OPEN};
    for (UINT id : switches) {
        EXPECT_FALSE(run.MenuItem(id).checked) << id;
        run.Command(id);
        EXPECT_TRUE(run.MenuItem(id).checked) << id;
        EXPECT_TRUE(run.MenuItem(id).enabled) << id;
    }
    EXPECT_EQ(run.App().m_settings.m_bShowFolderCount, 1);
    EXPECT_EQ(run.App().m_bReaggregate, 1);
    EXPECT_EQ(run.App().m_bRefreshOnOpen, 1);
    run.Command(ID_SHOW_CREATED);
    EXPECT_FALSE(run.MenuItem(ID_SHOW_CREATED).checked);
    EXPECT_EQ(run.App().m_settings.m_bShowCreated, 0);
}

TEST_F(CommandUpdateTest, LinkageNeedsTwoWindowsOnDifferentFolders)
{
    ProgramRun run;
    EXPECT_FALSE(run.MenuItem(ID_LINKAGE).enabled);
    run.Command(ID_FILE_NEW);
    ASSERT_EQ(run.Children().size(), 2u);
    auto docOf = [&](std::size_t index) {
        return dynamic_cast<CEDoc*>(run.Children()[index]->GetActiveDocument());
    };
    docOf(0)->m_strCurPath = "C:\\a";
    docOf(1)->m_strCurPath = "C:\\a";
    EXPECT_FALSE(run.MenuItem(ID_LINKAGE).enabled);
    docOf(1)->m_strCurPath = "C:\\b";
    EXPECT_TRUE(run.MenuItem(ID_LINKAGE).enabled);
    run.Command(ID_LINKAGE);
    EXPECT_EQ(run.App().m_bLinkage, 1);
    EXPECT_TRUE(run.MenuItem(ID_LINKAGE).checked);
    EXPECT_EQ(docOf(0)->m_strBasePath, docOf(0)->m_strCurPath);
    EXPECT_EQ(docOf(1)->m_strBasePath, docOf(1)->m_strCurPath);
    // the computer itself is no folder to link: linkage switches itself off
    docOf(1)->m_strCurPath = run.App().m_settings.m_strMyComputerId;
    EXPECT_FALSE(run.MenuItem(ID_LINKAGE).enabled);
    EXPECT_EQ(run.App().m_bLinkage, 0);
}

TEST_F(CommandUpdateTest, CommandsWithoutAHandlerAreDisabledAndDoNotRun)
{
    ProgramRun run;
    EXPECT_FALSE(run.MenuItem(ID_COMPARE).enabled);
    EXPECT_FALSE(run.MenuItem(ID_EDIT_SELECT_ALL).enabled);  // the list has no rows
    EXPECT_TRUE(run.MenuItem(ID_HELP_README).enabled);
    EXPECT_TRUE(run.MenuItem(ID_APP_EXIT).enabled);
    EXPECT_TRUE(run.MenuItem(ID_FOLDER_UP).enabled);
    EXPECT_TRUE(run.MenuItem(ID_VIEW_TOOLBAR).checked);
    EXPECT_TRUE(run.MenuItem(ID_VIEW_STATUS_BAR).checked);
    // an empty registered-folder list shows its placeholder, disabled
    const auto placeholder = run.MenuItem(ID_FILE_MRU_FILE1);
    EXPECT_TRUE(placeholder.found);
    EXPECT_FALSE(placeholder.enabled);
}

TEST_F(CommandUpdateTest, ToolBarButtonsFollowTheSameRulesAtIdle)
{
    ProgramRun run;
    run.App().OnIdle(0);
    CToolBar& aggregate = *run.Frame().GetToolBar(1);
    EXPECT_TRUE(SendMessageW(aggregate.m_hWnd, TB_ISBUTTONCHECKED, ID_UNIT_KBYTES, 0));
    EXPECT_FALSE(SendMessageW(aggregate.m_hWnd, TB_ISBUTTONENABLED, ID_LINKAGE, 0));
    run.Command(ID_UNIT_GBYTES);
    run.App().OnIdle(0);
    EXPECT_FALSE(SendMessageW(aggregate.m_hWnd, TB_ISBUTTONCHECKED, ID_UNIT_KBYTES, 0));
    EXPECT_TRUE(SendMessageW(aggregate.m_hWnd, TB_ISBUTTONCHECKED, ID_UNIT_GBYTES, 0));
}

TEST_F(CommandUpdateTest, ToolBarAndStatusBarCommandsHideAndShowThem)
{
    ProgramRun run;
    run.Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(run.Frame().GetToolBar(0)->HasVisibleStyle());
    EXPECT_TRUE(run.Frame().GetToolBar(1)->HasVisibleStyle());
    EXPECT_FALSE(run.MenuItem(ID_VIEW_TOOLBAR).checked);
    run.Command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(run.Frame().GetStatusBarControl().HasVisibleStyle());
    run.Command(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(run.Frame().GetToolBar(0)->HasVisibleStyle());
}

TEST_F(CommandUpdateTest, AcceleratorsReachTheirCommands)
{
    ProgramRun run;
    HWND hTree = dynamic_cast<CChildFrame&>(*run.Children()[0]).GetLeftPane()->m_hWnd;
    // Ctrl+N as the message loop sees it, with the control key down
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG msg{hTree, WM_KEYDOWN, 'N', 0, 0, {}};
    EXPECT_TRUE(run.App().PreTranslateMessage(msg));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    ProgramRun::Pump();
    EXPECT_EQ(run.Children().size(), 2u);
}

namespace {

// A view without a window that counts the updates its document passes on.
class CountingView : public CView {
public:
    void OnUpdate(CView*, LPARAM lHint, CObject*) override { m_codes.push_back(static_cast<int>(lHint)); }
    std::vector<int> m_codes;

protected:
    const wchar_t* GetControlClass() const override { return L"STATIC"; }
    DWORD GetControlStyle() const override { return 0; }
};

}  // namespace

TEST_F(CommandUpdateTest, RefreshReachesEveryWindowOnceAndLinkageCodesStayInTheDocuments)
{
    ProgramRun run;
    run.Command(ID_FILE_NEW);
    run.Command(ID_FILE_NEW);
    ASSERT_EQ(run.Children().size(), 3u);
    std::vector<CountingView> views(3);
    std::vector<CEDoc*> docs;
    for (std::size_t index = 0; index < 3; ++index) {
        docs.push_back(dynamic_cast<CEDoc*>(run.Children()[index]->GetActiveDocument()));
        docs.back()->AddView(&views[index]);
    }
    run.Command(ID_REFRESH);
    for (const CountingView& view : views)
        EXPECT_EQ(view.m_codes, std::vector<int>{CEDoc::kHintRefresh});
    // the linkage codes are answered by the documents themselves
    docs[0]->m_strCurPath = "C:\\a";
    docs[1]->m_strCurPath = "C:\\b";
    docs[2]->m_strCurPath = "C:\\c";
    run.Command(ID_LINKAGE);
    CUpdateHint query;
    query.m_strPath = "C:\\b";
    run.App().UpdateAllDocuments(docs[0], CEDoc::kHintLinkageQuery, query);
    EXPECT_EQ(query.m_nParam2, 0);
    for (const CountingView& view : views)
        EXPECT_EQ(view.m_codes.size(), 1u);
    EXPECT_EQ(docs[2]->m_strBasePath, "C:\\c");
    run.Command(ID_LINKAGE);
    for (CEDoc* pDoc : docs)
        EXPECT_EQ(pDoc->m_strBasePath, "");
    for (std::size_t index = 0; index < 3; ++index)
        docs[index]->RemoveView(&views[index]);
}
