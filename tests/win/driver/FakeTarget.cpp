// FakeTarget: a small MDI program with the real resources, the stand-in that the driver's own tests drive.
//
// It has what the driver has to find and read in the real program: a main frame titled
// "フォルダ ZQ ..." with menu 129 and accelerators 128, a labelled toolbar on strip 128, a status
// bar with the indicator texts of the string table, one MDI child holding a tree and a report
// list with the image-list pictures, a start-up tip message box (Yes/No/Cancel), the about box
// (100), the copy confirmation (158) and the modeless search dialog (171). Whatever reaches it is
// echoed into the status bar's first pane ("command 32810", "key 0x2E", "tip yes"), which is how
// a test sees that a posted command or a key arrived.
//
// Command line: --no-tip skips the tip; --exit-code=N is the exit code of ID_APP_EXIT
// (closing the window exits with 0, as does Cancel on the tip).

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

#include "resource.h"

namespace {

constexpr UINT kShowTip = WM_APP + 1;
const wchar_t* const kFrameClass = L"ZqFakeFrame";
const wchar_t* const kChildClass = L"ZqFakeChild";

struct Options {
    bool showTip = true;
    int exitCode = 0;
};

HINSTANCE g_instance = nullptr;
Options g_options;
HWND g_frame = nullptr;
HWND g_client = nullptr;
HWND g_status = nullptr;
HWND g_search = nullptr;
int g_tipIndex = 0;
int g_exitCode = 0;

std::wstring LoadText(UINT id)
{
    const wchar_t* text = nullptr;
    int length = LoadStringW(g_instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

void SetStatus(const std::wstring& text)
{
    SendMessageW(g_status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

Options ParseOptions()
{
    Options options;
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) {
        if (wcscmp(args[i], L"--no-tip") == 0)
            options.showTip = false;
        else if (wcsncmp(args[i], L"--exit-code=", 12) == 0)
            options.exitCode = _wtoi(args[i] + 12);
    }
    LocalFree(args);
    return options;
}

// ---- Frame pieces --------------------------------------------------------------------------

HWND CreateToolbar(HWND frame)
{
    HWND bar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0, 0,
                               frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_TOOLBAR)),
                               g_instance, nullptr);
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP bitmap{g_instance, IDR_MAINFRAME};
    SendMessageW(bar, TB_ADDBITMAP, 5, reinterpret_cast<LPARAM>(&bitmap));
    const wchar_t* labels[] = {L"ｳｨﾝﾄﾞ", L"並列", L"ﾌｫﾙﾀﾞ", L"上へ", L"更新"};
    const int commands[] = {ID_FILE_NEW, ID_WINDOW_TILE_HORZ, 0, ID_NEW_FOLDER, ID_FOLDER_UP, 0, ID_REFRESH};
    TBBUTTON buttons[7] = {};
    for (int i = 0, image = 0; i < 7; ++i) {
        buttons[i].idCommand = commands[i];
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = commands[i] == 0 ? BTNS_SEP : BTNS_BUTTON;
        if (commands[i] != 0) {
            buttons[i].iBitmap = image;
            buttons[i].iString = reinterpret_cast<INT_PTR>(labels[image++]);
        }
    }
    SendMessageW(bar, TB_ADDBUTTONSW, 7, reinterpret_cast<LPARAM>(buttons));
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    return bar;
}

HWND CreateStatusBar(HWND frame)
{
    HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                               frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_STATUS_BAR)),
                               g_instance, nullptr);
    int edges[] = {560, 610, 660, 710, -1};
    SendMessageW(bar, SB_SETPARTS, 5, reinterpret_cast<LPARAM>(edges));
    const UINT texts[] = {AFX_IDS_IDLEMESSAGE, ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                          ID_INDICATOR_SCRL};
    for (int pane = 0; pane < 5; ++pane) {
        std::wstring text = LoadText(texts[pane]);
        SendMessageW(bar, SB_SETTEXTW, pane, reinterpret_cast<LPARAM>(text.c_str()));
    }
    return bar;
}

HWND CreateMdiClient(HWND frame)
{
    CLIENTCREATESTRUCT create{};
    create.hWindowMenu = GetSubMenu(GetMenu(frame), 8);
    create.idFirstChild = 0xFF00;
    return CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                           WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0, frame,
                           nullptr, g_instance, &create);
}

void LayoutFrame(HWND frame)
{
    HWND toolbar = GetDlgItem(frame, AFX_IDW_TOOLBAR);
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    SendMessageW(g_status, WM_SIZE, 0, 0);
    RECT client, bar, status;
    GetClientRect(frame, &client);
    GetWindowRect(toolbar, &bar);
    GetWindowRect(g_status, &status);
    int top = bar.bottom - bar.top;
    int height = client.bottom - top - (status.bottom - status.top);
    MoveWindow(g_client, 0, top, client.right, height > 0 ? height : 0, TRUE);
}

// ---- The child window: tree on the left, list on the right ----------------------------------

HIMAGELIST CreateImages()
{
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 6, 2);
    for (UINT id = IDB_IMAGE_QUESTION; id <= IDB_IMAGE_MARK_U; ++id) {
        HBITMAP bitmap = LoadBitmapW(g_instance, MAKEINTRESOURCEW(id));
        ImageList_AddMasked(images, bitmap, RGB(128, 0, 0));
        DeleteObject(bitmap);
    }
    return images;
}

HTREEITEM AddTreeItem(HWND tree, HTREEITEM parent, const wchar_t* text, int image)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<LPWSTR>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void FillTree(HWND tree)
{
    TreeView_SetImageList(tree, CreateImages(), TVSIL_NORMAL);
    HTREEITEM computer = AddTreeItem(tree, TVI_ROOT, L"ﾏｲ ｺﾝﾋﾟｭｰﾀ", 1);
    HTREEITEM drive = AddTreeItem(tree, computer, L"C:\\", 2);
    AddTreeItem(tree, drive, L"Windows", 2);
    AddTreeItem(tree, drive, L"12,345 KB>ユーザー", 4);
    AddTreeItem(tree, drive, L"照合>ﾃﾞｰﾀ", 5);
    AddTreeItem(tree, computer, L"Z:\\", 0);
    TreeView_Expand(tree, computer, TVE_EXPAND);
    TreeView_Expand(tree, drive, TVE_EXPAND);
    TreeView_SelectItem(tree, drive);
}

void AddListRow(HWND list, int row, const wchar_t* name, const wchar_t* size, const wchar_t* type, int image)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = const_cast<LPWSTR>(name);
    item.iImage = image;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.mask = LVIF_TEXT;
    item.iSubItem = 1;
    item.pszText = const_cast<LPWSTR>(size);
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 2;
    item.pszText = const_cast<LPWSTR>(type);
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void FillList(HWND list)
{
    ListView_SetImageList(list, CreateImages(), LVSIL_SMALL);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    const wchar_t* titles[] = {L"名前", L"サイズ", L"種類"};
    const int widths[] = {160, 90, 120};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<LPWSTR>(titles[i]);
        column.cx = widths[i];
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    AddListRow(list, 0, L"Windows", L"1,024 KB", L"ﾌｧｲﾙ ﾌｫﾙﾀﾞ", 2);
    AddListRow(list, 1, L"ユーザー", L"12,345 KB", L"ﾌｧｲﾙ ﾌｫﾙﾀﾞ", 2);
    AddListRow(list, 2, L"readme.txt", L"1 KB", L"ﾃｷｽﾄ ﾌｧｲﾙ", 3);
}

void CreatePanes(HWND child)
{
    HWND tree = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, nullptr,
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                    TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_EDITLABELS,
                                0, 0, 0, 0, child, reinterpret_cast<HMENU>(1), g_instance, nullptr);
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, nullptr,
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS |
                                    LVS_EDITLABELS,
                                0, 0, 0, 0, child, reinterpret_cast<HMENU>(2), g_instance, nullptr);
    FillTree(tree);
    FillList(list);
}

LRESULT OnChildNotify(const NMHDR* header)
{
    if (header->code == TVN_KEYDOWN || header->code == LVN_KEYDOWN) {
        WORD key = header->code == TVN_KEYDOWN ? reinterpret_cast<const NMTVKEYDOWN*>(header)->wVKey
                                               : reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey;
        wchar_t text[32];
        swprintf(text, 32, L"key 0x%02X", key);
        SetStatus(text);
    }
    return 0;
}

LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreatePanes(window);
        break;
    case WM_SIZE:
        MoveWindow(GetDlgItem(window, 1), 0, 0, 200, HIWORD(lParam), TRUE);
        MoveWindow(GetDlgItem(window, 2), 200, 0, LOWORD(lParam) > 200 ? LOWORD(lParam) - 200 : 0, HIWORD(lParam),
                   TRUE);
        break;
    case WM_SETFOCUS:
        SetFocus(GetDlgItem(window, 1));
        return 0;
    case WM_NOTIFY:
        return OnChildNotify(reinterpret_cast<const NMHDR*>(lParam));
    default:
        break;
    }
    return DefMDIChildProcW(window, message, wParam, lParam);
}

void CreateChild()
{
    MDICREATESTRUCTW create{};
    create.szClass = kChildClass;
    create.szTitle = L"C:\\ (3 ｵﾌﾞｼﾞｪｸﾄ)";
    create.hOwner = g_instance;
    create.x = 0;
    create.y = 0;
    create.cx = 860;
    create.cy = 440;
    create.style = WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    SendMessageW(g_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create));
}

// ---- Dialogs and the tip -------------------------------------------------------------------

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        CheckDlgButton(dialog, IDC_SKIP_SAME_TIME, BST_CHECKED);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        bool skip = IsDlgButtonChecked(dialog, IDC_SKIP_SAME_TIME) == BST_CHECKED;
        EndDialog(dialog, LOWORD(wParam) == IDOK ? (skip ? 11 : 10) : 0);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK SearchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        ShowWindow(dialog, SW_HIDE);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        SetDlgItemTextW(dialog, IDC_SEARCH_MESSAGE, L"更新日時がエラーです。\n読取日時がエラーです。\n作成日時がエラーです。\n");
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

void ShowTip()
{
    for (;;) {
        wchar_t text[128];
        swprintf(text, 128, L"――――　ワンポイント　――――\n\n・　テスト用のワンポイント %d です。\t\n", g_tipIndex);
        int answer = MessageBoxW(g_frame, text, LoadText(AFX_IDS_APP_TITLE).c_str(),
                                 MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        if (answer == IDCANCEL)
            ExitProcess(0);
        if (answer == IDYES)
            break;
        g_tipIndex = (g_tipIndex + 1) % 10;
    }
    wchar_t status[32];
    swprintf(status, 32, L"tip yes %d", g_tipIndex);
    SetStatus(status);
}

void ShowSearch()
{
    if (g_search == nullptr)
        g_search = CreateDialogW(g_instance, MAKEINTRESOURCEW(IDD_SEARCH), g_frame, SearchProc);
    ShowWindow(g_search, SW_SHOW);
}

void OnCommand(HWND frame, UINT id)
{
    if (id == ID_APP_EXIT) {
        g_exitCode = g_options.exitCode;
        DestroyWindow(frame);
    } else if (id == ID_APP_ABOUT) {
        DialogBoxW(g_instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), frame, DialogProc);
        SetStatus(L"about closed");
    } else if (id == ID_EDIT_PASTE) {
        INT_PTR result = DialogBoxW(g_instance, MAKEINTRESOURCEW(IDD_COPY_CONFIRM), frame, DialogProc);
        SetStatus(result == 11 ? L"copy skip" : result == 10 ? L"copy all" : L"copy no");
    } else if (id == ID_SHOW_SEARCH) {
        ShowSearch();
    } else {
        SetStatus(L"command " + std::to_wstring(id));
    }
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        g_frame = frame;
        CreateToolbar(frame);
        g_status = CreateStatusBar(frame);
        g_client = CreateMdiClient(frame);
        return 0;
    case WM_SIZE:
        LayoutFrame(frame);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) >= 0xFF00)
            break;
        OnCommand(frame, LOWORD(wParam));
        return 0;
    case kShowTip:
        ShowTip();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(g_exitCode);
        return 0;
    default:
        break;
    }
    return DefFrameProcW(frame, g_client, message, wParam, lParam);
}

bool RegisterClasses()
{
    HICON icon = LoadIconW(g_instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    WNDCLASSEXW frame{};
    frame.cbSize = sizeof frame;
    frame.lpfnWndProc = FrameProc;
    frame.hInstance = g_instance;
    frame.hIcon = icon;
    frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    frame.lpszClassName = kFrameClass;
    WNDCLASSEXW child = frame;
    child.lpfnWndProc = ChildProc;
    child.hbrBackground = nullptr;
    child.lpszClassName = kChildClass;
    return RegisterClassExW(&frame) && RegisterClassExW(&child);
}

int RunLoop(HACCEL accelerators)
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (g_search != nullptr && IsDialogMessageW(g_search, &message))
            continue;
        if (TranslateMDISysAccel(g_client, &message) || TranslateAcceleratorW(g_frame, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    g_instance = instance;
    g_options = ParseOptions();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterClasses())
        return 2;
    std::wstring title = LoadText(AFX_IDS_APP_TITLE) + L" - C:\\";
    HWND frame = CreateWindowExW(0, kFrameClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 900,
                                 600, nullptr, LoadMenuW(instance, MAKEINTRESOURCEW(IDR_ETYPE)), instance, nullptr);
    if (frame == nullptr)
        return 3;
    CreateChild();
    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    if (g_options.showTip)
        PostMessageW(frame, kShowTip, 0, 0);
    return RunLoop(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME)));
}
