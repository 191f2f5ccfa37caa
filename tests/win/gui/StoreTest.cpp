// The save commands, exit and restart: what the store files hold and what comes back.
#include "GuiTestSupport.h"

#include "CPlatform.h"
#include "app/CAppSettings.h"

#include <cstring>

namespace {

int32_t IntAt(const std::string& bytes, std::size_t offset)
{
    int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// The tree's piece of a fresh window's record: the selected folder "C:\" (a length byte and three
// bytes), the count of open folders, and the one open folder, "C:\", with its item state.
constexpr std::intmax_t kFreshTreePiece = 4 + 4 + 4 + 4;
// ten columns: each caption (its code page 932 bytes and their count), sub-item, order and width
constexpr std::intmax_t kListPiece = (10 + 4 + 4 + 4 + 9 + 11 + 9 + 11 + 4 + 11 + 9) + 10 * 12;

}  // namespace

using StoreTest = GuiTest;

// The main frame's and the toolbars' records are the same whatever the windows hold (their layout
// is the store record tests'); a child window's holds what its panes write.
TEST_F(StoreTest, SaveAllWritesARecordForEachWindowAndNoneForADialogNeverShown)
{
    ProgramRun run;
    run.Command(ID_FILE_NEW);
    run.Command(ID_SAVE_ALL);
    EXPECT_EQ(m_folder.StoreSize("Child Wind "), 4 + 2 * (60 + kFreshTreePiece + kListPiece));
    EXPECT_EQ(IntAt(m_folder.ReadStore("Child Wind "), 0), 2);
    EXPECT_EQ(m_folder.StoreSize("Dilog Find"), -1);
}

TEST_F(StoreTest, SettingsWindowsTreeWidthColumnsAndTheSearchDialogComeBackAfterARestart)
{
    std::vector<RECT> placements;
    const RECT mainFrame{40, 30, 900, 700};
    {
        ProgramRun run;
        MoveWindow(run.FrameWindow(), mainFrame.left, mainFrame.top, mainFrame.right - mainFrame.left,
                   mainFrame.bottom - mainFrame.top, TRUE);
        run.Command(ID_FILE_NEW);
        run.Command(ID_FILE_NEW);
        run.Command(ID_UNIT_MBYTES);
        run.Command(ID_KBYTE_1024);
        run.Command(ID_FILESORT_FOLDERS_FIRST);
        run.Command(ID_SORT_SIZE);
        run.Command(ID_SHOW_FILECOUNT);
        auto children = run.Children();
        MoveWindow(children[1]->m_hWnd, 30, 40, 500, 300, TRUE);
        dynamic_cast<CChildFrame&>(*children[0]).GetSplitter().SetColumnWidth(0, 350);
        const HWND hList = ListOf(children[0]).m_hWnd;
        ListView_SetColumnWidth(hList, 3, 123);
        int order[10] = {1, 0, 2, 3, 4, 5, 6, 7, 8, 9};
        ListView_SetColumnOrderArray(hList, 10, order);
        run.Command(ID_SHOW_SEARCH);
        MoveWindow(run.App().m_pSearchDlg->m_hWnd, 100, 120, 300, 200, TRUE);
        // the order of saving puts the active window last
        std::rotate(children.begin(), children.begin() + 1, children.end());
        for (CMDIChildWnd* pChild : children)
            placements.push_back(NormalRect(pChild->m_hWnd));
        run.Command(ID_SAVE_ALL);
    }
    const std::string childRecords = m_folder.ReadStore("Child Wind ");
    const std::string toolBars = m_folder.ReadStore("Tool Bar");
    ProgramRun run;
    const RECT frame = NormalRect(run.FrameWindow());
    EXPECT_TRUE(EqualRect(&frame, &mainFrame));
    CEApp& app = run.App();
    EXPECT_EQ(app.m_settings.m_format.m_strSizeUnit, " MB");
    EXPECT_EQ(app.m_settings.m_format.m_nKByte, 1024);
    EXPECT_EQ(ListFileSortMode, "T");
    EXPECT_EQ(app.m_nFolderSortKey, kFolderSortBySize);
    EXPECT_EQ(app.m_settings.m_bShowFileCount, 1);
    auto children = run.Children();
    ASSERT_EQ(children.size(), 3u);
    // restored one after another in the order saved: the last one restored is in front
    std::reverse(children.begin(), children.end());
    for (std::size_t index = 0; index < children.size(); ++index) {
        const RECT rc = NormalRect(children[index]->m_hWnd);
        EXPECT_TRUE(EqualRect(&rc, &placements[index])) << index;
    }
    // the active window was the one with the wide tree and the changed columns, and it was restored last
    EXPECT_EQ(WidthOf(TreeOf(run.Frame().MDIGetActive()).m_hWnd), 350);
    const HWND hList = ListOf(run.Frame().MDIGetActive()).m_hWnd;
    EXPECT_EQ(ListView_GetColumnWidth(hList, 3), 123);
    EXPECT_EQ(ListView_GetColumnWidth(hList, 0), 110);
    int order[10] = {};
    ListView_GetColumnOrderArray(hList, 10, order);
    EXPECT_EQ((std::pair{order[0], order[1]}), (std::pair{1, 0}));
    run.Command(ID_SHOW_SEARCH);
    RECT dialog;
    GetWindowRect(run.App().m_pSearchDlg->m_hWnd, &dialog);
    EXPECT_EQ((std::pair{dialog.left, dialog.top}), (std::pair{100L, 120L}));
    // a new window inherits the width of the last record read
    run.Command(ID_FILE_NEW);
    CMDIChildWnd* pFresh = run.Frame().MDIGetActive();
    EXPECT_EQ(WidthOf(TreeOf(pFresh).m_hWnd), 350);
    SendMessageW(pFresh->m_hWnd, WM_CLOSE, 0, 0);
    ProgramRun::Pump();
    run.Command(ID_SAVE_ALL);
    EXPECT_EQ(m_folder.ReadStore("Child Wind ").size(), childRecords.size());
    EXPECT_EQ(m_folder.ReadStore("Tool Bar"), toolBars);
}

TEST_F(StoreTest, ExitSavesAndTheCloseBoxDoesNot)
{
    {
        ProgramRun run;
        run.Command(ID_KBYTE_1024);
        PostMessageW(run.FrameWindow(), WM_CLOSE, 0, 0);
        EXPECT_EQ(run.App().Run(), 0);
    }
    EXPECT_EQ(m_folder.StoreSize("Mn"), -1);
    {
        ProgramRun run;
        EXPECT_EQ(run.App().m_settings.m_format.m_nKByte, 1000);
        run.Command(ID_KBYTE_1024);
        PostMessageW(run.FrameWindow(), WM_COMMAND, ID_APP_EXIT, 0);
        EXPECT_EQ(run.App().Run(), 0);
    }
    ProgramRun run;
    EXPECT_EQ(run.App().m_settings.m_format.m_nKByte, 1024);
}

TEST_F(StoreTest, RegisteredFoldersAreTheWindowsFoldersSortedAndKeptInTheRegistry)
{
    {
        ProgramRun run;
        run.Command(ID_FILE_NEW);
        auto children = run.Children();
        DocOf(children[0]).m_strCurPath = "C:\\b";
        DocOf(children[1]).m_strCurPath = "C:\\a";
        run.Command(ID_REGISTER_FOLDERS);
        ASSERT_EQ(run.App().GetRecentFileList()->m_folders.GetCount(), 2u);
        EXPECT_TRUE(run.MenuItem(ID_FILE_MRU_FILE1).enabled);
        EXPECT_TRUE(run.MenuItem(ID_FILE_MRU_FILE1 + 1).enabled);
        wchar_t text[64] = {};
        GetMenuStringW(GetMenu(run.FrameWindow()), ID_FILE_MRU_FILE1 + 1, text, 64, MF_BYCOMMAND);
        EXPECT_STREQ(text, L"&2 C:\\b");  // sorted
        PostMessageW(run.FrameWindow(), WM_CLOSE, 0, 0);
        run.App().Run();
    }
    ProgramRun run;
    EXPECT_EQ(run.App().GetRecentFileList()->m_folders.GetCount(), 2u);
    // Cancel on an entry takes it off the list
    m_platform.m_answers = {kIdCancel};
    run.Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ(run.App().GetRecentFileList()->m_folders.GetAt(0), "C:\\b");
}
