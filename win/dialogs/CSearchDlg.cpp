// The search dialog's life and position.
#include "dialogs/CSearchDlg.h"

#include "app/CAppSettings.h"
#include "app/CSearchDialogRecord.h"
#include "fw/WindowPlacement.h"
#include "res/resource.h"

CSearchDlg::CSearchDlg(HWND hParent) : CDialog(IDD_SEARCH, hParent) {}

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

// The search itself comes with the search criteria; until then both buttons close the dialog.
void CSearchDlg::OnOK()
{
    ShowWindow(m_hWnd, SW_HIDE);
}

void CSearchDlg::OnCancel()
{
    ShowWindow(m_hWnd, SW_HIDE);
}
