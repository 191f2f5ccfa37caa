// The document's update traffic and commands.
#include "folderdata/CEDoc.h"

#include "app/CAppSettings.h"
#include "app/CEApp.h"
#include "app/CSearchDialogRecord.h"
#include "dialogs/CSearchDlg.h"
#include "res/resource.h"

CEDoc::CEDoc()
{
    OnCommand(ID_REFRESH, [this](UINT) { OnRefresh(); });
    OnCommand(ID_LINKAGE, [this](UINT) { OnLinkage(); });
    OnUpdateUI(ID_LINKAGE, [this](CCmdUI& ui) { OnUpdateLinkage(ui); });
    OnCommand(ID_KBYTE_1000, [](UINT) { AfxGetEApp().m_settings.m_format.m_nKByte = 1000; });
    OnUpdateUI(ID_KBYTE_1000, [](CCmdUI& ui) { ui.SetRadio(AfxGetEApp().m_settings.m_format.m_nKByte == 1000); });
    OnCommand(ID_KBYTE_1024, [](UINT) { AfxGetEApp().m_settings.m_format.m_nKByte = 1024; });
    OnUpdateUI(ID_KBYTE_1024, [](CCmdUI& ui) { ui.SetRadio(AfxGetEApp().m_settings.m_format.m_nKByte == 1024); });
    OnCommand(ID_SHOW_SEARCH, [this](UINT) { OnShowSearchDialog(); });
}

void CEDoc::NotifyAll(int code, CUpdateHint& hint)
{
    UpdateAllViews(nullptr, code, &hint);
    AfxGetEApp().UpdateAllDocuments(this, code, hint);
}

void CEDoc::OnDocumentHint(CEDoc*, int code, CUpdateHint& hint)
{
    if (code == kHintLinkageChanged) {
        SetBasePath(AfxGetEApp().m_bLinkage != 0);
        return;
    }
    if (code == kHintLinkageQuery) {
        if (hint.m_nParam2 != 0) {
            hint.m_nParam2 = IsComparable() ? 1 : 0;
            if (hint.m_nParam2 != 0 && m_strCurPath == hint.m_strPath)
                hint.m_nParam2 = 0;
        }
        return;
    }
    UpdateAllViews(nullptr, code, &hint);
}

void CEDoc::SetBasePath(bool bOn)
{
    m_strBasePath = bOn ? m_strCurPath : std::string();
}

CFolderNode* CEDoc::AddFolderNode(std::string path, std::string name, std::wstring label)
{
    auto pNode = std::make_unique<CFolderNode>(std::move(path), std::move(name), std::move(label));
    CFolderNode* pAdded = pNode.get();
    m_folderNodeIndex.emplace(pAdded, m_folderNodes.size());
    m_folderNodes.push_back(std::move(pNode));
    return pAdded;
}

// The last node takes the released one's place.
void CEDoc::ReleaseFolderNode(CFolderNode* pNode)
{
    const auto found = m_folderNodeIndex.find(pNode);
    if (found == m_folderNodeIndex.end())
        return;
    const std::size_t index = found->second;
    m_folderNodeIndex.erase(found);
    if (index + 1 != m_folderNodes.size()) {
        m_folderNodes[index] = std::move(m_folderNodes.back());
        m_folderNodeIndex[m_folderNodes[index].get()] = index;
    }
    m_folderNodes.pop_back();
}

void CEDoc::ReleaseAllFolderNodes()
{
    m_folderNodeIndex.clear();
    m_folderNodes.clear();
}

bool CEDoc::IsComparable() const
{
    return !AfxGetEApp().m_settings.m_keys.IsMyComputerKey(m_strCurPath);
}

void CEDoc::OnUpdateAggregate(CCmdUI& ui)
{
    ui.Enable(true);
    ui.SetCheck(AfxGetEApp().m_settings.m_bWalkRunning ? 1 : 0);
}

bool CEDoc::CreateImageList(HIMAGELIST& hImageList)
{
    if (hImageList)
        return true;
    hImageList = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 10, 2);
    if (!hImageList)
        return false;
    for (UINT id = IDB_IMAGE_QUESTION; id <= IDB_IMAGE_MARK_U; ++id) {
        HBITMAP hBitmap = LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
        if (hBitmap) {
            ImageList_AddMasked(hImageList, hBitmap, RGB(128, 0, 0));
            DeleteObject(hBitmap);
        }
    }
    return true;
}

// Both ways the rectangle is the search dialog's, as the dialog itself stores it; without the
// dialog a stored rectangle is empty and a loaded one has nowhere to go.
void CEDoc::Serialize(CArchive& ar)
{
    CSearchDlg* pDialog = AfxGetEApp().m_pSearchDlg.get();
    if (pDialog) {
        pDialog->Serialize(ar);
        return;
    }
    CSearchDialogRecord record;
    record.Serialize(ar);
}

void CEDoc::OnRefresh()
{
    CUpdateHint hint;
    NotifyAll(kHintRefresh, hint);
}

void CEDoc::OnLinkage()
{
    CEApp& app = AfxGetEApp();
    app.m_bLinkage = app.m_bLinkage ? 0 : 1;
    app.PumpMessages();
    SetBasePath(app.m_bLinkage != 0);
    CUpdateHint hint;
    app.UpdateAllDocuments(this, kHintLinkageChanged, hint);
}

void CEDoc::OnUpdateLinkage(CCmdUI& ui)
{
    CEApp& app = AfxGetEApp();
    bool bEnable = app.GetDocumentCount() >= 2 && IsComparable();
    if (bEnable) {
        CUpdateHint hint;
        hint.m_strPath = m_strCurPath;
        app.UpdateAllDocuments(this, kHintLinkageQuery, hint);
        bEnable = hint.m_nParam2 != 0;
    }
    ui.Enable(bEnable);
    if (!bEnable)
        app.m_bLinkage = 0;
    ui.SetCheck(app.m_bLinkage ? 1 : 0);
}

void CEDoc::OnShowSearchDialog()
{
    AfxGetEApp().ShowSearchDialog();
}
