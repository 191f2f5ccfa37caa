// The file list pane as a user meets it: cells, header clicks, the caption, the saved layout, opening.
#include <cstdlib>
#include <filesystem>

#include "GuiTestSupport.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "listpane/CEView.h"
#include "listpane/CFileItem.h"

namespace {

namespace fs = std::filesystem;

class ListPaneTest : public GuiTest {
protected:
    // list\: README.TXT (1,500 bytes, read-only, modified 2020/01/02 03:04), big.iso (5 GiB),
    // noext (empty), Sub\ (one file of 2,000 bytes), Other\ (empty).
    std::string MakeFolder()
    {
        const fs::path root = fs::current_path() / "list";
        WriteFile(root / "README.TXT", 1500);
        SetModified(root / "README.TXT", 2020, 1, 2, 3, 4);
        SetFileAttributesW((root / "README.TXT").wstring().c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
        WriteLongFile(root / "big.iso", 5LL << 30);
        WriteFile(root / "noext", 0);
        WriteFile(root / "Sub" / "inner.bin", 2000);
        fs::create_directories(root / "Other");
        return KeyOf(root);
    }
    static std::vector<std::string> Cells(CEView& list, const std::string& name)
    {
        std::vector<std::string> cells;
        const int row = RowOf(list, name);
        for (int column = 0; column < 10 && row >= 0; ++column)
            cells.push_back(FromWide(list.GetCellText(row, column)));
        return cells;
    }
    static std::string Names(CEView& list)
    {
        std::string names;
        for (int row = 0; row < list.GetRowCount(); ++row)
            names += (row ? " " : "") + FromWide(list.GetCellText(row, 0));
        return names;
    }
};

}  // namespace

TEST_F(ListPaneTest, EveryCellShowsTheEntryAndFolderRowsShowTotalsOnceAggregated)
{
    const std::string key = MakeFolder();
    ProgramRun run;
    CLeftView& tree = run.Tree();
    ASSERT_TRUE(Show(tree, key + "\\Sub"));
    run.Command(ID_AGGREGATE);
    ASSERT_TRUE(Show(tree, key));
    CEView& list = ListOf(run.Children()[0]);

    using Row = std::vector<std::string>;
    EXPECT_EQ(Cells(list, "Readme.txt"), (Row{"Readme.txt", "txt", "", "2 KB", "20/01/02 03:04",
                                              Cells(list, "Readme.txt")[5], Cells(list, "Readme.txt")[6], "RA", "",
                                              ""}));
    EXPECT_EQ(Cells(list, "big.iso")[3], "5,368,710 KB");
    EXPECT_EQ(Cells(list, "noext")[1], "ﾌｧｲﾙ");
    EXPECT_EQ(Cells(list, "noext")[3], "0 KB");
    const Row sub = Cells(list, "Sub");
    EXPECT_EQ((Row{sub[1], sub[3], sub[8], sub[9]}), (Row{"ﾌｫﾙﾀﾞ", "2 KB", "0", "1"}));
    const Row other = Cells(list, "Other");  // never aggregated: no size, no counts, its own dates
    EXPECT_EQ((Row{other[3], other[8], other[9]}), (Row{"", "", ""}));
    EXPECT_NE(other[4], "");
    // The caption counts the rows and sums their 64-bit sizes.
    const std::string caption = TextOf(run.Children()[0]->m_hWnd);
    EXPECT_EQ(caption.rfind(key + " ： 5 個のｵﾌﾞｼﾞｪｸﾄ 5,368,713 KB (空きﾃﾞｨｽｸ領域 ", 0), 0u) << caption;

    // A unit chosen applies to the next filling, with the kilobyte base in force.
    run.Command(ID_UNIT_MBYTES);
    run.App().m_settings.m_format.m_nKByte = 1024;
    run.Command(ID_REFRESH);
    Settle();
    EXPECT_EQ(Cells(list, "big.iso")[3], "5,120 MB");
}

TEST_F(ListPaneTest, HeaderClicksSortAsTheGroupingModeSays)
{
    const std::string key = MakeFolder();
    ProgramRun run;
    ASSERT_TRUE(Show(run.Tree(), key));
    CEView& list = ListOf(run.Children()[0]);
    EXPECT_EQ(Names(list), "Other Sub big.iso noext Readme.txt");  // by name, folders first

    ClickHeader(list, 3);  // the first click of the run reverses: descending, files first
    EXPECT_EQ(Names(list).rfind("big.iso Readme.txt noext ", 0), 0u) << Names(list);
    ClickHeader(list, 3);
    EXPECT_EQ(Names(list).substr(Names(list).find("noext")), "noext Readme.txt big.iso") << Names(list);
    ClickHeader(list, 0);  // another column starts ascending
    EXPECT_EQ(Names(list), "Other Sub big.iso noext Readme.txt");

    run.Command(ID_FILESORT_FOLDERS_FIRST);
    ClickHeader(list, 0);
    EXPECT_EQ(Names(list), "Sub Other Readme.txt noext big.iso");
    run.Command(ID_FILESORT_VALUE_ONLY);
    ClickHeader(list, 0);
    EXPECT_EQ(Names(list), "big.iso noext Other Readme.txt Sub");
}

TEST_F(ListPaneTest, TheCaptionFollowsTheSelectionAndShowsWhyAFolderCouldNotBeListed)
{
    const std::string key = MakeFolder();
    fs::create_directories("list/empty");
    ProgramRun run;
    CLeftView& tree = run.Tree();
    ASSERT_TRUE(Show(tree, key));
    CMDIChildWnd* pChild = run.Children()[0];
    CEView& list = ListOf(pChild);
    const auto caption = [&] { return TextOf(pChild->m_hWnd); };

    SelectRows(list, {"Readme.txt", "noext"});
    EXPECT_EQ(caption().rfind(key + " ： 2 個のｵﾌﾞｼﾞｪｸﾄ 1. 50 KB (空きﾃﾞｨｽｸ領域 ", 0), 0u) << caption();

    ASSERT_TRUE(Show(tree, key + "\\empty"));
    EXPECT_EQ(caption().rfind(key + "\\empty ： 0 個のｵﾌﾞｼﾞｪｸﾄ 0 KB (空きﾃﾞｨｽｸ領域 ", 0), 0u)
        << caption();

    ASSERT_TRUE(Show(tree, run.App().m_settings.m_keys.m_strMyComputerId));
    EXPECT_TRUE(caption().starts_with("ﾏｲ ｺﾝﾋﾟｭｰﾀ, ： ")) << caption();
    EXPECT_TRUE(caption().ends_with(" 個のｵﾌﾞｼﾞｪｸﾄ ")) << caption();
    const int drive = 0;
    ASSERT_GT(list.GetRowCount(), drive);
    EXPECT_EQ(FromWide(list.GetCellText(drive, 1)), "ﾌｫﾙﾀﾞ");
    EXPECT_NE(FromWide(list.GetCellText(drive, 0)).find(":)"), std::string::npos);
    EXPECT_EQ(ListView_EditLabel(list.m_hWnd, drive), nullptr);  // a drive keeps its name

    // A right click has no menu to offer yet.
    RECT rc{};
    ListView_GetItemRect(list.m_hWnd, drive, &rc, LVIR_LABEL);
    const LPARAM at = MAKELPARAM(rc.left + 5, (rc.top + rc.bottom) / 2);
    PostMessageW(list.m_hWnd, WM_RBUTTONUP, 0, at);  // ends the wait for a drag the button starts
    SendMessageW(list.m_hWnd, WM_RBUTTONDOWN, MK_RBUTTON, at);
    ProgramRun::Pump();
    EXPECT_EQ(m_platform.m_texts, std::vector<std::string>{"dummy"});

    // The folder shown went away: the caption says why nothing is listed.
    ASSERT_TRUE(Show(tree, key + "\\Other"));
    fs::remove("list/Other");
    CUpdateHint hint;
    DocOf(pChild).UpdateAllViews(nullptr, kHintRefresh, &hint);
    EXPECT_EQ(list.GetRowCount(), 0);
    EXPECT_EQ(caption().find("個のｵﾌﾞｼﾞｪｸﾄ"), std::string::npos) << caption();
    EXPECT_EQ(caption().find("(空きﾃﾞｨｽｸ領域 "), caption().rfind("(")) << caption();
}

TEST_F(ListPaneTest, ANewSelectionStopsALongFillingAndTheListFollowsIt)
{
    const fs::path many = fs::current_path() / "many";
    for (int i = 0; i < 1000; ++i)
        WriteFile(many / ("f" + std::to_string(i)), 1);
    const std::string key = MakeFolder();
    ProgramRun run;
    CLeftView& tree = run.Tree();
    ASSERT_TRUE(Show(tree, key));
    CEView& list = ListOf(run.Children()[0]);
    int rowsWhenStopped = -1;
    // The user picks another folder while the long listing lets messages through.
    m_platform.m_onPump = [&]() {
        if (rowsWhenStopped < 0 && list.GetRowCount() >= 200 && DocOf(run.Children()[0]).m_strCurPath == KeyOf(many)) {
            rowsWhenStopped = list.GetRowCount();
            tree.SelectPath(key);
        }
    };
    Show(tree, KeyOf(many));
    m_platform.m_onPump = nullptr;
    Settle();
    EXPECT_EQ(rowsWhenStopped, 200);
    EXPECT_EQ(tree.GetCurrentFolder(), key);
    EXPECT_EQ(list.GetRowCount(), 5);
}

TEST_F(ListPaneTest, DoubleClickAndEnterOpenFoldersInTheTreeAndFilesThroughTheShellWhateverTheirNames)
{
    const std::string key = MakeFolder();
    const fs::path world = fs::current_path() / "world";
    const std::vector<std::string> names = {"café.txt", "cafè.txt", "한국어.txt", "😀.txt"};
    for (const std::string& name : names)
        WriteFile(world / fs::u8path(name), 10);
    ProgramRun run;
    CLeftView& tree = run.Tree();
    ASSERT_TRUE(Show(tree, key));
    CEView& list = ListOf(run.Children()[0]);

    RECT rc{};
    ListView_GetItemRect(list.m_hWnd, RowOf(list, "Sub"), &rc, LVIR_LABEL);
    SendMessageW(list.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rc.left + 5, (rc.top + rc.bottom) / 2));
    Settle();
    EXPECT_EQ(tree.GetCurrentFolder(), key + "\\Sub");
    EXPECT_EQ(Names(list), "inner.bin");

    ASSERT_TRUE(Show(tree, key));
    run.Command(ID_FILESORT_VALUE_ONLY);  // by name alone, so that a file is above a folder
    list.SortByColumn(0);
    SelectRows(list, {"Readme.txt", "Sub"});
    PressKey(list.m_hWnd, VK_RETURN);
    Settle();
    EXPECT_EQ(m_platform.m_opened, std::vector<std::string>{key + "\\README.TXT"});
    EXPECT_EQ(tree.GetCurrentFolder(), key + "\\Sub");

    // Names outside code page 932 are shown and opened as they are.
    ASSERT_TRUE(Show(tree, KeyOf(world)));
    for (const std::string& name : names) {
        SelectRows(list, {name});
        SendMessageW(list.m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(m_platform.m_opened.back(), KeyOf(world) + "\\" + name);
    }
}

TEST_F(ListPaneTest, EveryCaptionAndWindowMenuEntryShowsTheListsTitle)
{
    ProgramRun run;
    run.Command(ID_FILE_NEW);
    Settle();
    const std::vector<CMDIChildWnd*> children = run.Children();
    ASSERT_EQ(children.size(), 2u);
    HMENU hWindowMenu = ProgramRun::FindPopup(GetMenu(run.FrameWindow()), AFX_IDM_FIRST_MDICHILD);
    ASSERT_NE(hWindowMenu, nullptr);
    for (UINT index = 0; index < children.size(); ++index) {
        wchar_t text[600] = {};
        GetMenuStringW(hWindowMenu, AFX_IDM_FIRST_MDICHILD + index, text, 600, MF_BYCOMMAND);
        // The free space is read afresh for each title, and other programs write to the disk
        // meanwhile: compare up to it.
        const auto upToFreeSpace = [](const std::string& title) { return title.substr(0, title.rfind(" (")); };
        const std::string entry = FromWide(text), caption = TextOf(children[index]->m_hWnd);
        EXPECT_EQ(upToFreeSpace(entry.substr(entry.find(' ') + 1)), upToFreeSpace(caption)) << entry;
        EXPECT_NE(caption.find(" 個のｵﾌﾞｼﾞｪｸﾄ "), std::string::npos) << caption;
    }
}

TEST_F(ListPaneTest, AggregatingFromTheListTotalsTheSelectedRowsOrAllAndRereadsFilesWhenAskedTo)
{
    const std::string key = MakeFolder();
    ProgramRun run;
    ASSERT_TRUE(Show(run.Tree(), key));
    run.Command(ID_AGGREGATE);  // the tree's: the list folder's totals are stored
    CMDIChildWnd* pChild = run.Children()[0];
    CEView& list = ListOf(pChild);
    SetFocus(list.m_hWnd);
    ProgramRun::Pump();
    ASSERT_EQ(pChild->GetActiveView(), &list);
    EXPECT_TRUE(run.MenuItem(ID_AGGREGATE).enabled);

    run.App().m_folderInfo.RemoveAll();
    ListView_SetItemState(list.m_hWnd, -1, 0, LVIS_SELECTED);  // none selected: every row
    run.Command(ID_AGGREGATE);
    EXPECT_EQ(Cells(list, "Sub")[9], "1");
    EXPECT_EQ(Cells(list, "Other")[3], "0 KB");
    EXPECT_EQ(TextOf(pChild->m_hWnd).rfind(key + " ： 5 個", 0), 0u) << TextOf(pChild->m_hWnd);

    // Re-aggregate mode reads a selected file again and corrects its folder's stored size.
    run.Command(ID_REFRESH);
    Settle();
    run.Command(ID_AGGREGATE);  // the list again: all rows, stored afresh
    WriteFile("list/README.TXT.new", 3500);
    SetFileAttributesW(L"list\\README.TXT", FILE_ATTRIBUTE_NORMAL);
    fs::rename("list/README.TXT.new", "list/README.TXT");
    run.Command(ID_REAGGREGATE);
    SelectRows(list, {"Readme.txt"});
    run.Command(ID_AGGREGATE);
    EXPECT_EQ(Cells(list, "Readme.txt")[3], "4 KB");
    CSizeInfo after, direct;
    EXPECT_TRUE(run.App().m_settings.m_walk.GetStoredTotals(key, after, direct));
    EXPECT_EQ(after.m_nSize, 3500u + 2000u + (5ULL << 30));  // README.TXT as it is now, Sub, big.iso
    // the tree shows the folder's new totals from the stored records (code 8), without walking again
    EXPECT_TRUE(TreeLabel(run.Tree(), key).ends_with("5,368,715 KB> >list")) << TreeLabel(run.Tree(), key);
}
