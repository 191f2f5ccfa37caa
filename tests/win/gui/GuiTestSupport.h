// GuiTestSupport: the program's application run inside a test process, in a folder of its own; helpers to look at it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cctype>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../ScratchFolder.h"
#include "CPlatformDecorator.h"
#include "Win32Text.h"
#include "app/CChildFrame.h"
#include "app/CEApp.h"
#include "app/CMainFrame.h"
#include "app/SortSettings.h"
#include "dialogs/CSearchDlg.h"
#include "folderdata/CEDoc.h"
#include "fw/CMDIChildWnd.h"
#include "fw/CView.h"
#include "fw/WindowPlacement.h"
#include "listpane/CEView.h"
#include "listpane/CFileItem.h"
#include "listpane/CFolderListing.h"
#include "res/resource.h"
#include "services/CSortDirection.h"
#include "treepane/CFolderOrder.h"
#include "treepane/CLeftView.h"

// Message boxes answered from a queue (Yes once it is empty) and recorded, so that commands that
// ask something run without a person.
class AnsweringPlatform : public CPlatformDecorator {
public:
    int ShowMessageBox(const std::string& text, unsigned) override
    {
        m_texts.push_back(text);
        if (m_answers.empty())
            return kIdYes;
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    // Files are not really opened: a test would otherwise start other programs.
    bool ShellOpen(const std::string& path) override
    {
        m_opened.push_back(path);
        return true;
    }

    // What a user does while a long loop lets messages through, run at every pump.
    bool PumpWaitingMessages() override
    {
        if (m_onPump)
            m_onPump();
        return CPlatformDecorator::PumpWaitingMessages();
    }

    std::deque<int> m_answers;
    std::vector<std::string> m_texts;
    std::vector<std::string> m_opened;
    std::function<void()> m_onPump;
};

// Answers the dialog boxes that the program and the shell open on this thread, as a hand on the
// mouse would, from a thread timer (modal loops dispatch it too): each visible dialog met is
// recorded with its caption and the state of its check box 1017, then answered with the next
// queued answer when the caption agrees. A dialog nobody expected is recorded with "unexpected "
// before its caption and closed with No or Cancel, so that no test waits for ever.
class DialogAnswerer {
public:
    static constexpr int kCloseBox = -1;  // the caption's close box (WM_CLOSE)
    static constexpr int kEscape = -2;    // the Esc key
    struct Answer {
        std::string caption;
        int button;                          // a control id, kCloseBox or kEscape
        std::function<void(HWND)> before;    // done to the dialog first (a check box clicked)
    };

    DialogAnswerer()
    {
        s_pActive = this;
        m_timer = SetTimer(nullptr, 0, 40, OnTimer);
    }
    ~DialogAnswerer()
    {
        KillTimer(nullptr, m_timer);
        s_pActive = nullptr;
    }
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    void Expect(std::string caption, int button, std::function<void(HWND)> before = {})
    {
        m_answers.push_back(Answer{std::move(caption), button, std::move(before)});
    }
    // Clicks the copy confirmation's check box "更新日時が同じファイルは　上書きしない。".
    static void ClickSkipBox(HWND hDialog) { SendMessageW(GetDlgItem(hDialog, IDC_SKIP_SAME_TIME), BM_CLICK, 0, 0); }

    std::deque<Answer> m_answers;
    std::vector<std::string> m_seen;  // caption, and " [x]" or " [ ]" when it has the check box

private:
    static BOOL CALLBACK OnWindow(HWND hWnd, LPARAM found)
    {
        wchar_t className[16] = {};
        GetClassNameW(hWnd, className, 16);
        if (IsWindowVisible(hWnd) && IsWindowEnabled(hWnd) && std::wstring(className) == L"#32770") {
            *reinterpret_cast<HWND*>(found) = hWnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND hDialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), OnWindow, reinterpret_cast<LPARAM>(&hDialog));
        if (s_pActive && hDialog && hDialog != s_pActive->m_hAnswered)
            s_pActive->AnswerDialog(hDialog);
    }
    void AnswerDialog(HWND hDialog)
    {
        m_hAnswered = hDialog;  // a dialog takes a moment to go: answered once
        wchar_t caption[200] = {};
        GetWindowTextW(hDialog, caption, 200);
        std::string seen = FromWide(caption);
        if (GetDlgItem(hDialog, IDC_SKIP_SAME_TIME))
            seen += IsDlgButtonChecked(hDialog, IDC_SKIP_SAME_TIME) == BST_CHECKED ? " [x]" : " [ ]";
        if (m_answers.empty() || FromWide(caption) != m_answers.front().caption) {
            m_seen.push_back("unexpected " + seen);
            Press(hDialog, GetDlgItem(hDialog, IDNO) ? IDNO : IDCANCEL);
            return;
        }
        m_seen.push_back(seen);
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        if (answer.before)
            answer.before(hDialog);
        Press(hDialog, answer.button);
    }
    static void Press(HWND hDialog, int button)
    {
        if (button == kCloseBox)
            PostMessageW(hDialog, WM_CLOSE, 0, 0);
        else if (button == kEscape)
            PostMessageW(IsChild(hDialog, GetFocus()) ? GetFocus() : hDialog, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(hDialog, button)));
    }

    static inline DialogAnswerer* s_pActive = nullptr;
    UINT_PTR m_timer = 0;
    HWND m_hAnswered = nullptr;
};

// The captions of the shell's confirmations.
inline const char kCopyCaption[] = "ファイルのコピーの確認";
inline const char kOverwriteCaption[] = "ファイルの上書きの確認";
inline const char kDeleteCaption[] = "ファイルの削除の確認";
inline const char kFolderDeleteCaption[] = "フォルダーの削除の確認";

// The registry key the tests keep their registered folders under, apart from the program's.
inline const wchar_t kTestRegistryKey[] = L"ZQ GUI Tests";

// The folder tree of a child window.
inline CLeftView& TreeOf(CMDIChildWnd* pChild)
{
    return *dynamic_cast<CChildFrame&>(*pChild).GetLeftPane();
}

// Watches the trees of this thread for a selection that has not yet been acted on: a tree acts on
// a selection once it has rested for CLeftView::kSelectionDelay, when its selection timer fires.
// Seen through thread hooks: the tree's change notice, and that timer taken from the queue.
class SelectionWatch {
public:
    SelectionWatch()
    {
        s_pending.clear();
        m_hSent = SetWindowsHookExW(WH_CALLWNDPROC, OnSent, nullptr, GetCurrentThreadId());
        m_hPosted = SetWindowsHookExW(WH_GETMESSAGE, OnPosted, nullptr, GetCurrentThreadId());
    }
    ~SelectionWatch()
    {
        UnhookWindowsHookEx(m_hSent);
        UnhookWindowsHookEx(m_hPosted);
    }
    SelectionWatch(const SelectionWatch&) = delete;
    SelectionWatch& operator=(const SelectionWatch&) = delete;

    static bool AnyPending() { return !s_pending.empty(); }

private:
    // CLeftView's selection timer (private there): a changed id only makes Settle wait its limit.
    static constexpr UINT_PTR kSelectionTimer = 0x5A51;

    static LRESULT CALLBACK OnSent(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && sent.message == WM_NOTIFY &&
            reinterpret_cast<const NMHDR*>(sent.lParam)->code == TVN_SELCHANGEDW)
            s_pending.push_back(reinterpret_cast<const NMHDR*>(sent.lParam)->hwndFrom);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK OnPosted(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto& posted = *reinterpret_cast<const MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && posted.message == WM_TIMER &&
            posted.wParam == kSelectionTimer)
            std::erase(s_pending, posted.hwnd);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline std::vector<HWND> s_pending;
    HHOOK m_hSent = nullptr;
    HHOOK m_hPosted = nullptr;
};

// One run of the program: start-up as InitInstance does it without the tip, then whatever the
// test does through commands and the windows, then the end of the process simulated by
// destroying the application. Process-wide values go back to their initial state first, as in
// a new process.
class ProgramRun {
public:
    explicit ProgramRun(const std::wstring& argument = std::wstring())
    {
        g_rcLeftPane = RECT{0, 0, 200, 100};
        g_nFolderSortDirection = 1;
        CFolderOrder::DirectionRule().Forget();
        g_treeState.clear();
        ListFileSortMode = "B";
        CEView::ResetSortState();
        m_app = std::make_unique<CEApp>(kTestRegistryKey);
        m_bStarted = m_app->CreateWindows(argument);
        Pump();
    }
    ~ProgramRun() { End(); }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Destroys the application and its windows; the quit message that the main window's end
    // posts is taken out of the queue so that it does not end the next run.
    void End()
    {
        m_app.reset();
        Pump();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }

    static void Pump()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_QUIT) {
            GetMessageW(&msg, nullptr, 0, 0);
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    bool Started() const { return m_bStarted; }
    CEApp& App() { return *m_app; }
    CMainFrame& Frame() { return *m_app->GetMainFrame(); }
    HWND FrameWindow() { return m_app->m_pMainWnd ? m_app->m_pMainWnd->m_hWnd : nullptr; }
    std::vector<CMDIChildWnd*> Children() { return Frame().GetMDIChildren(); }
    CLeftView& Tree(std::size_t child = 0) { return TreeOf(Children()[child]); }

    // A command as the menu sends it; returns once it has run.
    void Command(UINT id)
    {
        SendMessageW(FrameWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        Pump();
    }

    struct ItemState {
        bool found = false;
        bool enabled = false;
        bool checked = false;
        bool radio = false;
    };
    // The state of a menu item of the current menu bar after its menu has been opened.
    ItemState MenuItem(UINT id)
    {
        ItemState state;
        HMENU hPopup = FindPopup(GetMenu(FrameWindow()), id);
        if (!hPopup)
            return state;
        SendMessageW(FrameWindow(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hPopup), 0);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        state.found = GetMenuItemInfoW(hPopup, id, FALSE, &info) != FALSE;
        state.enabled = !(info.fState & MFS_DISABLED);
        state.checked = (info.fState & MFS_CHECKED) != 0;
        state.radio = (info.fType & MFT_RADIOCHECK) != 0;
        return state;
    }
    // The popup menu, at any depth, that holds the command.
    static HMENU FindPopup(HMENU hMenu, UINT id)
    {
        const int count = GetMenuItemCount(hMenu);
        for (int position = 0; position < count; ++position) {
            if (HMENU hSub = GetSubMenu(hMenu, position)) {
                if (HMENU hFound = FindPopup(hSub, id))
                    return hFound;
            } else if (GetMenuItemID(hMenu, position) == id) {
                return hMenu;
            }
        }
        return nullptr;
    }

private:
    SelectionWatch m_selections;  // first: it sees the start-up's selections too
    std::unique_ptr<CEApp> m_app;
    bool m_bStarted = false;
};

// Each test runs in its own scratch folder with scripted message boxes and no registered folders.
class GuiTest : public ::testing::Test {
protected:
    GuiTest() { ForgetRegisteredFolders(); }
    ~GuiTest() override { ForgetRegisteredFolders(); }
    static void ForgetRegisteredFolders()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kTestRegistryKey).c_str());
    }

    ScratchFolder m_folder{"zqgui"};
    AnsweringPlatform m_platform;
};

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}
inline void WriteFile(const std::filesystem::path& path, std::size_t size)
{
    WriteFile(path, std::string(size, 'x'));
}

// The Windows key of a folder of the scratch tree, as the tree spells it.
inline std::string KeyOf(const std::filesystem::path& path)
{
    std::string key = FromWide(std::filesystem::absolute(path).wstring());
    key[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
    return key;
}

// Waits until every tree has acted on its selection (each waits for a quiet moment before its
// window follows it), pumping the program's messages; at most twice that moment and a little.
inline void Settle()
{
    const DWORD until = GetTickCount() + 2 * CLeftView::kSelectionDelay + 100;
    ProgramRun::Pump();
    while (SelectionWatch::AnyPending() && GetTickCount() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        ProgramRun::Pump();
    }
}

// Opens the way to path in the tree and selects it; the list follows. The item, or null.
inline HTREEITEM Show(CLeftView& tree, const std::string& path)
{
    tree.ExpandToPath(path);
    tree.SelectPath(path);
    Settle();
    return tree.FindItem(path);
}

// The file list of a child window.
inline CEView& ListOf(CMDIChildWnd* pChild)
{
    return *dynamic_cast<CChildFrame&>(*pChild).GetRightPane();
}

// Makes the window the active one, as a click into it does, with the focus on hFocus (a pane).
inline void Activate(CMDIChildWnd* pChild, HWND hFocus = nullptr)
{
    SendMessageW(GetParent(pChild->m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pChild->m_hWnd), 0);
    if (hFocus)
        SetFocus(hFocus);
    ProgramRun::Pump();
}

// The row of the list that shows name, or -1.
inline int RowOf(const CEView& list, const std::string& name)
{
    for (int row = 0; row < list.GetRowCount(); ++row) {
        if (FromWide(list.GetCellText(row, 0)) == name)
            return row;
    }
    return -1;
}

// Selects the named rows of the list and no other, as clicks with Ctrl held would.
inline void SelectRows(CEView& list, std::initializer_list<std::string> names)
{
    ListView_SetItemState(list.m_hWnd, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (const std::string& name : names) {
        const int row = RowOf(list, name);
        ASSERT_GE(row, 0) << name;
        ListView_SetItemState(list.m_hWnd, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    ProgramRun::Pump();
}

// A window's text: a caption, what an edit control or a dialog's field holds.
inline std::string TextOf(HWND hWnd)
{
    wchar_t text[600] = {};
    GetWindowTextW(hWnd, text, 600);
    return FromWide(text);
}

// A key pressed in the window, with the program's messages pumped afterwards.
inline void PressKey(HWND hWnd, WPARAM key)
{
    SendMessageW(hWnd, WM_KEYDOWN, key, 0);
    ProgramRun::Pump();
}

// The texts of a dialog's controls, in the order given.
inline std::vector<std::string> TextsOf(HWND hDialog, std::initializer_list<int> controls)
{
    std::vector<std::string> texts;
    for (int control : controls)
        texts.push_back(TextOf(GetDlgItem(hDialog, control)));
    return texts;
}

// Types text into an edit control as keys would, over its characters from `from` on (-1: at the end).
inline void TypeInto(HWND hEdit, const std::string& text, int from = 0)
{
    SetFocus(hEdit);
    SendMessageW(hEdit, EM_SETSEL, from < 0 ? -1 : from, -1);
    if (from >= 0)
        SendMessageW(hEdit, WM_CHAR, VK_BACK, 0);
    for (wchar_t unit : ToWide(text))
        SendMessageW(hEdit, WM_CHAR, unit, 0);
}

// Sets a file's modified time, given in local time.
inline void SetModified(const std::filesystem::path& path, WORD year, WORD month, WORD day, WORD hour, WORD minute)
{
    SYSTEMTIME local{year, month, 0, day, hour, minute, 30, 0};
    SYSTEMTIME universal{};
    FILETIME time{};
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal);
    SystemTimeToFileTime(&universal, &time);
    HANDLE hFile = CreateFileW(path.wstring().c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    SetFileTime(hFile, nullptr, nullptr, &time);
    CloseHandle(hFile);
}

// A file of size bytes modified on 2021/03/04 at hour o'clock, local time.
inline void WriteDated(const std::filesystem::path& path, std::size_t size, WORD hour = 12)
{
    WriteFile(path, size);
    SetModified(path, 2021, 3, 4, hour, 0);
}

// A file of the given size without writing it: a sparse file where the disk allows.
inline void WriteLongFile(const std::filesystem::path& path, LONGLONG size)
{
    HANDLE hFile = CreateFileW(path.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    LARGE_INTEGER end{};
    end.QuadPart = size;
    SetFilePointerEx(hFile, end, nullptr, FILE_BEGIN);
    SetEndOfFile(hFile);
    CloseHandle(hFile);
}

// A click on a column's header, where the user would click.
inline void ClickHeader(CEView& list, int column)
{
    HWND hHeader = ListView_GetHeader(list.m_hWnd);
    RECT rc{};
    Header_GetItemRect(hHeader, column, &rc);
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    SendMessageW(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(hHeader, WM_LBUTTONUP, 0, at);
    ProgramRun::Pump();
}

// What the control shows for the folder, asked of the control as a reader in another process would.
inline std::string TreeLabel(CLeftView& tree, const std::string& path)
{
    wchar_t text[300] = {};
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = tree.FindItem(path);
    item.pszText = text;
    item.cchTextMax = 300;
    TreeView_GetItem(tree.m_hWnd, &item);
    return FromWide(item.pszText);
}

// The image the control shows for the folder, selected or not (the two agree).
inline int TreeImage(CLeftView& tree, const std::string& path)
{
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = tree.FindItem(path);
    TreeView_GetItem(tree.m_hWnd, &item);
    EXPECT_EQ(item.iImage, item.iSelectedImage) << path;
    return item.iImage;
}

// The paths of the folder's children in the tree, in the tree's order.
inline std::vector<std::string> ChildPaths(CLeftView& tree, const std::string& path)
{
    std::vector<std::string> paths;
    HTREEITEM hItem = tree.FindItem(path);
    for (HTREEITEM hChild = hItem ? TreeView_GetChild(tree.m_hWnd, hItem) : nullptr; hChild;
         hChild = TreeView_GetNextSibling(tree.m_hWnd, hChild))
        paths.push_back(tree.GetItemPath(hChild));
    return paths;
}

// Show, with the folder's children listed as its opening lists them.
inline HTREEITEM Open(CLeftView& tree, const std::string& path)
{
    HTREEITEM hItem = Show(tree, path);
    if (hItem)
        TreeView_Expand(tree.m_hWnd, hItem, TVE_EXPAND);
    ProgramRun::Pump();
    return hItem;
}

// The document of a child window.
inline CEDoc& DocOf(CMDIChildWnd* pChild)
{
    return *dynamic_cast<CEDoc*>(pChild->GetActiveDocument());
}

inline std::string DescribeEntry(uint8_t attr, const CSizeInfo& info)
{
    if (attr & kAttrDirectory)
        return "folder " + std::to_string(attr);
    return std::to_string(attr) + " " + std::to_string(info.m_nSize) + " " + std::to_string(info.m_tModified.GetTime());
}

// The window's list shows what its folder holds on the disk: every entry with its attributes and,
// for a file, its size and modified time.
inline void ExpectListShowsDisk(CMDIChildWnd* pChild)
{
    const std::string folder = DocOf(pChild).m_strCurPath;
    const CEView& list = ListOf(pChild);
    std::map<std::string, std::string> rows, disk;
    for (int row = 0; row < list.GetRowCount(); ++row) {
        const CFileItem& item = *list.GetItem(row);
        rows[item.m_strPath] = DescribeEntry(item.m_nAttr, item.m_info);
        EXPECT_EQ(FromWide(list.GetCellText(row, 0)), item.m_strName);
    }
    for (const auto& found : std::filesystem::directory_iterator(std::filesystem::path(ToWide(folder)))) {
        const std::string key = folder + "\\" + FromWide(found.path().filename().wstring());
        CFolderListing::Entry entry;
        EXPECT_TRUE(CFolderListing::ReadEntry(key, entry)) << key;
        disk[key] = DescribeEntry(entry.attr, entry.info);
    }
    EXPECT_EQ(rows, disk) << folder;
}

inline int WidthOf(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    return rc.right - rc.left;
}

// An absolute mouse coordinate (0 to 65535 across the screen), rounded up so that the system's
// mapping back lands on the very pixel: rounding down can miss a 3-pixel gripper by one.
inline LONG NormalizedMouseCoordinate(LONG pixel, int extent)
{
    return static_cast<LONG>(((static_cast<LONGLONG>(pixel) << 16) + extent - 1) / extent);
}

// Real mouse input through the system's input queue, as a hand on the mouse gives it; the
// program's messages are pumped after each event until the event has been dealt with.
inline void SendMouse(DWORD flags, POINT screen)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = NormalizedMouseCoordinate(screen.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = NormalizedMouseCoordinate(screen.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
    // A loaded machine may hand the event on late: pump until a message from the new position has
    // been taken and no mouse message waits any more, so that each step of a drag is dealt with
    // before the next (the system would merge waiting moves).
    const auto handled = [&] {
        const DWORD at = GetMessagePos();
        return static_cast<short>(LOWORD(at)) == screen.x && static_cast<short>(HIWORD(at)) == screen.y &&
               HIWORD(GetQueueStatus(QS_MOUSE)) == 0;
    };
    const DWORD until = GetTickCount() + 2000;
    for (int turn = 0; turn < 8 || (!handled() && GetTickCount() < until); ++turn) {
        Sleep(5);
        ProgramRun::Pump();
    }
}

// Presses the left button at from (screen coordinates), moves to to in steps and lets go there,
// with the program's main window in front.
inline void DragWithMouse(ProgramRun& run, POINT from, POINT to, int steps = 12)
{
    SetForegroundWindow(run.FrameWindow());
    ProgramRun::Pump();
    SendMouse(0, from);
    SendMouse(MOUSEEVENTF_LEFTDOWN, from);
    for (int step = 1; step <= steps; ++step)
        SendMouse(0, POINT{from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps});
    SendMouse(MOUSEEVENTF_LEFTUP, to);
    EXPECT_EQ(GetCapture(), nullptr);
}

// Where a window sits when it is neither minimised nor maximised.
inline RECT NormalRect(HWND hWnd)
{
    return ToRect(GetPlacementOf(hWnd).rcNormalPosition);
}

// A view without a window that records the updates its document passes on, and the folder of
// each refresh.
class RecordingView : public CView {
public:
    void OnUpdate(CView*, LPARAM lHint, CObject* pHint) override
    {
        m_hints.push_back(static_cast<int>(lHint));
        if (lHint == kHintRefresh) {
            const auto* hint = dynamic_cast<CUpdateHint*>(pHint);
            m_refreshedPaths.push_back(hint ? hint->m_strPath : std::string());
        }
    }
    std::vector<int> m_hints;
    std::vector<std::string> m_refreshedPaths;

protected:
    const wchar_t* GetControlClass() const override { return WC_STATICW; }
    DWORD GetControlStyle() const override { return 0; }
};
