// The search dialog: its fields, its two buttons, its life and position.
#include "dialogs/CSearchDlg.h"

#include <utility>

#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "app/CSearchDialogRecord.h"
#include "fw/CDataExchange.h"
#include "fw/WindowPlacement.h"
#include "res/resource.h"

namespace {

constexpr double kLargestSize = 1e31;
constexpr int kDateChars = 10;
constexpr int kTimeChars = 5;

CAppSettings& Settings()
{
    return AfxGetAppCore().m_settings;
}

}  // namespace

CSearchDlg::CSearchDlg(HWND hParent, SearchActiveTree searchActiveTree)
    : CDialog(IDD_SEARCH, hParent), m_searchActiveTree(std::move(searchActiveTree))
{
}

void CSearchDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Text(dx, IDC_SEARCH_MESSAGE, m_strMessage);
    DDX_Radio(dx, IDC_SEARCH_COMBINE_AND, m_nCombine);
    DDX_Check(dx, IDC_SEARCH_SKIP_NO_DATE, m_bSkipNoDate);
    DDX_Text(dx, IDC_SEARCH_SIZE, m_dSize);
    DDV_MinMaxDouble(dx, IDC_SEARCH_SIZE, m_dSize, 0, kLargestSize);
    DDX_Radio(dx, IDC_SEARCH_UNIT_B, m_nSizeUnit);
    const struct {
        int id;
        std::string& text;
        int count;
    } texts[] = {
        {IDC_SEARCH_CREATED_DATE, m_strCreatedDate, kDateChars}, {IDC_SEARCH_CREATED_TIME, m_strCreatedTime, kTimeChars},
        {IDC_SEARCH_READ_DATE, m_strReadDate, kDateChars},       {IDC_SEARCH_READ_TIME, m_strReadTime, kTimeChars},
        {IDC_SEARCH_MODIFIED_DATE, m_strModifiedDate, kDateChars},
        {IDC_SEARCH_MODIFIED_TIME, m_strModifiedTime, kTimeChars},
    };
    for (const auto& field : texts) {
        DDX_Text(dx, field.id, field.text);
        DDV_MaxChars(dx, field.id, field.text, field.count);
    }
    DDX_Text(dx, IDC_SEARCH_FILE_COUNT, m_nFileCount);
    DDV_MinMaxUInt(dx, IDC_SEARCH_FILE_COUNT, m_nFileCount, 0, UINT32_MAX);
    DDX_Text(dx, IDC_SEARCH_FOLDER_COUNT, m_nFolderCount);
    DDV_MinMaxUInt(dx, IDC_SEARCH_FOLDER_COUNT, m_nFolderCount, 0, UINT32_MAX);
}

// A field the standard checks refuse has been pointed out already; the criteria are built from
// the values the fields then hold, as the user would expect of the rows that were fine.
bool CSearchDlg::BuildCriteria()
{
    UpdateData(true);
    const bool ok = CSearchCriteria::BuildCriteria(m_criteria, Settings().m_format);
    UpdateData(false);
    return ok;
}

// Pressed while a search or walk waits in its pump, the button only stops it.
void CSearchDlg::OnOK()
{
    if (Settings().m_walk.StopAggregation())
        return;
    ClearTotals(m_criteria);
    if (!BuildCriteria())
        return;
    if (m_searchActiveTree)
        m_searchActiveTree(*this);
}

// Hidden, the dialog would leave the keyboard to no window; the main window takes it back.
void CSearchDlg::OnCancel()
{
    ShowWindow(m_hWnd, SW_HIDE);
    if (HWND hOwner = GetWindow(m_hWnd, GW_OWNER))
        SetActiveWindow(hOwner);
}

void CSearchDlg::Serialize(CArchive& ar)
{
    CSearchDialogRecord record;
    CWindowPlacement placement = GetPlacementOf(m_hWnd);
    if (ar.IsStoring()) {
        record.m_rcNormal = placement.rcNormalPosition;
        record.Serialize(ar);
        return;
    }
    record.Serialize(ar);
    if (record.HasRect()) {
        placement.rcNormalPosition = record.m_rcNormal;
        ApplyPlacement(m_hWnd, placement);
    }
}

void CSearchDlg::LoadPlacement(CAppSettings& settings)
{
    settings.SerializeToFile(settings.m_strSearchDialogPath, CArchive::load, *this);
}

bool CSearchDlg::SavePlacement(CAppSettings& settings)
{
    return settings.SerializeToFile(settings.m_strSearchDialogPath, CArchive::store, *this);
}
