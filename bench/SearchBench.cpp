// SearchBench: the folder search over a million stored records, against a bare run through the same records, in one process under Wine.
//
//   zq_search_bench ROUNDS FOLDER [HITS]   (FOLDER: a Windows path holding the sub-folders h0000 up
//                                            to HITS - 1, 1,000 by default; bench/search.sh makes
//                                            it and runs this)
//
// The program's application runs in this process, as the in-process GUI tests run it. Its record
// list gets 1,000,000 records below FOLDER: the HITS real sub-folders, large, and the rest spread as
// records of folders that exist only in the list below each of them, small. With FOLDER selected in the tree
// four kinds of turn are timed, ROUNDS of each, by turns (the kind that goes first rotating):
//   - the floor: a bare run through the list reading each record's key and size;
//   - the pump alone: as many stop-flag pumps as there are records (what the search calls before
//     every record);
//   - a search without a hit (a size no record reaches);
//   - a search with HITS hits (the real sub-folders), each opened to and marked in the tree.
// Each search turn begins with the tree's marks cleared, untimed. Prints medians and spreads and
// the figures derived from them; not a test.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchSpread.h"
#include "Win32Text.h"
#include "app/CAppSettings.h"
#include "app/CChildFrame.h"
#include "app/CEApp.h"
#include "app/CMainFrame.h"
#include "folderdata/CDirSzLst.h"
#include "treepane/CLeftView.h"

namespace {

const wchar_t kRegistryKey[] = L"ZQ Search Bench";
constexpr int kRecords = 1'000'000;
constexpr uint64_t kHitSize = 1'000'000;

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "zq_search_bench: %s\n", what);
    std::exit(1);
}

double Milliseconds(const std::function<void()>& turn)
{
    const auto start = std::chrono::steady_clock::now();
    turn();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Lets every waiting message through for a while, so that what a selection starts (the list
// filling after its quiet time) is over before anything is timed.
void PumpFor(DWORD milliseconds)
{
    const DWORD until = GetTickCount() + milliseconds;
    while (GetTickCount() < until) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

std::string Numbered(const char* prefix, int number)
{
    char text[16];
    std::snprintf(text, sizeof text, "%s%04d", prefix, number);
    return text;
}

void FillRecords(CDirSzLst& records, const std::string& folder, int hitFolders)
{
    const int recordsBelowEach = kRecords / hitFolders - 1;
    CSizeInfo large;
    large.m_nSize = kHitSize;
    large.m_nFolders = recordsBelowEach;
    large.m_nFiles = recordsBelowEach;
    CSizeInfo small;
    small.m_nSize = 10;
    small.m_nFiles = 1;
    for (int hit = 0; hit < hitFolders; ++hit) {
        const std::string key = folder + "\\" + Numbered("h", hit);
        records.SetEntry(key, large, CSizeInfo());
        for (int below = 0; below < recordsBelowEach; ++below)
            records.SetEntry(key + "\\" + Numbered("s", below), small, small);
    }
}

int CountMarked(CLeftView& tree, HTREEITEM hFirst)
{
    int count = 0;
    for (HTREEITEM hItem = hFirst; hItem; hItem = TreeView_GetNextSibling(tree.m_hWnd, hItem)) {
        TVITEMW item{};
        item.mask = TVIF_IMAGE;
        item.hItem = hItem;
        TreeView_GetItem(tree.m_hWnd, &item);
        count += item.iImage == CLeftView::kSearchHitImage;
        count += CountMarked(tree, TreeView_GetChild(tree.m_hWnd, hItem));
    }
    return count;
}

struct Kind {
    const char* name;
    std::function<double()> turn;
    std::vector<double> times;
};

void Report(std::vector<Kind>& kinds, int records, int hitFolders, const std::vector<double>& ownRatios)
{
    std::printf("%-28s  %-30s  %s\n", "turn", "median [min-max] ms", "ns a record (median)");
    for (const Kind& kind : kinds) {
        const Spread spread = SpreadOf(kind.times);
        std::printf("%-28s  %-30s  %.1f\n", kind.name, Format(spread).c_str(), spread.median * 1e6 / records);
    }
    const double floor = SpreadOf(kinds[0].times).median, pump = SpreadOf(kinds[1].times).median;
    const double none = SpreadOf(kinds[2].times).median, hits = SpreadOf(kinds[3].times).median;
    std::printf("search's own work a record (no hit - pump alone): %.1f ns, %.2f x the floor "
                "(median of the rounds' ratios %s; goal <= 3)\n",
                (none - pump) * 1e6 / records, (none - pump) / floor, Format(SpreadOf(ownRatios)).c_str());
    std::printf("the pump before every record: %.1f ns, %.0f %% of the search without a hit\n", pump * 1e6 / records,
                100 * pump / none);
    std::printf("the tree's cost a hit (%d hits - no hit): %.3f ms\n", hitFolders, (hits - none) / hitFolders);
}

int RunBench(int rounds, const std::string& folder, int hitFolders)
{
    CEApp app(kRegistryKey);
    if (!app.CreateWindows(std::wstring()))
        Fail("the program did not start");
    const auto children = app.GetMainFrame()->GetMDIChildren();
    if (children.empty())
        Fail("the program opened no window");
    CLeftView& tree = *dynamic_cast<CChildFrame&>(*children.front()).GetLeftPane();
    CDirSzLst& records = app.m_folderInfo;
    std::printf("records stored in %.0f ms\n", Milliseconds([&] { FillRecords(records, folder, hitFolders); }));
    std::fflush(stdout);
    tree.ExpandToPath(folder);
    tree.SelectPath(folder);
    PumpFor(1000);
    if (tree.GetCurrentFolder() != folder)
        Fail("the folder could not be selected");

    CSizeInfo noHit;
    noHit.m_nSize = UINT64_MAX;
    CSizeInfo hits;
    hits.m_nSize = kHitSize;
    const std::string hitsName = "search, " + std::to_string(hitFolders) + " hits";
    volatile uint64_t sink = 0;
    auto search = [&](const CSizeInfo& criteria) {
        tree.ClearSearchMarks();
        return Milliseconds([&] {
            if (!tree.SearchFolders(criteria, 0, true))
                Fail("a search stopped");
        });
    };
    std::vector<Kind> kinds = {
        {"floor: bare run", [&] {
             return Milliseconds([&] {
                 uint64_t sum = 0;
                 for (auto pos = records.GetHeadPosition(); pos;) {
                     const CDirSzEntry& entry = records.GetNext(pos);
                     sum += entry.m_strPath.size() + entry.m_total.m_nSize;
                 }
                 sink = sum;
             });
         }, {}},
        {"pump alone", [&] {
             return Milliseconds([&] {
                 for (int i = records.GetCount(); i > 0; --i)
                     app.m_settings.m_walk.PumpAndCheckStop();
             });
         }, {}},
        {"search, no hit", [&] { return search(noHit); }, {}},
        {hitsName.c_str(), [&] { return search(hits); }, {}},
    };
    // one untimed turn each: the tree opens its folder for the first time in it
    for (Kind& kind : kinds) {
        std::printf("first turn, %s: %.0f ms\n", kind.name, kind.turn());
        std::fflush(stdout);
    }
    const int marked = CountMarked(tree, TreeView_GetRoot(tree.m_hWnd));
    std::printf("%d records, %d marked by the search with hits, %d rounds by turns\n", records.GetCount(), marked,
                rounds);
    if (marked != hitFolders)
        Fail("the search with hits did not mark every hit");
    std::vector<double> ownRatios;
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            Kind& kind = kinds[(i + static_cast<std::size_t>(round)) % kinds.size()];
            kind.times.push_back(kind.turn());
        }
        ownRatios.push_back((kinds[2].times.back() - kinds[1].times.back()) / kinds[0].times.back());
    }
    Report(kinds, records.GetCount(), hitFolders, ownRatios);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const int hitFolders = argc == 4 ? _wtoi(argv[3]) : 1000;
    if (argc < 3 || argc > 4 || _wtoi(argv[1]) < 1 || hitFolders < 1 || hitFolders > 10000) {
        std::fprintf(stderr, "usage: zq_search_bench ROUNDS FOLDER [HITS: 1 to 10000]\n");
        return 2;
    }
    const int status = RunBench(_wtoi(argv[1]), FromWide(argv[2]), hitFolders);
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kRegistryKey).c_str());
    return status;
}
