// The main frame's stacked tiling, its prompts and tooltips.
#include "GuiTestSupport.h"

using MainFrameTest = GuiTest;

TEST_F(MainFrameTest, TilingStacksTheWindowsFullWidthInTheirTopToBottomOrder)
{
    ProgramRun run;
    run.Command(ID_FILE_NEW);
    run.Command(ID_FILE_NEW);
    auto children = run.Children();
    ASSERT_EQ(children.size(), 3u);
    // top-to-bottom order: the active one, then the oldest, then the middle one
    MoveWindow(children[0]->m_hWnd, 10, 5, 200, 100, TRUE);
    MoveWindow(children[2]->m_hWnd, 50, 60, 200, 100, TRUE);
    MoveWindow(children[1]->m_hWnd, 90, 120, 200, 100, TRUE);
    run.Command(ID_WINDOW_TILE_HORZ);
    RECT client;
    GetClientRect(run.FrameWindow(), &client);
    const RECT first = NormalRect(children[0]->m_hWnd);
    const LONG height = first.bottom - first.top + 1;
    EXPECT_GT(height, 50);
    const CMDIChildWnd* order[] = {children[0], children[2], children[1]};
    for (LONG k = 0; k < 3; ++k) {
        const RECT rc = NormalRect(order[k]->m_hWnd);
        EXPECT_EQ(rc.left, 0) << k;
        EXPECT_EQ(rc.right, client.right - 4) << k;
        EXPECT_EQ(rc.top, height * k) << k;
        EXPECT_EQ(rc.bottom, height * (k + 1) - 1) << k;
    }
}

TEST_F(MainFrameTest, TilingLeavesMinimisedWindowsAsIcons)
{
    ProgramRun run;
    run.Command(ID_FILE_NEW);
    auto children = run.Children();
    ShowWindow(children[1]->m_hWnd, SW_MINIMIZE);
    run.Command(ID_WINDOW_TILE_HORZ);
    EXPECT_TRUE(IsIconic(children[1]->m_hWnd));
    const RECT alone = NormalRect(children[0]->m_hWnd);
    // the one window left takes the whole height that the system's tiling gives it
    SendMessageW(run.Frame().m_hWndMDIClient, WM_MDITILE, MDITILE_HORIZONTAL, 0);
    const RECT system = NormalRect(children[0]->m_hWnd);
    EXPECT_EQ(alone.top, 0);
    EXPECT_EQ(alone.bottom, system.bottom - system.top - 1);
    ShowWindow(children[0]->m_hWnd, SW_MINIMIZE);
    const RECT before = NormalRect(children[0]->m_hWnd);
    run.Command(ID_WINDOW_TILE_HORZ);
    const RECT after = NormalRect(children[0]->m_hWnd);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(MainFrameTest, MenuItemsAndButtonsShowTheirPromptsAndTips)
{
    ProgramRun run;
    CStatusBar& status = run.Frame().GetStatusBarControl();
    HMENU hMenu = GetMenu(run.FrameWindow());
    SendMessageW(run.FrameWindow(), WM_MENUSELECT, MAKEWPARAM(ID_SAVE_ALL, MF_STRING), reinterpret_cast<LPARAM>(hMenu));
    EXPECT_EQ(status.GetPaneText(0), L"すべてのｳｨﾝﾄﾞｳ、ﾂｰﾙﾊﾞｰ、登録ﾌｫﾙﾀﾞ、検索ﾀﾞｲｱﾛｸﾞの位置と大きさを保存します。");
    SendMessageW(run.FrameWindow(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(status.GetPaneText(0), L"ﾚﾃﾞｨ");

    NMTTDISPINFOW info{};
    info.hdr.idFrom = ID_AGGREGATE;
    info.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(run.FrameWindow(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, L"ﾌｫﾙﾀﾞ情報の集計表示/集計停止");
}
