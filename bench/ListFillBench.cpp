// ListFillBench: the file list pane filled from folders of many files, against a minimal report list view in the same process.
//
//   zq_listfill_bench ROUNDS FOLDER...      (Windows paths; bench/list_fill.sh builds the folders and runs it)
//   zq_listfill_bench --paste ROUNDS TARGET SOURCE      (bench/paste_update.sh)
//
// The program's application runs in this process, as the in-process GUI tests run it. Its list is
// measured against a floor: the least a report list view of the same files costs under the same
// Wine, a FindFirstFileExW loop that inserts one ten-column row per file. For every folder each
// side first has an untimed turn (the file system's cache and the list's previous contents are then
// alike for both), then ROUNDS timed turns each, by turns, the side that goes first alternating.
// A turn starts with its window brought to the front and painted, and ends once its list has
// painted its first page, so that both sides pay for drawing. Then the program's list of the last
// folder is sorted by name, size and modified date, ROUNDS times each. Last the program's list
// fills the first folder twice untimed, counting the messages it gets a row in the refill (where
// the time goes). Prints medians and the spread; not a test.
//
// With --paste it measures the list's update after a paste instead: TARGET is shown (its plain
// refill timed), SOURCE's files are moved into it outside the timing, the update that the document
// sends after a shell operation (code 1) is timed, then the refill of the same folder, now holding
// both, and the files go back; ROUNDS rounds, each reporting the update against both refills.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "BenchSpread.h"
#include "listpane/CListColumns.h"
#include "Win32Text.h"
#include "app/CAppSettings.h"
#include "app/CChildFrame.h"
#include "app/CEApp.h"
#include "app/CMainFrame.h"
#include "folderdata/CEDoc.h"
#include "CPlatform.h"
#include "folderdata/CUpdateHint.h"
#include "listpane/CEView.h"
#include "services/CFileOperationCheck.h"

namespace {

// The program keeps its registered folders here, apart from a real installation's.
const wchar_t kRegistryKey[] = L"ZQ List Bench";

double Seconds()
{
    static const double frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return static_cast<double>(value.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

// Lets every waiting message through (painting included), as the program's own loop does before
// the user sees the result.
void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The end of a turn: whatever the turn posted has run and the window with its children has painted.
void Settle(HWND hFrame)
{
    Pump();
    RedrawWindow(hFrame, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// Nothing of the other side's window covers this one during its turn, and the turn paints only
// what the turn itself changed.
void BringToFront(HWND hFrame)
{
    SetWindowPos(hFrame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(hFrame);
    Settle(hFrame);
}

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "zq_listfill_bench: %s\n", what);
    std::exit(1);
}

// ---- the floor ----

// "1,234,567"
std::wstring GroupedSize(ULONGLONG size)
{
    std::wstring digits = std::to_wstring(size);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), L",");
    return digits;
}

// "yy/mm/dd hh:mm" in local time.
std::wstring ShortDate(const FILETIME& time)
{
    FILETIME local;
    SYSTEMTIME parts;
    FileTimeToLocalFileTime(&time, &local);
    FileTimeToSystemTime(&local, &parts);
    wchar_t text[32];
    std::swprintf(text, std::size(text), L"%02u/%02u/%02u %02u:%02u", parts.wYear % 100u, parts.wMonth, parts.wDay,
                  parts.wHour, parts.wMinute);
    return text;
}

// A type named after the extension, as a shell names files no program claims.
std::wstring TypeText(const wchar_t* name)
{
    const wchar_t* dot = std::wcsrchr(name, L'.');
    std::wstring type = dot ? std::wstring(dot + 1) : std::wstring();
    for (wchar_t& c : type)
        c = static_cast<wchar_t>(std::towupper(c));
    return type + L" File";
}

std::wstring AttributeText(DWORD attributes)
{
    std::wstring text;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        text += L'R';
    if (attributes & FILE_ATTRIBUTE_HIDDEN)
        text += L'H';
    if (attributes & FILE_ATTRIBUTE_SYSTEM)
        text += L'S';
    if (attributes & FILE_ATTRIBUTE_ARCHIVE)
        text += L'A';
    return text;
}

void SetCellText(HWND hList, int row, int column, const std::wstring& text)
{
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(hList, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// One row at the end of the list, with the texts a file's row shows in the program's columns
// (the compare mark and the folder and file counts are empty for a file).
void AppendFloorRow(HWND hList, int row, WIN32_FIND_DATAW& data)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = data.cFileName;
    item.lParam = row;
    row = static_cast<int>(SendMessageW(hList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const std::wstring texts[CListColumns::kCount] = {
        std::wstring(),          TypeText(data.cFileName),          std::wstring(),
        GroupedSize(size),       ShortDate(data.ftLastWriteTime),   ShortDate(data.ftLastAccessTime),
        ShortDate(data.ftCreationTime), AttributeText(data.dwFileAttributes), std::wstring(),
        std::wstring()};
    for (int column = 1; column < CListColumns::kCount; ++column)
        SetCellText(hList, row, column, texts[column]);
}

// Empties the list, appends a row per file of the folder and titles the window; the row count.
// Drawing is off meanwhile: under Wine 8 every row inserted into a list view that draws costs some
// 15 ms (ten thousand rows take minutes), against some 20 us with drawing off.
int FillFloor(HWND hFrame, HWND hList, const std::wstring& folder)
{
    SendMessageW(hList, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(hList);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    int rows = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                AppendFloorRow(hList, rows++, data);
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SendMessageW(hList, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hList, nullptr, TRUE);
    SetWindowTextW(hFrame, (std::to_wstring(rows) + L" files").c_str());
    return rows;
}

struct FloorWindow {
    HWND hFrame = nullptr;
    HWND hList = nullptr;
};

void AddColumns(HWND hList)
{
    for (int column = 0; column < CListColumns::kCount; ++column) {
        const CListColumns::Definition& definition = CListColumns::At(column);
        std::wstring caption = ToWide(definition.caption);
        LVCOLUMNW lvc{};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        lvc.fmt = definition.rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
        lvc.cx = definition.width;
        lvc.pszText = caption.data();
        lvc.iSubItem = column;
        ListView_InsertColumn(hList, column, &lvc);
    }
}

// A top-level window whose list has the client size and font of the program's list pane.
FloorWindow CreateFloorWindow(SIZE listSize, HFONT hFont)
{
    const HINSTANCE hInstance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"ZqListFloor";
    RegisterClassW(&wc);
    RECT frame{0, 0, listSize.cx, listSize.cy};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    FloorWindow window;
    window.hFrame = CreateWindowExW(0, wc.lpszClassName, L"floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                    frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, hInstance,
                                    nullptr);
    window.hList = CreateWindowExW(0, WC_LISTVIEWW, L"",
                                   WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS, 0, 0,
                                   listSize.cx, listSize.cy, window.hFrame, nullptr, hInstance, nullptr);
    if (!window.hFrame || !window.hList)
        Fail("the floor's window could not be created");
    SendMessageW(window.hList, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    AddColumns(window.hList);
    return window;
}

double TimeFloorTurn(const FloorWindow& floor, const std::wstring& folder, int& rows)
{
    BringToFront(floor.hFrame);
    const double start = Seconds();
    rows = FillFloor(floor.hFrame, floor.hList, folder);
    Settle(floor.hFrame);
    return Seconds() - start;
}

// ---- the program ----

CChildFrame& FirstChild(CEApp& app)
{
    const auto children = app.GetMainFrame()->GetMDIChildren();
    if (children.empty())
        Fail("the program opened no window");
    return dynamic_cast<CChildFrame&>(*children.front());
}

// The folder becomes the window's selection the way the tree passes one on: the document's
// current folder, then the refresh update on which the list empties, fills, sorts and retitles.
void SelectInProgram(CChildFrame& child, const std::string& folder)
{
    CEDoc& document = *child.GetEDoc();
    document.m_strCurPath = folder;
    CUpdateHint hint;
    hint.m_strPath = folder;
    document.UpdateAllViews(nullptr, kHintRefresh, &hint);
}

// A program turn longer than this is stopped as the user would stop it (the stop flag, read at the
// pumps of the listing): its folder is measured by that one partial turn and the larger folders
// are left out, which at the same cost per row would take hours.
constexpr UINT kTurnBudgetMilliseconds = 60'000;

CEDoc* g_pDocumentOfTurn = nullptr;

void CALLBACK StopOverlongTurn(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pDocumentOfTurn)
        g_pDocumentOfTurn->StopWalk();
}

// The seconds of the turn; rows is the number of rows the list holds afterwards.
double TimeProgramTurn(CEApp& app, const std::string& folder, int& rows, std::string& title)
{
    CChildFrame& child = FirstChild(app);
    CEDoc& document = *child.GetEDoc();
    const HWND hFrame = app.GetMainFrame()->m_hWnd;
    document.SetTitle("");
    BringToFront(hFrame);
    g_pDocumentOfTurn = &document;
    const UINT_PTR timer = SetTimer(nullptr, 0, kTurnBudgetMilliseconds, StopOverlongTurn);
    const double start = Seconds();
    SelectInProgram(child, folder);
    Settle(hFrame);
    const double seconds = Seconds() - start;
    KillTimer(nullptr, timer);
    g_pDocumentOfTurn = nullptr;
    rows = ListView_GetItemCount(child.GetRightPane()->m_hWnd);
    title = document.GetTitle();
    if (title.empty())
        Fail("the program's list left the window without a title");
    return seconds;
}

double TimeProgramSort(CEApp& app, int column)
{
    CEView& list = *FirstChild(app).GetRightPane();
    const double start = Seconds();
    list.SortByColumn(column);
    Settle(app.GetMainFrame()->m_hWnd);
    return Seconds() - start;
}

// The program's list pane: its client size and font, which the floor's list copies.
SIZE ProgramListSize(CEApp& app, HFONT& hFont)
{
    const HWND hList = FirstChild(app).GetRightPane()->m_hWnd;
    RECT client;
    GetClientRect(hList, &client);
    hFont = reinterpret_cast<HFONT>(SendMessageW(hList, WM_GETFONT, 0, 0));
    return SIZE{client.right, client.bottom};
}

// ---- messages a row ----

// The messages sent to the program's list during a turn, by message, and its notifications to
// its parent, by code: a hook on the thread's sent messages counts them.
HWND g_hCountedList = nullptr;
std::map<std::pair<UINT, UINT>, long> g_listMessages;

LRESULT CALLBACK CountListMessage(int code, WPARAM wParam, LPARAM lParam)
{
    const auto& sent = *reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent.hwnd == g_hCountedList)
        ++g_listMessages[{sent.message, 0}];
    else if (code == HC_ACTION && sent.message == WM_NOTIFY &&
             reinterpret_cast<const NMHDR*>(sent.lParam)->hwndFrom == g_hCountedList)
        ++g_listMessages[{WM_NOTIFY, reinterpret_cast<const NMHDR*>(sent.lParam)->code}];
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A refill, as in a timed turn: the rows of the same folder go, then come again. The hook slows
// every message down, so the smaller folder is counted.
void CountProgramMessages(CEApp& app, const std::wstring& folder)
{
    std::string title;
    int rows = 0;
    TimeProgramTurn(app, FromWide(folder), rows, title);
    g_hCountedList = FirstChild(app).GetRightPane()->m_hWnd;
    g_listMessages.clear();
    HHOOK hHook = SetWindowsHookExW(WH_CALLWNDPROC, CountListMessage, nullptr, GetCurrentThreadId());
    TimeProgramTurn(app, FromWide(folder), rows, title);
    UnhookWindowsHookEx(hHook);
    std::printf("messages a row to the program's list filling %d rows (message, or WM_NOTIFY:code):", rows);
    for (const auto& [message, count] : g_listMessages) {
        if (count * 100 >= rows) {
            std::printf(message.first == WM_NOTIFY ? "  0x4e:%d %.2f" : "  0x%x %.2f",
                        message.first == WM_NOTIFY ? static_cast<int>(message.second) : static_cast<int>(message.first),
                        static_cast<double>(count) / rows);
        }
    }
    std::printf("\n");
}

// ---- the report ----

struct FolderResult {
    int rows = 0;
    std::vector<double> floor;
    std::vector<double> program;
    std::vector<double> ratios;  // each round's program time over its floor time
    int programRows = 0;         // fewer than rows when the program's turn was stopped
};

void PrintTable(const std::vector<FolderResult>& results)
{
    std::printf("%8s  %-26s  %-26s  %s\n", "rows", "floor median [min-max] s", "program median [min-max] s",
                "ratio of medians (median of the rounds' ratios)");
    for (const FolderResult& result : results) {
        const Spread floor = SpreadOf(result.floor), program = SpreadOf(result.program);
        std::printf("%8d  %-26s  %-26s  %.2f (%.2f)", result.rows, Format(floor).c_str(), Format(program).c_str(),
                    program.median / floor.median, SpreadOf(result.ratios).median);
        if (result.programRows != result.rows)
            std::printf("  the program stopped at %d rows", result.programRows);
        std::printf("\n");
    }
    if (results.size() >= 2) {
        const double first = SpreadOf(results.front().program).median, last = SpreadOf(results.back().program).median;
        std::printf("program %d rows / %d rows: %.2f\n", results.back().rows, results.front().rows, last / first);
    }
}

void AddTurns(FolderResult& result, double floorSeconds, double programSeconds)
{
    result.floor.push_back(floorSeconds);
    result.program.push_back(programSeconds);
    result.ratios.push_back(programSeconds / floorSeconds);
}

// One turn of each side, in the order the round asks for.
void RunRound(CEApp& app, const FloorWindow& floor, const std::wstring& folder, bool bFloorFirst,
              FolderResult& result)
{
    std::string title;
    int rows = 0, programRows = 0;
    double floorSeconds = 0, programSeconds = 0;
    for (int side = 0; side < 2; ++side) {
        if ((side == 0) == bFloorFirst)
            floorSeconds = TimeFloorTurn(floor, folder, rows);
        else
            programSeconds = TimeProgramTurn(app, FromWide(folder), programRows, title);
    }
    if (rows != result.rows || programRows != result.rows)
        Fail("a list's row count changed between turns");
    AddTurns(result, floorSeconds, programSeconds);
}

// The first turn of each side is not counted, unless the program's was stopped: then it is the
// folder's only measurement.
FolderResult MeasureFolder(CEApp& app, const FloorWindow& floor, const std::wstring& folder, int rounds)
{
    FolderResult result;
    std::string title;
    const double floorSeconds = TimeFloorTurn(floor, folder, result.rows);
    const double programSeconds = TimeProgramTurn(app, FromWide(folder), result.programRows, title);
    std::printf("%ls: %d files, first turns: floor %.3f s, program %.3f s for %d rows; the program's title: %s\n",
                folder.c_str(), result.rows, floorSeconds, programSeconds, result.programRows, title.c_str());
    std::fflush(stdout);
    if (result.programRows != result.rows) {
        std::printf("the program's turn was stopped after %u s: %.1f ms a row, against %.3f ms for the floor\n",
                    kTurnBudgetMilliseconds / 1000, 1000 * programSeconds / result.programRows,
                    1000 * floorSeconds / result.rows);
        AddTurns(result, floorSeconds, programSeconds);
        return result;
    }
    for (int round = 0; round < rounds; ++round)
        RunRound(app, floor, folder, round % 2 == 0, result);
    return result;
}

void MeasureSorts(CEApp& app, int rows, int rounds)
{
    static constexpr int kColumns[] = {CListColumns::kName, CListColumns::kSize, CListColumns::kModified};
    std::vector<double> times[std::size(kColumns)];
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < std::size(kColumns); ++i)
            times[i].push_back(TimeProgramSort(app, kColumns[i]));
    }
    std::printf("program sort of %d rows, median [min-max] s:", rows);
    for (std::size_t i = 0; i < std::size(kColumns); ++i)
        std::printf("  column %d %s", kColumns[i], Format(SpreadOf(times[i])).c_str());
    std::printf("\n");
}

int RunBench(int rounds, const std::vector<std::wstring>& folders)
{
    CEApp app(kRegistryKey);
    if (!app.CreateWindows(std::wstring()))
        Fail("the program did not start");
    Pump();
    HFONT hFont = nullptr;
    const SIZE listSize = ProgramListSize(app, hFont);
    const FloorWindow floor = CreateFloorWindow(listSize, hFont);
    std::printf("list client area %ldx%ld, %d rounds by turns\n", listSize.cx, listSize.cy, rounds);
    std::vector<FolderResult> results;
    for (const std::wstring& folder : folders) {
        results.push_back(MeasureFolder(app, floor, folder, rounds));
        if (results.back().programRows != results.back().rows) {
            std::printf("larger folders left out\n");
            break;
        }
    }
    PrintTable(results);
    MeasureSorts(app, results.back().programRows, rounds);
    CountProgramMessages(app, folders.front());
    DestroyWindow(floor.hFrame);
    return 0;
}

// ---- the list's update after a paste ----

// The names of a folder's files.
std::vector<std::wstring> FileNamesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

void MoveAll(const std::vector<std::wstring>& names, const std::wstring& from, const std::wstring& to)
{
    for (const std::wstring& name : names) {
        if (!MoveFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str()))
            Fail("a file could not be moved");
    }
}

// The update every list gets after the shell moved the clipboard's entries into target.
double TimePasteUpdate(CEApp& app, const std::string& target)
{
    CEDoc& document = *FirstChild(app).GetEDoc();
    CUpdateHint hint;
    hint.m_strOldPath = "old";
    hint.m_strPath = target;
    hint.m_nCode = kFoMove;
    hint.m_info.m_nSize = 999;
    const HWND hFrame = app.GetMainFrame()->m_hWnd;
    BringToFront(hFrame);
    const double start = Seconds();
    document.NotifyAll(kHintFilesOperated, hint);
    Settle(hFrame);
    return Seconds() - start;
}

// The checks the file services make before they hand the clipboard's move to the shell: every
// source found on disk, and its namesake in the target looked for.
double TimeChecksBefore(CEApp& app, const std::string& target)
{
    CEDoc& document = *FirstChild(app).GetEDoc();
    const double start = Seconds();
    if (!CFileOperationCheck(document.GetSettings().m_keys).MayStart(kFoMove, document.GetClipList(), target))
        Fail("the checks refused the paste");
    return Seconds() - start;
}

struct PasteRound {
    double checks = 0;       // before the shell is called
    double move = 0;         // the files moved, as the shell moves them
    double refill = 0;       // the target as it was
    double update = 0;       // after the paste
    double refillAfter = 0;  // the target with the pasted files
};

PasteRound RunPasteRound(CEApp& app, const std::wstring& target, const std::wstring& source,
                         const std::vector<std::wstring>& names)
{
    PasteRound round;
    std::string title;
    int rows = 0;
    round.refill = TimeProgramTurn(app, FromWide(target), rows, title);
    const int before = rows;
    round.checks = TimeChecksBefore(app, FromWide(target));
    const double start = Seconds();
    MoveAll(names, source, target);
    round.move = Seconds() - start;
    round.update = TimePasteUpdate(app, FromWide(target));
    if (ListView_GetItemCount(FirstChild(app).GetRightPane()->m_hWnd) != before + static_cast<int>(names.size()))
        Fail("the update did not show every pasted file");
    round.refillAfter = TimeProgramTurn(app, FromWide(target), rows, title);
    MoveAll(names, target, source);
    return round;
}

int RunPasteBench(int rounds, const std::wstring& target, const std::wstring& source)
{
    CEApp app(kRegistryKey);
    if (!app.CreateWindows(std::wstring()))
        Fail("the program did not start");
    Pump();
    const std::vector<std::wstring> names = FileNamesIn(source);
    CPathList& clip = FirstChild(app).GetEDoc()->GetClipList();
    for (const std::wstring& name : names)
        clip.Add(FromWide(source + L"\\" + name), kAttrArchive);
    RunPasteRound(app, target, source, names);  // not counted: the caches settle
    std::vector<double> refills, updates, refillsAfter, ratios, ratiosAfter, checks, checkShares;
    for (int round = 0; round < rounds; ++round) {
        const PasteRound r = RunPasteRound(app, target, source, names);
        refills.push_back(r.refill);
        updates.push_back(r.update);
        refillsAfter.push_back(r.refillAfter);
        ratios.push_back(r.update / r.refill);
        ratiosAfter.push_back(r.update / r.refillAfter);
        checks.push_back(r.checks);
        checkShares.push_back(r.checks / (r.move + r.update));
    }
    std::printf("%zu files pasted into %ls, %d rounds, median [min-max] s\n", names.size(), target.c_str(), rounds);
    std::printf("  refill before the paste:        %s\n", Format(SpreadOf(refills)).c_str());
    std::printf("  update after the paste:         %s\n", Format(SpreadOf(updates)).c_str());
    std::printf("  refill after the paste:         %s\n", Format(SpreadOf(refillsAfter)).c_str());
    std::printf("  update / refill before:  %s (goal <= 2)\n", Format(SpreadOf(ratios)).c_str());
    std::printf("  update / refill after:   %s\n", Format(SpreadOf(ratiosAfter)).c_str());
    std::printf("  checks before the shell:        %s\n", Format(SpreadOf(checks)).c_str());
    std::printf("  checks / (move + update): %s (goal <= 0.10)\n", Format(SpreadOf(checkShares)).c_str());
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int status = 0;
    if (argc == 5 && std::wstring(argv[1]) == L"--paste" && _wtoi(argv[2]) >= 1) {
        status = RunPasteBench(_wtoi(argv[2]), argv[3], argv[4]);
    } else if (argc >= 3 && _wtoi(argv[1]) >= 1) {
        status = RunBench(_wtoi(argv[1]), std::vector<std::wstring>(argv + 2, argv + argc));
    } else {
        std::fprintf(stderr, "usage: zq_listfill_bench ROUNDS FOLDER... | --paste ROUNDS TARGET SOURCE\n");
        return 2;
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kRegistryKey).c_str());
    return status;
}
