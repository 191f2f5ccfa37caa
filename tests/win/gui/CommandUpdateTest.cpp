// Menu items enabled, checked and radio-marked by their update rules, and commands reaching them.
#include "GuiTestSupport.h"

#include "app/CAppSettings.h"

using CommandUpdateTest = GuiTest;

TEST_F(CommandUpdateTest, AFreshRunShowsEachItemEnabledAndMarkedByItsRuleAndEachCommandMovesTheMarks)
{
    const struct {
        std::vector<UINT> ids;
        bool enabled;
        bool checked;
        bool radio;  // the shape of the mark
    } groups[] = {
        {{ID_KBYTE_1000, ID_SORT_NAME, ID_FILESORT_FILES_FIRST}, true, true, true},
        {{ID_UNIT_KBYTES, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}, true, true, false},
        {{ID_UNIT_BYTES, ID_KBYTE_1024, ID_SHOW_MODIFIED, ID_SHOW_LASTREAD, ID_SHOW_CREATED, ID_SHOW_FOLDERCOUNT,
          ID_SHOW_FILECOUNT, ID_REAGGREGATE, ID_REFRESH_ON_OPEN, ID_HELP_README, ID_APP_EXIT, ID_FOLDER_UP,
          ID_EDIT_SELECT_ALL},  // C:\ has rows to select
         true, false, false},
        // nothing to work on: no second window, and the placeholder of an empty registered-folder list
        {{ID_COMPARE, ID_FILE_MRU_FILE1}, false, false, false},
    };
    ProgramRun run;
    for (const auto& group : groups) {
        for (const UINT id : group.ids) {
            const ProgramRun::ItemState state = run.MenuItem(id);
            EXPECT_TRUE(state.found) << id;
            EXPECT_EQ(state.enabled, group.enabled) << id;
            EXPECT_EQ(state.checked, group.checked) << id;
            EXPECT_EQ(state.checked && state.radio, group.radio) << id;
        }
    }

    // Each command then moves the marks; what each setting does is the business of the tests of
    // the list, the tree and the store.
    const struct {
        UINT command;
        std::vector<UINT> checked;  // afterwards
        std::vector<UINT> unchecked;
    } steps[] = {
        // choosing the checked unit again leaves none checked
        {ID_UNIT_KBYTES, {}, {ID_UNIT_BYTES, ID_UNIT_KBYTES, ID_UNIT_MBYTES, ID_UNIT_GBYTES}},
        {ID_UNIT_MBYTES, {ID_UNIT_MBYTES}, {}},
        {ID_KBYTE_1024, {ID_KBYTE_1024}, {ID_KBYTE_1000}},
        {ID_SORT_LASTREAD, {ID_SORT_LASTREAD}, {ID_SORT_NAME}},
        {ID_FILESORT_VALUE_ONLY, {ID_FILESORT_VALUE_ONLY}, {ID_FILESORT_FILES_FIRST}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.command);
        run.Command(step.command);
        for (UINT id : step.checked)
            EXPECT_TRUE(run.MenuItem(id).checked) << id;
        for (UINT id : step.unchecked)
            EXPECT_FALSE(run.MenuItem(id).checked) << id;
    }
    // switches toggle
    for (const UINT id : {ID_SHOW_MODIFIED, ID_SHOW_LASTREAD, ID_SHOW_CREATED, ID_SHOW_FOLDERCOUNT, ID_SHOW_FILECOUNT,
                          ID_REAGGREGATE, ID_REFRESH_ON_OPEN}) {
        run.Command(id);
        EXPECT_TRUE(run.MenuItem(id).checked) << id;
        run.Command(id);
        EXPECT_FALSE(run.MenuItem(id).checked) << id;
    }
}

TEST_F(CommandUpdateTest, ToolBarButtonsFollowTheSameRulesAtIdleTheViewCommandsHideAndShowTheBarsAndKeysReachCommands)
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

    run.Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(run.Frame().GetToolBar(0)->HasVisibleStyle());
    EXPECT_TRUE(run.Frame().GetToolBar(1)->HasVisibleStyle());
    EXPECT_FALSE(run.MenuItem(ID_VIEW_TOOLBAR).checked);
    run.Command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(run.Frame().GetStatusBarControl().HasVisibleStyle());
    run.Command(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(run.Frame().GetToolBar(0)->HasVisibleStyle());

    // An accelerator reaches its command: Ctrl+N as the message loop sees it, the control key down.
    HWND hTree = run.Tree().m_hWnd;
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

TEST_F(CommandUpdateTest, RefreshReachesEveryWindowOnceAndLinkageNeedsTwoWindowsOnDifferentFolders)
{
    ProgramRun run;
    EXPECT_FALSE(run.MenuItem(ID_LINKAGE).enabled);
    run.Command(ID_FILE_NEW);
    run.Command(ID_FILE_NEW);
    ASSERT_EQ(run.Children().size(), 3u);
    std::vector<RecordingView> views(3);
    std::vector<CEDoc*> docs;
    for (std::size_t index = 0; index < 3; ++index) {
        docs.push_back(&DocOf(run.Children()[index]));
        docs.back()->AddView(&views[index]);
    }
    run.Command(ID_REFRESH);
    for (const RecordingView& view : views)
        EXPECT_EQ(view.m_hints, std::vector<int>{kHintRefresh});
    for (CEDoc* pDoc : docs)
        pDoc->m_strCurPath = "C:\\a";
    EXPECT_FALSE(run.MenuItem(ID_LINKAGE).enabled);
    docs[1]->m_strCurPath = "C:\\b";
    docs[2]->m_strCurPath = "C:\\c";
    EXPECT_TRUE(run.MenuItem(ID_LINKAGE).enabled);
    run.Command(ID_LINKAGE);
    EXPECT_EQ(run.App().m_bLinkage, 1);
    EXPECT_TRUE(run.MenuItem(ID_LINKAGE).checked);
    for (CEDoc* pDoc : docs)
        EXPECT_EQ(pDoc->m_strBasePath, pDoc->m_strCurPath);
    // the linkage codes are answered by the documents themselves
    CUpdateHint query;
    query.m_strPath = "C:\\b";
    run.App().UpdateAllDocuments(docs[0], kHintLinkageQuery, query);
    EXPECT_EQ(query.m_nParam2, 0);
    for (const RecordingView& view : views)
        EXPECT_EQ(view.m_hints.size(), 1u);
    run.Command(ID_LINKAGE);
    for (CEDoc* pDoc : docs)
        EXPECT_EQ(pDoc->m_strBasePath, "");
    // the computer itself is no folder to link: linkage switches itself off
    run.Command(ID_LINKAGE);
    DocOf(run.Frame().MDIGetActive()).m_strCurPath = run.App().m_settings.m_keys.m_strMyComputerId;
    EXPECT_FALSE(run.MenuItem(ID_LINKAGE).enabled);
    EXPECT_EQ(run.App().m_bLinkage, 0);
    for (std::size_t index = 0; index < 3; ++index)
        docs[index]->RemoveView(&views[index]);
}
