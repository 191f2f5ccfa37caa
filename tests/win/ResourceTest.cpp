// Tests of the compiled resources (win/res/ZQ.rc linked into this executable), read back the way the program reads them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "resource.h"

namespace {

const HINSTANCE kModule = GetModuleHandleW(nullptr);

std::wstring LoadText(UINT id)
{
    const wchar_t* text = nullptr;
    int length = LoadStringW(kModule, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

// One line per menu item: two spaces per level, the text, and " = id" for commands.
void FlattenMenu(HMENU menu, int depth, std::vector<std::wstring>& lines)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        info.dwTypeData = text;
        info.cch = 255;
        GetMenuItemInfoW(menu, i, TRUE, &info);
        std::wstring line(depth * 2, L' ');
        if (info.fType & MFT_SEPARATOR)
            line += L"-";
        else
            line += info.hSubMenu != nullptr ? std::wstring(text) : std::wstring(text) + L" = " + std::to_wstring(info.wID);
        lines.push_back(line);
        if (info.hSubMenu != nullptr)
            FlattenMenu(info.hSubMenu, depth + 1, lines);
    }
}

std::vector<std::wstring> MenuLines(UINT id)
{
    HMENU menu = LoadMenuW(kModule, MAKEINTRESOURCEW(id));
    std::vector<std::wstring> lines;
    if (menu != nullptr) {
        FlattenMenu(menu, 0, lines);
        DestroyMenu(menu);
    }
    return lines;
}

std::vector<WORD> ToolbarCommands(UINT id)
{
    std::vector<WORD> commands;
    HRSRC found = FindResourceW(kModule, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(ZQ_RT_TOOLBAR));
    if (found == nullptr)
        return commands;
    const WORD* data = static_cast<const WORD*>(LockResource(LoadResource(kModule, found)));
    if (data[0] != 1 || data[1] != 16 || data[2] != 15)
        return commands;
    for (WORD i = 0; i < data[3]; ++i)
        commands.push_back(data[4 + i]);
    return commands;
}

SIZE BitmapSize(UINT id)
{
    HBITMAP bitmap = LoadBitmapW(kModule, MAKEINTRESOURCEW(id));
    BITMAP info{};
    if (bitmap != nullptr) {
        GetObjectW(bitmap, sizeof info, &info);
        DeleteObject(bitmap);
    }
    return SIZE{info.bmWidth, info.bmHeight};
}

// The menus item by item, and a status-bar prompt for every command in them.
TEST(ResourceTest, MenusWordForWordWithAPromptForEveryCommand)
{
    const std::pair<UINT, std::vector<std::wstring>> menus[] = {
        {IDR_MAINFRAME,  // without a child window
         {L"ﾌｧｲﾙ(&F)",
          L"  新規 ﾌｫﾙﾀﾞ 一覧表 作成(&N)\tCtrl+N = 57600",
          L"  -",
          L"  最新のﾌｧｲﾙ = 57616",
          L"  -",
          L"  ｱﾌﾟﾘｹｰｼｮﾝの終了(&X) = 57665",
          L"表示(&V)",
          L"  ﾂｰﾙ ﾊﾞｰ(&T) = 59392",
          L"  ｽﾃｰﾀｽ ﾊﾞｰ(&S) = 59393",
          L"ﾍﾙﾌﾟ(&H)",
          L"  ヘルプ(&H) = 32856",
          L"  -",
          L"  ﾊﾞｰｼﾞｮﾝ情報(&A) = 57664"}},
        {IDR_ETYPE,  // with child windows
         {L"ﾌｧｲﾙ(&F)",
          L"  新規作成(&N)",
          L"    ｳｲﾝﾄﾞｳ(&N)\tCtrl+N = 57600",
          L"    ﾌｫﾙﾀﾞ(&D) = 32775",
          L"  -",
          L"  すべて保存(&A)\tCtrl+S = 32892",
          L"  個別に保存(&E)",
          L"    ﾒｲﾝﾌﾚｰﾑ(&M) = 32919",
          L"    ﾂｰﾙﾊﾞｰ(&T) = 32918",
          L"    ﾁｬｲﾙﾄﾞﾌﾚｰﾑ(&C) = 32920",
          L"    ﾌｫﾙﾀﾞ登録(&D) = 32924",
          L"    検索ﾀﾞｲｱﾛｸﾞ(&S) = 32921",
          L"  -",
          L"  登録ﾌｫﾙﾀﾞ = 57616",
          L"  -",
          L"  ﾌｫﾙﾀﾞZQ の終了(&X) = 57665",
          L"編集(&E)",
          L"  元に戻す(&U) 名前の変更\tCtrl+Z = 57643",
          L"  -",
          L"  切り取り(&T)\tCtrl+X = 57635",
          L"  ｺﾋﾟｰ(&C)\tCtrl+C = 57634",
          L"  ｺﾋﾟｰ(全部)(&A)\tCtrl+A = 57642",
          L"  貼り付け(&P)\tCtrl+V = 57637",
          L"  -",
          L"  削除(&D)\t(Del Key) = 32771",
          L"表示(&V)",
          L"  ﾂｰﾙ ﾊﾞｰ(&T) = 59392",
          L"  ｽﾃｰﾀｽ ﾊﾞｰ(&S) = 59393",
          L"  -",
          L"  最新の情報に更新(&R) = 32926",
          L"  最新の情報に更新(ﾌｫﾙﾀﾞを開いた時)(&E) = 32857",
          L"検索･照合(&M)",
          L"  検索ﾀﾞｲｱﾛｸﾞ表示(&M) = 32865",
          L"  照合(&U) = 32864",
          L"  ﾌｫﾙﾀﾞ情報と照合(&F)... = 32867",
          L"  ﾌｫﾙﾀﾞ情報の保存(&V) = 32922",
          L"  -",
          L"  ｱｲｺﾝ ﾘｾｯﾄ(&I) = 32866",
          L"  ﾗﾍﾞﾙ ﾘｾｯﾄ(&E) = 32811",
          L"整列(&S)",
          L"  ﾌｫﾙﾀﾞの整列(&D)",
          L"    名前順(&N) = 32820",
          L"    ｻｲｽﾞ順(&S) = 32821",
          L"    読取日順(&R) = 32822",
          L"    更新日時順(&U) = 32823",
          L"    作成日時順(&C) = 32824",
          L"    ﾌｫﾙﾀﾞ数順(&D) = 32825",
          L"    ﾌｧｲﾙ 数順(&F) = 32826",
          L"  ﾌｧｲﾙの整列(&F)",
          L"    ﾌｧｲﾙ･ﾌｫﾙﾀﾞの順(&F) = 32902",
          L"    ﾌｫﾙﾀﾞ･ﾌｧｲﾙの順(&D) = 32901",
          L"    ｸﾘｯｸ項目の値の順(&N) = 32903",
          L"ﾌｫﾙﾀﾞ情報集計(&I)",
          L"  集計開始/停止(&G) = 32810",
          L"  再集計(&2) = 32928",
          L"  連動(&R) = 32931",
          L"  -",
          L"  更新日時(&U) = 32838",
          L"  読取日(&R) = 32839",
          L"  作成日時(&C) = 32840",
          L"  ﾌｫﾙﾀﾞ数(&D) = 32841",
          L"  ﾌｧｲﾙ 数(&F) = 32842",
          L"  -",
          L"  ｻｲｽﾞの単位(&S)",
          L"    Bytes単位(&B) = 32805",
          L"    KBytes単位(&K) = 32806",
          L"    MBytes単位(&M) = 32807",
          L"    GBytes単位(&G) = 32808",
          L"移動(&G)",
          L"  １つ上のﾌｫﾙﾀﾞへ(&U)\tCtrl+U = 32779",
          L"設定(&T)",
          L"  ｻｲｽﾞのKBytes値(&K)",
          L"    KBytes=1,000Bytes(&1) = 32870",
          L"    KBytes=1,024Bytes(&2) = 32871",
          L"ｳｨﾝﾄﾞｳ(&W)",
          L"  並べて表示(&T) = 57651",
          L"  重ねて表示(&C) = 57650",
          L"ﾍﾙﾌﾟ(&H)",
          L"  ヘルプ(&H) = 32856",
          L"  -",
          L"  ﾊﾞｰｼﾞｮﾝ情報(&A) = 57664"}},
    };
    for (const auto& [id, expected] : menus) {
        SCOPED_TRACE(id);
        const std::vector<std::wstring> lines = MenuLines(id);
        EXPECT_EQ(lines, expected);
        for (const std::wstring& line : lines) {
            const size_t equals = line.rfind(L" = ");
            if (equals == std::wstring::npos)
                continue;
            const std::wstring prompt = LoadText(std::stoi(line.substr(equals + 3)));
            EXPECT_FALSE(prompt.empty() || prompt[0] == L'\n') << "no prompt for " << ::testing::PrintToString(line);
        }
    }
}

TEST(ResourceTest, StringsGivenWordForWord)
{
    const std::pair<UINT, std::wstring> strings[] = {
        {AFX_IDS_APP_TITLE, L"フォルダ ZQ"}, {IDR_MAINFRAME, L"フォルダ ZQ"},
        {IDR_ETYPE, L"\nE\nE\n\n\nE.Document\nE Document"},
        {AFX_IDS_IDLEMESSAGE, L"ﾚﾃﾞｨ"}, {IDS_TOOLBAR_FILESORT, L"ファイルの整列"}, {ID_INDICATOR_KANA, L"ｶﾅ"},
        {ID_INDICATOR_CAPS, L"CAP"}, {ID_INDICATOR_NUM, L"NUM"}, {ID_INDICATOR_SCRL, L"SCRL"},
        {ID_AGGREGATE, L"ﾌｫﾙﾀﾞの情報を集計し表示する/集計を停止する。\nﾌｫﾙﾀﾞ情報の集計表示/集計停止"},
        {ID_SAVE_FOLDERINFO, L"すべてのﾌｫﾙﾀﾞ情報を保存します。\nﾌｫﾙﾀﾞ情報"},
        {ID_COMPARE, L"選択したﾌｫﾙﾀﾞ同士を照合する。\nﾌｫﾙﾀﾞ照合"},
        {ID_SAVE_SEARCHDLG, L"検索ﾀﾞｲｱﾛｸﾞの位置と大きさを保存します。"},
        {ID_REPLACE_WITH_CLIP, L"ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容で置き換え\n置き換え"},
        {ID_SORT_FOLDERCOUNT, L"ﾌｫﾙﾀﾞをﾌｫﾙﾀﾞ数順に整列します。\nﾌｫﾙﾀのﾞ整列・ﾌｫﾙﾀﾞ数順"},  // the tooltip's odd "ﾌｫﾙﾀのﾞ" as written
    };
    for (const auto& [id, text] : strings)
        EXPECT_EQ(LoadText(id), text) << id;
}

TEST(ResourceTest, Accelerators)
{
    HACCEL table = LoadAcceleratorsW(kModule, MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    ACCEL entries[32] = {};
    int count = CopyAcceleratorTableW(table, entries, 32);
    std::set<std::tuple<int, int, int>> actual;
    for (int i = 0; i < count; ++i)
        actual.insert({entries[i].fVirt & ~FNOINVERT, entries[i].key, entries[i].cmd});
    const int ctrl = FVIRTKEY | FCONTROL, shift = FVIRTKEY | FSHIFT, alt = FVIRTKEY | FALT;
    std::set<std::tuple<int, int, int>> expected = {
        {ctrl, 'A', ID_EDIT_SELECT_ALL}, {ctrl, 'C', ID_EDIT_COPY},      {ctrl, VK_INSERT, ID_EDIT_COPY},
        {ctrl, 'X', ID_EDIT_CUT},        {shift, VK_DELETE, ID_EDIT_CUT}, {ctrl, 'V', ID_EDIT_PASTE},
        {shift, VK_INSERT, ID_EDIT_PASTE}, {ctrl, 'Z', ID_EDIT_UNDO},    {alt, VK_BACK, ID_EDIT_UNDO},
        {ctrl, 'N', ID_FILE_NEW},        {ctrl, 'O', ID_FILE_OPEN},       {ctrl, 'P', ID_FILE_PRINT},
        {ctrl, 'S', ID_SAVE_ALL},        {FVIRTKEY, VK_F6, ID_NEXT_PANE}, {shift, VK_F6, ID_PREV_PANE},
    };
    EXPECT_EQ(actual, expected);
    DestroyAcceleratorTable(table);
}

// Each toolbar: its buttons, one picture per button in its strip, and a tooltip for each.
TEST(ResourceTest, ToolbarStripsHoldOnePicturePerButtonAndEachButtonHasATooltip)
{
    const std::vector<std::pair<UINT, std::vector<WORD>>> bars = {
        {IDR_MAINFRAME, {57600, 57651, 0, 32775, 32779, 0, 32926}},
        {IDR_TOOLBAR_AGGREGATE, {32810, 32928, 32931, 0, 32838, 32839, 32840, 0, 32841, 32842, 0, 32805, 32806,
                                 32807, 32808}},
        {IDR_TOOLBAR_EDIT, {57635, 57634, 57642, 57637, 0, 32771, 0, 57643}},
        {IDR_TOOLBAR_SORT, {32820, 32821}},
        {IDR_TOOLBAR_FILESORT, {32901, 32902, 32903}},
        {IDR_TOOLBAR_SEARCH, {32865, 32864, 32867, 0, 32866, 32811}},
    };
    for (const auto& [id, commands] : bars) {
        EXPECT_EQ(ToolbarCommands(id), commands) << "toolbar " << id;
        LONG buttons = 0;
        for (WORD command : commands) {
            if (command == 0)
                continue;
            ++buttons;
            const std::wstring text = LoadText(command);
            const size_t newline = text.find(L'\n');
            EXPECT_TRUE(newline != std::wstring::npos && newline + 1 < text.size()) << "no tooltip for " << command;
        }
        SIZE size = BitmapSize(id);
        EXPECT_EQ(size.cx, 16 * buttons) << "toolbar " << id;
        EXPECT_EQ(size.cy, 15) << "toolbar " << id;
    }
}

TEST(ResourceTest, ImagesIconAndManifest)
{
    for (UINT id = IDB_IMAGE_QUESTION; id <= IDB_IMAGE_MARK_U; ++id) {
        SIZE size = BitmapSize(id);
        EXPECT_EQ(size.cx, 16) << id;
        EXPECT_EQ(size.cy, 16) << id;
    }
    for (int side : {16, 32}) {
        HANDLE icon = LoadImageW(kModule, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON, side, side, 0);
        EXPECT_NE(icon, nullptr) << side;
        DestroyIcon(static_cast<HICON>(icon));
    }
    EXPECT_NE(FindResourceW(kModule, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)), nullptr);
}

// ---- Dialog templates: captions, control texts, and no text wider than its control -------------

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

std::wstring WindowText(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

// The text of a static control, button, check box or radio button as drawn: without its '&'.
std::wstring ShownText(HWND control)
{
    std::wstring shown;
    for (wchar_t c : WindowText(control))
        if (c != L'&')
            shown += c;
    return shown;
}

// How many pixels a control of this class and style gives its text.
LONG TextRoom(HWND control, const std::wstring& kind)
{
    RECT rect{};
    GetClientRect(control, &rect);
    if (kind != L"Button")
        return rect.right;
    // A check box or radio button gives about 16 pixels to its box; a group box's caption sits on
    // its frame with some room at either end.
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return rect.right - (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON || type == BS_GROUPBOX ? 16 : 6);
}

// Static texts, buttons, check boxes and radio buttons whose text is wider than they are.
std::vector<std::wstring> ClippedControls(HWND dialog)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (font == nullptr)
        return {L"the dialog has no font of its own"};
    std::vector<std::wstring> clipped;
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, font);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[64] = {};
        GetClassNameW(child, cls, 64);
        const std::wstring kind(cls), shown = ShownText(child);
        if (shown.empty() || (kind != L"Static" && kind != L"Button"))
            continue;
        SIZE extent{};
        GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
        const LONG room = TextRoom(child, kind);
        if (extent.cx > room)
            clipped.push_back(shown + L" (" + std::to_wstring(extent.cx) + L" > " + std::to_wstring(room) + L")");
    }
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    return clipped;
}

TEST(ResourceTest, DialogsShowTheirTextsUnclipped)
{
    struct Dialog {
        UINT id;
        std::wstring caption;
        std::vector<std::pair<int, std::wstring>> texts;
        std::vector<int> otherControls;  // edits and lists, which have no text of their own
    };
    const Dialog dialogs[] = {
        {IDD_ABOUTBOX, L"フォルダ ZQ のﾊﾞｰｼﾞｮﾝ情報", {{IDC_ABOUT_VERSION, L"フォルダ ZQ Version 2．10"}, {IDOK, L"OK"}}, {}},
        {IDD_COPY_CONFIRM, L"ファイルのコピーの確認",
         {{IDOK, L"はい(&Y)"}, {IDCANCEL, L"いいえ(&N)"}, {IDC_SKIP_SAME_TIME, L"更新日時が同じファイルは　上書きしない。"}},
         {}},
        {IDD_SEARCH, L"フォルダ ZQ　フォルダの検索",
         {{IDC_SEARCH_MESSAGE, L"ﾌｫﾙﾀﾞの検索条件を入力して下さい。"}, {IDOK, L"開始/停止"}, {IDCANCEL, L"ﾀﾞｲｱﾛｸﾞ非表示"},
          {IDC_SEARCH_UNIT_B, L"Bytes"}, {IDC_SEARCH_UNIT_G, L"G Bytes"}, {IDC_SEARCH_COMBINE_AND, L"全て以上(全てAND）"},
          {IDC_SEARCH_COMBINE_OR, L"全て未満(全てOR)"}, {IDC_SEARCH_SKIP_NO_DATE, L"日時の設定が無いフォルダは非対象とする"}},
         {IDC_SEARCH_SIZE, IDC_SEARCH_MODIFIED_DATE, IDC_SEARCH_MODIFIED_TIME, IDC_SEARCH_READ_DATE,
          IDC_SEARCH_READ_TIME, IDC_SEARCH_CREATED_DATE, IDC_SEARCH_CREATED_TIME, IDC_SEARCH_FOLDER_COUNT,
          IDC_SEARCH_FILE_COUNT}},
        {IDD_COMPARE_SUMMARY, L"フォルダ ZQ　照合結果（件数）", {}, {IDC_COMPARE_OBJECTS}},
    };
    for (const Dialog& expected : dialogs) {
        SCOPED_TRACE(expected.id);
        HWND dialog = CreateDialogParamW(kModule, MAKEINTRESOURCEW(expected.id), nullptr, QuietProc, 0);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(WindowText(dialog), expected.caption);
        for (const auto& [control, text] : expected.texts)
            EXPECT_EQ(WindowText(GetDlgItem(dialog, control)), text) << control;
        for (int control : expected.otherControls)
            EXPECT_NE(GetDlgItem(dialog, control), nullptr) << control;
        EXPECT_EQ(ClippedControls(dialog), std::vector<std::wstring>{});
        DestroyWindow(dialog);
    }
}

}  // namespace
