// TreeBench: a folder of many sub-folders opened and aggregated in the program's folder tree, in one process under Wine.
//
//   zq_tree_bench FOLDER      (a Windows path; bench/tree.sh builds the folder and runs this once a turn)
//
// The program's application runs in this process as the in-process GUI tests run it, but
// without their message hooks, which under Wine cost more than the work measured. The tree opens
// the way to FOLDER and selects it, then one turn is timed, each part ending once the window has
// painted:
//   expand     the folder's level opened (TVM_EXPAND, as its button opens it);
//   buttons    the expand buttons of its sub-folders still to be learned after that, while the
//              user may already work, and the longest a single message took meanwhile (what a
//              click or a menu waits at most);
//   aggregate  the aggregate command on the folder with every sub-folder shown (each gets its
//              own walk, record and label).
// Prints one line: "tree: expand X s, buttons Y s, longest wait Z ms, aggregate W s". Not a test.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Win32Text.h"
#include "app/CChildFrame.h"
#include "app/CEApp.h"
#include "app/CMainFrame.h"
#include "folderdata/CDirSzLst.h"
#include "res/resource.h"
#include "treepane/CLeftView.h"

namespace {

using Clock = std::chrono::steady_clock;

// The program keeps its registered folders here, apart from a real installation's.
const wchar_t kRegistryKey[] = L"ZQ Tree Bench";

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "zq_tree_bench: %s\n", what);
    std::exit(1);
}

// Dispatches every waiting message, as the program's loop does; the seconds the longest one took.
double DispatchWaiting()
{
    double longest = 0;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        const Clock::time_point start = Clock::now();
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        longest = std::max(longest, SecondsSince(start));
    }
    return longest;
}

// The end of a timed part: whatever it posted has run and the window has painted. Timers come
// last in the queue: what the program does on a timer afterwards is what the user may already
// work during.
void Settle(HWND hFrame)
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message != WM_TIMER) {
        GetMessageW(&msg, nullptr, 0, 0);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    RedrawWindow(hFrame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The program's loop for a while, with nobody at the keyboard; the longest message, in seconds.
double RunLoopFor(DWORD milliseconds)
{
    double longest = 0;
    const Clock::time_point start = Clock::now();
    while (SecondsSince(start) * 1000 < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        longest = std::max(longest, DispatchWaiting());
    }
    return longest;
}

CLeftView& TreeOf(CEApp& app)
{
    const auto children = app.GetMainFrame()->GetMDIChildren();
    if (children.empty())
        Fail("the program opened no window");
    return *dynamic_cast<CChildFrame&>(*children.front()).GetLeftPane();
}

// The way to the folder opened and the folder selected; the list follows once the selection
// has rested.
HTREEITEM ShowFolder(CLeftView& tree, const std::string& key)
{
    tree.ExpandToPath(key);
    tree.SelectPath(key);
    RunLoopFor(3 * CLeftView::kSelectionDelay);
    HTREEITEM hFolder = tree.FindItem(key);
    if (!hFolder)
        Fail("the folder has no item in the tree");
    return hFolder;
}

struct Turn {
    double expand = 0;
    double buttons = 0;
    double longestWait = 0;
    double aggregate = 0;
};

// The program's loop until the tree knows every expand button it left to learn.
void LearnButtons(CLeftView& tree, Turn& turn)
{
    const Clock::time_point start = Clock::now();
    while (tree.IsLearningButtons()) {
        if (SecondsSince(start) > 600)
            Fail("the tree was still learning its expand buttons after ten minutes");
        turn.longestWait = std::max(turn.longestWait, RunLoopFor(10));
    }
    turn.buttons = SecondsSince(start);
}

Turn RunTurn(CEApp& app, const std::string& key)
{
    CLeftView& tree = TreeOf(app);
    const HWND hFrame = app.GetMainFrame()->m_hWnd;
    HTREEITEM hFolder = ShowFolder(tree, key);
    Turn turn;
    Clock::time_point start = Clock::now();
    TreeView_Expand(tree.m_hWnd, hFolder, TVE_EXPAND);
    Settle(hFrame);
    turn.expand = SecondsSince(start);
    LearnButtons(tree, turn);
    start = Clock::now();
    SendMessageW(hFrame, WM_COMMAND, MAKEWPARAM(ID_AGGREGATE, 0), 0);
    Settle(hFrame);
    turn.aggregate = SecondsSince(start);
    if (!app.m_folderInfo.FindEntry(key))
        Fail("the aggregation stored no record of the folder");
    return turn;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zq_tree_bench FOLDER\n");
        return 2;
    }
    Turn turn;
    {
        CEApp app(kRegistryKey);
        if (!app.CreateWindows(std::wstring()))
            Fail("the program did not start");
        DispatchWaiting();
        turn = RunTurn(app, FromWide(argv[1]));
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kRegistryKey).c_str());
    std::printf("tree: expand %.3f s, buttons %.3f s, longest wait %.1f ms, aggregate %.3f s\n", turn.expand,
                turn.buttons, 1000 * turn.longestWait, turn.aggregate);
    return 0;
}
