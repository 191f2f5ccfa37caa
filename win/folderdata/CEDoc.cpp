// The document's update traffic, nodes, shared state and commands.
#include "folderdata/CEDoc.h"

#include "CWin32Platform.h"
#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "folderdata/CDocumentHost.h"
#include "fw/CMultiDocTemplate.h"
#include "res/resource.h"
#include "treepane/CFolderOrder.h"

CEDoc::CEDoc(CAppCore& app, const CDocumentHost& host) : m_app(app), m_host(host)
{
    OnCommand(ID_REFRESH, [this](UINT) { OnRefresh(); });
    OnCommand(ID_LINKAGE, [this](UINT) { OnLinkage(); });
    OnUpdateUI(ID_LINKAGE, [this](CCmdUI& ui) { UpdateLinkedSwitch(ui, m_app.m_bLinkage); });
    OnCommand(ID_COMPARE, [this](UINT) { OnCompare(); });
    OnUpdateUI(ID_COMPARE, [this](CCmdUI& ui) { UpdateLinkedSwitch(ui, m_app.m_bCompare); });
    OnCommand(ID_KBYTE_1000, [this](UINT) { GetSettings().m_format.m_nKByte = 1000; });
    OnUpdateUI(ID_KBYTE_1000, [this](CCmdUI& ui) { ui.SetRadio(GetSettings().m_format.m_nKByte == 1000); });
    OnCommand(ID_KBYTE_1024, [this](UINT) { GetSettings().m_format.m_nKByte = 1024; });
    OnUpdateUI(ID_KBYTE_1024, [this](CCmdUI& ui) { ui.SetRadio(GetSettings().m_format.m_nKByte == 1024); });
    OnCommand(ID_SHOW_SEARCH, [this](UINT) { OnShowSearchDialog(); });
}

// ---- update traffic ----

void CEDoc::NotifyAll(int code, CUpdateHint& hint)
{
    UpdateAllViews(nullptr, code, &hint);
    NotifyOthers(code, hint);
}

void CEDoc::NotifyOthers(int code, CUpdateHint& hint)
{
    NotifyDocuments(m_pDocTemplate, this, code, hint);
}

void CEDoc::NotifyDocuments(const CMultiDocTemplate* pTemplate, CEDoc* pSender, int code, CUpdateHint& hint)
{
    if (!pTemplate)
        return;
    for (CViewDocument* pDocument : pTemplate->GetDocuments()) {
        auto* pEDoc = dynamic_cast<CEDoc*>(pDocument);
        if (pEDoc && pEDoc != pSender)
            pEDoc->OnDocumentHint(pSender, code, hint);
    }
}

void CEDoc::OnDocumentHint(CEDoc*, int code, CUpdateHint& hint)
{
    if (code == kHintLinkageChanged) {
        SetBasePath(IsLinkageOn());
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

bool CEDoc::IsComparable() const
{
    return !GetSettings().m_keys.IsMyComputerKey(m_strCurPath);
}

// ---- the tree's nodes ----

CFolderNode* CEDoc::AddFolderNode(std::string path, std::string name, std::wstring label)
{
    return m_folderNodes.Add(std::move(path), std::move(name), std::move(label));
}

void CEDoc::ReleaseFolderNode(CFolderNode* pNode)
{
    m_folderNodes.Release(pNode);
}

void CEDoc::ReleaseAllFolderNodes()
{
    m_folderNodes.Clear();
}

// ---- what all windows share ----

CAppSettings& CEDoc::GetSettings() const
{
    return m_app.m_settings;
}

CDirSzLst& CEDoc::GetFolderInfo() const
{
    return m_app.m_folderInfo;
}

void CEDoc::StopWalk()
{
    GetSettings().m_bWalkRunning = false;
}

bool CEDoc::PumpMessages()
{
    return m_app.PumpMessages();
}

void CEDoc::ClearLastError()
{
    m_app.m_dwLastError = 0;
}

uint32_t CEDoc::GetLastErrorCode() const
{
    return m_app.m_dwLastError;
}

bool CEDoc::IsLinkageOn() const
{
    return m_app.m_bLinkage != 0;
}

bool CEDoc::IsRefreshOnOpen() const
{
    return m_app.m_bRefreshOnOpen != 0;
}

void CEDoc::SetRefreshOnOpen(bool bOn)
{
    m_app.m_bRefreshOnOpen = bOn ? 1 : 0;
}

bool CEDoc::IsReaggregateOn() const
{
    return m_app.m_bReaggregate != 0;
}

void CEDoc::SetReaggregate(bool bOn)
{
    m_app.m_bReaggregate = bOn ? 1 : 0;
}

int32_t CEDoc::GetFolderSortKey() const
{
    return m_app.m_nFolderSortKey;
}

void CEDoc::SelectFolderSortKey(int32_t key)
{
    CFolderOrder::SelectKey(m_app, key);
}

// ---- start-up of a window ----

bool CEDoc::IsRestoring() const
{
    return m_app.m_bRestoring != 0;
}

void CEDoc::ReadRestoredRecord(const std::function<void(CArchive&)>& serialize)
{
    if (IsRestoring())
        GetSettings().SerializeOnFile(GetSettings().m_fileChildWindows, CArchive::load, serialize);
}

std::string CEDoc::TakeStartPath()
{
    std::string path = std::move(m_app.m_strStartPath);
    m_app.m_strStartPath.clear();
    return path;
}

void CEDoc::NoteRegisteredFolderMissing()
{
    m_app.m_bRegisteredFound = 0;
}

// ---- what both panes share, and the commands ----

void CEDoc::OnUpdateAggregate(CCmdUI& ui)
{
    ui.Enable(true);
    ui.SetCheck(GetSettings().m_bWalkRunning ? 1 : 0);
}

// The drive icons come from the system's small image list, which the Win32 platform keeps.
HICON CEDoc::ShellSmallIcon(const std::string& path)
{
    static CWin32Platform shell;
    return shell.SmallIconHandle(shell.ShellSmallIconOf(path));
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

// The content is the search dialog's ("Dilog Find"), which only the application knows.
void CEDoc::Serialize(CArchive& ar)
{
    if (m_host.m_serializeSearchDialog)
        m_host.m_serializeSearchDialog(ar);
}

void CEDoc::OnRefresh()
{
    CUpdateHint hint;
    NotifyAll(kHintRefresh, hint);
}

void CEDoc::OnLinkage()
{
    m_app.m_bLinkage = m_app.m_bLinkage ? 0 : 1;
    PumpMessages();
    SetBasePath(IsLinkageOn());
    CUpdateHint hint;
    NotifyOthers(kHintLinkageChanged, hint);
}

bool CEDoc::IsLinkageEligible()
{
    if (!m_pDocTemplate || m_pDocTemplate->GetDocuments().size() < 2 || !IsComparable())
        return false;
    CUpdateHint hint;
    hint.m_strPath = m_strCurPath;
    NotifyOthers(kHintLinkageQuery, hint);
    return hint.m_nParam2 != 0;
}

// A switch whose windows are no longer eligible switches itself off.
void CEDoc::UpdateLinkedSwitch(CCmdUI& ui, int32_t& bSwitch)
{
    const bool bEnable = IsLinkageEligible();
    ui.Enable(bEnable);
    if (!bEnable)
        bSwitch = 0;
    ui.SetCheck(bSwitch ? 1 : 0);
}

// ---- compare ----

// Compare takes its base folders from linkage: switching it on switches linkage on first.
void CEDoc::OnCompare()
{
    m_app.m_bCompare = m_app.m_bCompare ? 0 : 1;
    if (!IsCompareOn())
        return;
    if (!IsLinkageOn()) {
        OnLinkage();
        PumpMessages();
    }
    m_bSummaryRequested = true;
    StartCompare();
    m_bSummaryRequested = false;
}

bool CEDoc::TakeSummaryRequest()
{
    const bool bRequested = m_bSummaryRequested;
    m_bSummaryRequested = false;
    return bRequested;
}

bool CEDoc::StartCompare()
{
    if (!IsCompareOn() || !IsLinkageOn() || m_strBasePath.empty())
        return true;
    CUpdateHint hint;
    UpdateAllViews(nullptr, kHintCompareStart, &hint);
    hint.Reset();
    NotifyOthers(kHintCompareStart, hint);
    return true;
}

bool CEDoc::IsCompareOn() const
{
    return m_app.m_bCompare != 0;
}

std::string& CEDoc::CompareVerdict() const
{
    return m_app.m_strVerdict;
}

int32_t& CEDoc::CompareNoAnswer() const
{
    return m_app.m_bNoAnswer;
}

void CEDoc::OnShowSearchDialog()
{
    if (m_host.m_showSearchDialog)
        m_host.m_showSearchDialog();
}
