// The compare summary form.
#include "dialogs/CCompareSummaryDlg.h"

#include "Win32Text.h"
#include "folderdata/CCompareTally.h"
#include "res/resource.h"
#include "services/CTextFormat.h"

CCompareSummaryDlg::CCompareSummaryDlg(HWND hParent) : CDialog(IDD_COMPARE_SUMMARY, hParent) {}

namespace {

constexpr int kTopLines = 10;
// the form in dialog units: between windows, and with a snapshot's part below the counts
constexpr SIZE kWindowsSize = {236, 150};
constexpr SIZE kSnapshotSize = {300, 290};
constexpr int kOkWidth = 50;
constexpr int kOkHeight = 14;
constexpr int kOkMargin = 4;

}  // namespace

void CCompareSummaryDlg::ShowSummary(const std::string& displayPath, const CCompareTally& tally)
{
    if (!m_hWnd && !Create())
        return;
    LayOut(false);
    ShowCounts(displayPath, tally);
    ShowWindow(m_hWnd, SW_SHOW);
}

void CCompareSummaryDlg::ShowSnapshotSummary(const std::string& heading, const CCompareTally& tally, uint64_t nGone,
                                             const std::vector<std::pair<std::string, std::string>>& lines)
{
    if (!m_hWnd && !Create())
        return;
    LayOut(true);
    ShowCounts(heading, tally);
    SetNumber(IDC_SNAPSHOT_GONE, nGone);
    for (int line = 0; line < kTopLines; ++line) {
        const bool bShown = static_cast<std::size_t>(line) < lines.size();
        SetDlgItemTextW(m_hWnd, IDC_SNAPSHOT_SIZE_FIRST + line, bShown ? ToWide(lines[line].first).c_str() : L"");
        SetDlgItemTextW(m_hWnd, IDC_SNAPSHOT_PATH_FIRST + line, bShown ? ToWide(lines[line].second).c_str() : L"");
    }
    ShowWindow(m_hWnd, SW_SHOW);
}

void CCompareSummaryDlg::LayOut(bool bSnapshot)
{
    static constexpr int kLabels[] = {IDC_SNAPSHOT_GONE_LABEL, IDC_SNAPSHOT_GONE, IDC_SNAPSHOT_TOP_LABEL};
    for (const int control : kLabels)
        ShowWindow(GetDlgItem(m_hWnd, control), bSnapshot ? SW_SHOW : SW_HIDE);
    for (int line = 0; line < kTopLines; ++line) {
        ShowWindow(GetDlgItem(m_hWnd, IDC_SNAPSHOT_SIZE_FIRST + line), bSnapshot ? SW_SHOW : SW_HIDE);
        ShowWindow(GetDlgItem(m_hWnd, IDC_SNAPSHOT_PATH_FIRST + line), bSnapshot ? SW_SHOW : SW_HIDE);
    }
    const SIZE size = bSnapshot ? kSnapshotSize : kWindowsSize;
    RECT client = {0, 0, size.cx, size.cy};
    RECT ok = {size.cx - kOkWidth - 8, size.cy - kOkHeight - kOkMargin, size.cx - 8, size.cy - kOkMargin};
    RECT path = {8, 8, size.cx - 8, 18};
    MapDialogRect(m_hWnd, &client);
    MapDialogRect(m_hWnd, &ok);
    MapDialogRect(m_hWnd, &path);
    SetWindowPos(GetDlgItem(m_hWnd, IDC_COMPARE_PATH), nullptr, 0, 0, path.right - path.left, path.bottom - path.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(GetDlgItem(m_hWnd, IDOK), nullptr, ok.left, ok.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    AdjustWindowRectEx(&client, static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(m_hWnd, GWL_EXSTYLE)));
    SetWindowPos(m_hWnd, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void CCompareSummaryDlg::ShowCounts(const std::string& heading, const CCompareTally& tally)
{
    SetDlgItemTextW(m_hWnd, IDC_COMPARE_PATH, ToWide(heading).c_str());
    static constexpr int kControls[] = {IDC_COMPARE_COUNT_N, IDC_COMPARE_COUNT_S, IDC_COMPARE_COUNT_U,
                                        IDC_COMPARE_COUNT_D, IDC_COMPARE_COUNT_F};
    for (std::size_t line = 0; line < CCompareTally::kLetters.size(); ++line)
        SetNumber(kControls[line], tally.CountOf(CCompareTally::kLetters[line]));
    SetNumber(IDC_COMPARE_TOTAL, tally.Total());
    SetNumber(IDC_COMPARE_OBJECTS, tally.Objects());
}

void CCompareSummaryDlg::SetNumber(int control, uint64_t number)
{
    SetDlgItemTextW(m_hWnd, control, ToWide(CTextFormat::FormatGrouped(number)).c_str());
}

void CCompareSummaryDlg::OnOK()
{
    ShowWindow(m_hWnd, SW_HIDE);
}

void CCompareSummaryDlg::OnCancel()
{
    ShowWindow(m_hWnd, SW_HIDE);
}
