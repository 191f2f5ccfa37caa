// The compare summary form.
#include "dialogs/CCompareSummaryDlg.h"

#include "Win32Text.h"
#include "folderdata/CCompareTally.h"
#include "res/resource.h"
#include "services/CTextFormat.h"

CCompareSummaryDlg::CCompareSummaryDlg(HWND hParent) : CDialog(IDD_COMPARE_SUMMARY, hParent) {}

void CCompareSummaryDlg::ShowSummary(const std::string& displayPath, const CCompareTally& tally)
{
    if (!m_hWnd && !Create())
        return;
    SetDlgItemTextW(m_hWnd, IDC_COMPARE_PATH, ToWide(displayPath).c_str());
    static constexpr int kControls[] = {IDC_COMPARE_COUNT_N, IDC_COMPARE_COUNT_S, IDC_COMPARE_COUNT_U,
                                        IDC_COMPARE_COUNT_D, IDC_COMPARE_COUNT_F};
    for (std::size_t line = 0; line < CCompareTally::kLetters.size(); ++line)
        SetNumber(kControls[line], tally.CountOf(CCompareTally::kLetters[line]));
    SetNumber(IDC_COMPARE_TOTAL, tally.Total());
    SetNumber(IDC_COMPARE_OBJECTS, tally.Objects());
    ShowWindow(m_hWnd, SW_SHOW);
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
