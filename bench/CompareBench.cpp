// CompareBench: the compare walk of two linked windows over two copies of a tree, inside the program.
//
//   zq_compare_bench FOLDER_A FOLDER_B [full]      (Windows paths; bench/compare.sh runs it)
//
// The program's application runs in this process, as the in-process GUI tests run it: two
// windows, the first on FOLDER_A and the second on FOLDER_B, linked, compare mode on. Timed is
// the first window's compare walk: it lists FOLDER_A and asks the second window about every
// folder and file, which looks at its counterpart below FOLDER_B. With "full" the whole compare
// the command starts is timed as well: both windows' walks and both lists' passes. Prints the
// seconds and what the walk found; not a test.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Win32Text.h"
#include "app/CChildFrame.h"
#include "app/CEApp.h"
#include "app/CMainFrame.h"
#include "folderdata/CEDoc.h"
#include "res/resource.h"
#include "treepane/CLeftView.h"

namespace {

// The program keeps its registered folders here, apart from a real installation's.
const wchar_t kRegistryKey[] = L"ZQ Compare Bench";

double Seconds()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Lets waiting messages through for a while: the tree acts on a selection once it has rested.
void PumpFor(DWORD milliseconds)
{
    const DWORD until = GetTickCount() + milliseconds;
    MSG msg;
    while (GetTickCount() < until) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "zq_compare_bench: %s\n", what);
    std::exit(1);
}

CLeftView& TreeOf(CMDIChildWnd* pChild)
{
    CLeftView* pTree = dynamic_cast<CChildFrame&>(*pChild).GetLeftPane();
    if (!pTree)
        Fail("a window has no tree");
    return *pTree;
}

void Show(CLeftView& tree, const std::string& folder)
{
    tree.ExpandToPath(folder);
    tree.SelectPath(folder);
    PumpFor(4 * CLeftView::kSelectionDelay);
    if (tree.GetCurrentFolder() != folder)
        Fail("a window did not select its folder");
}

int RunBench(const std::string& a, const std::string& b, bool bFull)
{
    CEApp app(kRegistryKey);
    if (!app.CreateWindows(std::wstring()))
        Fail("the program did not start");
    SendMessageW(app.GetMainFrame()->m_hWnd, WM_COMMAND, ID_FILE_NEW, 0);
    const auto children = app.GetMainFrame()->GetMDIChildren();
    if (children.size() != 2)
        Fail("the second window did not open");
    CLeftView& first = TreeOf(children[0]);
    Show(first, a);
    Show(TreeOf(children[1]), b);
    CEDoc& document = *first.GetEDoc();
    app.m_bLinkage = 1;
    app.m_bCompare = 1;
    for (CMDIChildWnd* pChild : children)
        TreeOf(pChild).GetEDoc()->SetBasePath(true);

    double start = Seconds();
    const int result = first.CompareWalk(a);
    const double walk = Seconds() - start;
    std::printf("program walk seconds=%.3f result=%d\n", walk, result);
    if (bFull) {
        start = Seconds();
        document.StartCompare();
        std::printf("program full seconds=%.3f\n", Seconds() - start);
    }
    std::fflush(stdout);
    return result == 2 ? 1 : 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: zq_compare_bench FOLDER_A FOLDER_B [full]\n");
        return 2;
    }
    const bool bFull = argc > 3 && std::wstring(argv[3]) == L"full";
    const int status = RunBench(FromWide(argv[1]), FromWide(argv[2]), bFull);
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kRegistryKey).c_str());
    return status;
}
