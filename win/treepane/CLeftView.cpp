// The folder tree pane.
#include "treepane/CLeftView.h"

#include "app/CEApp.h"
#include "app/SortSettings.h"
#include "folderdata/CEDoc.h"

CEDoc* CLeftView::GetEDoc() const
{
    return dynamic_cast<CEDoc*>(GetDocument());
}

const std::string& CLeftView::GetCurrentFolder() const
{
    static const std::string none;
    CEDoc* pDocument = GetEDoc();
    return pDocument ? pDocument->m_strCurPath : none;
}

void CLeftView::Serialize(CArchive&) {}

void CLeftView::SelectParentFolder() {}

void CLeftView::SortFolders(int32_t key)
{
    CEApp& app = AfxGetEApp();
    g_nFolderSortDirection = key == app.m_nFolderSortKey ? (g_nFolderSortDirection ? 0 : 1) : 1;
    app.m_nFolderSortKey = key;
}

bool CLeftView::CanSortFolders() const
{
    return true;
}

void CLeftView::OnUpdateFolderUp(CCmdUI& ui)
{
    ui.Enable(true);
}

void CLeftView::OnUpdateRefreshOnOpen(CCmdUI& ui)
{
    ui.Enable(true);
    ui.SetCheck(AfxGetEApp().m_bRefreshOnOpen ? 1 : 0);
}

void CLeftView::OnInitialUpdate()
{
    CEApp& app = AfxGetEApp();
    if (app.m_bRestoring)
        app.m_settings.SerializeOnFile(app.m_settings.m_fileChildWindows, CArchive::load, *this);
    CView::OnInitialUpdate();
}

DWORD CLeftView::GetControlStyle() const
{
    return TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_EDITLABELS;
}
