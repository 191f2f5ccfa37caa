// Menu items enabled, checked and radio-marked by their update rules, and commands reaching them.
#include "GuiTestSupport.h"

#include "app/CAppSettings.h"

using CommandUpdateTest = GuiTest;

TEST_F(CommandUpdateTest, AFreshRunShowsEachItemEnabledAndMarkedByItsRule)
{
    struct Row {
        UINT id;
        bool enabled;
        bool checked;
        bool radio;  // the shape of the mark, looked at only when there is one
    };
    const Row rows[] = {
        {ID_UNIT_KBYTES, true, true, false},       {ID_UNIT_BYTES, true, false, false},
        {ID_KBYTE_1000, true, true, true},         {ID_KBYTE_1024, true, false, false},
        {ID_SORT_NAME, true, true, true},          {ID_FILESORT_FILES_FIRST, true, true, true},
        {ID_VIEW_TOOLBAR, true, true, false},      {ID_VIEW_STATUS_BAR, true, true, false},
        {ID_SHOW_MODIFIED, true, false, false},    {ID_SHOW_LASTREAD, true, false, false},
        {ID_SHOW_CREATED, true, false, false},     {ID_SHOW_FOLDERCOUNT, true, false, false},
        {ID_SHOW_FILECOUNT, true, false, false},   {ID_REAGGREGATE, true, false, false},
        {ID_REFRESH_ON_OPEN, true, false, false},  {ID_HELP_README, true, false, false},
        {ID_APP_EXIT, true, false, false},         {ID_FOLDER_UP, true, false, false},
        // commands without a handler, or with nothing to work on, are disabled
        {ID_COMPARE, false, false, false},         {ID_EDIT_SELECT_ALL, true, false, false},  // C:\ has rows
        {ID_FILE_MRU_FILE1, false, false, false},  // the placeholder of an empty registered-folder list
    };
    ProgramRun run;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        const ProgramRun::ItemState state = run.MenuItem(row.id);
        EXPECT_TRUE(state.found);
        EXPECT_EQ(state.enabled, row.enabled);
        EXPECT_EQ(state.checked, row.checked);
        EXPECT_EQ(state.checked && state.radio, row.checked && row.radio);
    }
}

TEST_F(CommandUpdateTest, EachCommandChangesItsSettingAndMovesTheMarks)
{
    // A setting as text.
    using SettingReader = std::string (*)(CEApp&);
    const SettingReader sizeUnit = [](CEApp& app) { return app.m_settings.m_format.m_strSizeUnit; };
    const SettingReader kByte = [](CEApp& app) { return std::to_string(app.m_settings.m_format.m_nKByte); };
    const SettingReader folderSort = [](CEApp& app) {  // the key, then the direction
        return std::to_string(app.m_nFolderSortKey) + "/" + std::to_string(g_nFolderSortDirection);
    };
    const SettingReader fileSort = [](CEApp&) { return ListFileSortMode; };
    const SettingReader showCreated = [](CEApp& app) { return std::to_string(app.m_settings.m_bShowCreated); };
    const SettingReader showFolderCount = [](CEApp& app) { return std::to_string(app.m_settings.m_bShowFolderCount); };
    const SettingReader reaggregate = [](CEApp& app) { return std::to_string(app.m_bReaggregate); };
    const SettingReader refreshOnOpen = [](CEApp& app) { return std::to_string(app.m_bRefreshOnOpen); };
    struct Step {
        UINT command;
        std::vector<UINT> checked;  // afterwards
        std::vector<UINT> unchecked;
        SettingReader setting;
        std::string value;
    };
    const std::string lastRead = std::to_string(kFolderSortByLastRead);
    const Step steps[] = {
        // choosing the checked unit again leaves none checked
        {ID_UNIT_KBYTES, {}, {ID_UNIT_BYTES, ID_UNIT_KBYTES, ID_UNIT_MBYTES, ID_UNIT_GBYTES}, sizeUnit, ""},
        {ID_UNIT_MBYTES, {ID_UNIT_MBYTES}, {}, sizeUnit, " MB"},
        {ID_KBYTE_1024, {ID_KBYTE_1024}, {ID_KBYTE_1000}, kByte, "1024"},
        // the direction by the rule of a run of sorts (FolderOrderTest)
        {ID_SORT_LASTREAD, {ID_SORT_LASTREAD}, {ID_SORT_NAME}, folderSort, lastRead + "/0"},
        {ID_FILESORT_VALUE_ONLY, {ID_FILESORT_VALUE_ONLY}, {ID_FILESORT_FILES_FIRST}, fileSort, "N"},
        // switches toggle
        {ID_SHOW_MODIFIED, {ID_SHOW_MODIFIED}, {}, nullptr, ""},
        {ID_SHOW_LASTREAD, {ID_SHOW_LASTREAD}, {}, nullptr, ""},
        {ID_SHOW_CREATED, {ID_SHOW_CREATED}, {}, showCreated, "1"},
        {ID_SHOW_FOLDERCOUNT, {ID_SHOW_FOLDERCOUNT}, {}, showFolderCount, "1"},
        {ID_SHOW_FILECOUNT, {ID_SHOW_FILECOUNT}, {}, nullptr, ""},
        {ID_REAGGREGATE, {ID_REAGGREGATE}, {}, reaggregate, "1"},
        {ID_REFRESH_ON_OPEN, {ID_REFRESH_ON_OPEN}, {}, refreshOnOpen, "1"},
        {ID_SHOW_CREATED, {}, {ID_SHOW_CREATED}, showCreated, "0"},
    };
    ProgramRun run;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        run.Command(step.command);
        EXPECT_EQ(step.setting ? step.setting(run.App()) : "", step.value);
        for (UINT id : step.checked)
            EXPECT_TRUE(run.MenuItem(id).checked) << id;
        for (UINT id : step.unchecked)
            EXPECT_FALSE(run.MenuItem(id).checked) << id;
    }
}

TEST_F(CommandUpdateTest, LinkageNeedsTwoWindowsOnDifferentFolders)
{
    ProgramRun run;
    EXPECT_FALSE(run.MenuItem(ID_LINKAGE).enabled);
    run.Command(ID_FILE_NEW);
    ASSERT_EQ(run.Children().size(), 2u);
    auto docOf = [&](std::size_t index) { return &DocOf(run.Children()[index]); };
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
    docOf(1)->m_strCurPath = run.App().m_settings.m_keys.m_strMyComputerId;
    EXPECT_FALSE(run.MenuItem(ID_LINKAGE).enabled);
    EXPECT_EQ(run.App().m_bLinkage, 0);
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
    HWND hTree = run.Tree().m_hWnd;
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

TEST_F(CommandUpdateTest, RefreshReachesEveryWindowOnceAndLinkageCodesStayInTheDocuments)
{
    ProgramRun run;
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
    // the linkage codes are answered by the documents themselves
    docs[0]->m_strCurPath = "C:\\a";
    docs[1]->m_strCurPath = "C:\\b";
    docs[2]->m_strCurPath = "C:\\c";
    run.Command(ID_LINKAGE);
    CUpdateHint query;
    query.m_strPath = "C:\\b";
    run.App().UpdateAllDocuments(docs[0], kHintLinkageQuery, query);
    EXPECT_EQ(query.m_nParam2, 0);
    for (const RecordingView& view : views)
        EXPECT_EQ(view.m_hints.size(), 1u);
    EXPECT_EQ(docs[2]->m_strBasePath, "C:\\c");
    run.Command(ID_LINKAGE);
    for (CEDoc* pDoc : docs)
        EXPECT_EQ(pDoc->m_strBasePath, "");
    for (std::size_t index = 0; index < 3; ++index)
        docs[index]->RemoveView(&views[index]);
}
