// Start-up of the program: the windows it creates, what it restores, and damaged store files.
#include "GuiTestSupport.h"

#include "app/CAppSettings.h"
#include "fw/CToolBar.h"

namespace {

std::wstring ToolBarLabel(CToolBar& toolBar, int index)
{
    TBBUTTON button{};
    SendMessageW(toolBar.m_hWnd, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
    wchar_t text[64] = {};
    SendMessageW(toolBar.m_hWnd, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand),
                 reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

using StartupTest = GuiTest;

TEST_F(StartupTest, FreshStartShowsOneSplitChildUnderTheMenuOfDocumentsTheToolBarsAndTheStatusBar)
{
    ProgramRun run;
    ASSERT_TRUE(run.Started());
    ASSERT_EQ(run.Children().size(), 1u);
    // the list's title: the start folder, its objects and the free space
    EXPECT_EQ(run.Frame().GetWindowText().rfind(L"フォルダ ZQ - C:\\ ： ", 0), 0u);
    auto& frame = dynamic_cast<CChildFrame&>(*run.Children()[0]);
    EXPECT_NE(frame.GetLeftPane(), nullptr);
    EXPECT_NE(frame.GetRightPane(), nullptr);
    EXPECT_EQ(WidthOf(frame.GetLeftPane()->m_hWnd), 200);
    // the menu of documents, not the three popups of the menu without a child window
    EXPECT_EQ(GetMenuItemCount(GetMenu(run.FrameWindow())), 10);

    // the tool bars with their labels, the status bar with its panes
    CMainFrame& main = run.Frame();
    EXPECT_EQ(main.GetToolBar(4), nullptr);
    const int counts[] = {7, 15, 8, 2, 0, 3, 6};
    for (int slot = 0; slot < CMainFrame::kToolBarSlots; ++slot) {
        if (slot == 4)
            continue;
        ASSERT_NE(main.GetToolBar(slot), nullptr) << slot;
        EXPECT_EQ(main.GetToolBar(slot)->GetButtonCount(), counts[slot]) << slot;
    }
    EXPECT_EQ(ToolBarLabel(*main.GetToolBar(0), 0), L"ｳｨﾝﾄﾞ");
    EXPECT_EQ(ToolBarLabel(*main.GetToolBar(1), 14), L"ｷﾞｶﾞ");
    EXPECT_EQ(ToolBarLabel(*main.GetToolBar(5), 2), L"無関");
    EXPECT_EQ(main.GetToolBar(5)->GetCaption(), L"ファイルの整列");
    CStatusBar& status = main.GetStatusBarControl();
    EXPECT_EQ(SendMessageW(status.m_hWnd, SB_GETPARTS, 0, 0), 5);
    EXPECT_EQ(status.GetPaneText(0), L"ﾚﾃﾞｨ");
}

TEST_F(StartupTest, ChildCountDecidesHowManyWindowsComeBack)
{
    {
        // saved without a child window: a count of zero
        ProgramRun run;
        SendMessageW(run.Children()[0]->m_hWnd, WM_CLOSE, 0, 0);
        ProgramRun::Pump();
        ASSERT_TRUE(run.Children().empty());
        run.Command(ID_SAVE_CHILDREN);
        EXPECT_EQ(m_folder.ReadStore("Child Wind "), std::string(4, '\0'));
    }
    {
        ProgramRun run;
        ASSERT_TRUE(run.Started());
        EXPECT_EQ(run.Children().size(), 0u);
        // without a child the frame shows the menu of no document
        EXPECT_EQ(GetMenuItemCount(GetMenu(run.FrameWindow())), 3);
    }
    // a count with no records behind it: windows at the default places
    m_folder.WriteStore("Child Wind ", std::string("\3\0\0\0", 4));
    {
        ProgramRun run;
        EXPECT_EQ(run.Children().size(), 3u);
    }
    // no count at all, as a missing file: the one default window
    for (const std::string& damaged : {std::string(), std::string("\3\0", 2)}) {
        m_folder.WriteStore("Child Wind ", damaged);
        ProgramRun run;
        EXPECT_EQ(run.Children().size(), 1u) << damaged.size();
    }
}

TEST_F(StartupTest, TruncatedStoreFilesDoNotStopStartUp)
{
    m_folder.WriteStore("Child Wind ", std::string("\2\0\0\0", 4) + std::string(30, '\0'));
    m_folder.WriteStore("Mn", std::string("\x2c\0\0\0\0\0", 6));
    m_folder.WriteStore("Tool Bar", std::string(20, '\x01'));
    ProgramRun run;
    ASSERT_TRUE(run.Started());
    EXPECT_EQ(run.Children().size(), 2u);
    EXPECT_EQ(run.App().m_settings.m_format.m_nKByte, 1000);
    EXPECT_EQ(run.App().m_settings.m_format.m_strSizeUnit, " KB");
}

TEST_F(StartupTest, CommandLineFileOpensAsTheDocumentOfEachRestoredWindowAndAnUnreadableOneEndsStartUp)
{
    // the document file holds the search dialog's rectangle, 16 bytes
    std::ofstream("doc.zq", std::ios::binary) << std::string(16, '\0');
    m_folder.WriteStore("Child Wind ", std::string("\2\0\0\0", 4));
    ProgramRun run(L"doc.zq");
    ASSERT_TRUE(run.Started());
    ASSERT_EQ(run.Children().size(), 2u);
    // the list titles the window with its folder, whatever file the document came from
    EXPECT_EQ(run.Children()[0]->GetWindowText().rfind(L"C:\\ ： ", 0), 0u);
    run.End();
    EXPECT_FALSE(ProgramRun(L"missing.zq").Started());  // a file that cannot be read ends start-up
}

TEST_F(StartupTest, AnyStoredSelectionEndsItsSearchForTheNearestShownFolder)
{
    std::string frameRecord;
    {
        ProgramRun run;
        run.Command(ID_SAVE_CHILDREN);
        frameRecord = m_folder.ReadStore("Child Wind ").substr(4, 60);  // the count, then the frame's record
    }
    const auto piece = [](const std::string& selection) {
        // the tree's piece: the selection as an archive string, then no open folders
        const std::string length = selection.size() < 255 ? std::string(1, static_cast<char>(selection.size()))
                                                           : std::string("\xFF\x40\x9C", 3);  // 40,000
        return length + selection + std::string(4, '\0');
    };
    const std::string selections[] = {"", "\\", "C:", "::", "rel\\x", "C:\\" + std::string(39997, 'a'),
                                      "\x81\x20\xFF\\\x82"};
    for (const std::string& selection : selections) {
        SCOPED_TRACE(selection.substr(0, 12));
        m_folder.WriteStore("Child Wind ", std::string("\1\0\0\0", 4) + frameRecord + piece(selection));
        AnsweringPlatform answers;
        ProgramRun run;
        ASSERT_TRUE(run.Started());
        EXPECT_EQ(run.Children().size(), 1u);
        EXPECT_LE(answers.m_texts.size(), 2u);  // at most a "not found" for the path and its parent
    }
}
