// The file list pane.
#include "listpane/CEView.h"

#include "app/CAppSettings.h"
#include "app/CEApp.h"
#include "folderdata/CEDoc.h"

CEDoc* CEView::GetEDoc() const
{
    return dynamic_cast<CEDoc*>(GetDocument());
}

void CEView::Serialize(CArchive&) {}

void CEView::SetClipFromAllRows() {}

// Copying all rows needs rows.
void CEView::OnUpdateCopyAll(CCmdUI& ui)
{
    ui.Enable(ListView_GetItemCount(m_hWnd) > 0);
}

void CEView::OnInitialUpdate()
{
    CEApp& app = AfxGetEApp();
    if (app.m_bRestoring)
        app.m_settings.SerializeOnFile(app.m_settings.m_fileChildWindows, CArchive::load, *this);
    CView::OnInitialUpdate();
}

DWORD CEView::GetControlStyle() const
{
    return LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS;
}
