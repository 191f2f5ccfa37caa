// The file list pane.
#include "listpane/CEView.h"

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
    if (CEDoc* pDocument = GetEDoc())
        pDocument->ReadRestoredRecord([this](CArchive& ar) { Serialize(ar); });
    CView::OnInitialUpdate();
}

DWORD CEView::GetControlStyle() const
{
    return LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS;
}
