// CLeftView, part one: construction, access to items and nodes, the store and the notifications.
#include "treepane/CLeftView.h"

#include <algorithm>

#include "Win32Text.h"
#include "app/CAppSettings.h"
#include "dialogs/CCompareSummaryDlg.h"
#include "folderdata/CEDoc.h"
#include "folderdata/CUpdateHint.h"
#include "fw/CArchive.h"
#include "fw/CCmdUI.h"
#include "res/resource.h"
#include "treepane/CFolderNode.h"

std::vector<std::pair<std::string, int32_t>> g_treeState;

CLeftView::CLeftView()
{
    OnCommand(ID_AGGREGATE, [this](UINT) { OnAggregate(); });
    OnUpdateUI(ID_AGGREGATE, [this](CCmdUI& ui) {
        if (CEDoc* pDocument = GetEDoc())
            pDocument->OnUpdateAggregate(ui);
    });
    OnCommand(ID_LABEL_RESET, [this](UINT) {
        const LabelBatch batch(*this);
        if (HTREEITEM hItem = Selected())
            ResetLabels(hItem);
        GetEDoc()->StopWalk();
    });
    OnUpdateUI(ID_LABEL_RESET, [this](CCmdUI& ui) { OnUpdateLabelReset(ui); });
    OnCommand(ID_ICON_RESET, [this](UINT) {
        const LabelBatch batch(*this);
        ResetIcons(Selected());
    });
    MapFileCommands();
}

// The nodes belong to the document but live exactly as long as this view's items.
CLeftView::~CLeftView()
{
    if (m_pCompareSummary && m_pCompareSummary->m_hWnd)
        m_pCompareSummary->DestroyWindow();
    if (CEDoc* pDocument = GetEDoc())
        pDocument->ReleaseAllFolderNodes();
    if (m_hImageList)
        ImageList_Destroy(m_hImageList);
}

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

// Everything the windows share is asked of the document.
CAppSettings& CLeftView::Settings() const
{
    return GetEDoc()->GetSettings();
}

// ---- items and nodes ----

CFolderNode* CLeftView::GetNode(HTREEITEM hItem) const
{
    if (!hItem)
        return nullptr;
    TVITEMW item{};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    if (!TreeView_GetItem(m_hWnd, &item))
        return nullptr;
    return reinterpret_cast<CFolderNode*>(item.lParam);
}

std::string CLeftView::GetItemPath(HTREEITEM hItem) const
{
    const CFolderNode* pNode = GetNode(hItem);
    return pNode ? pNode->m_strPath : std::string();
}

std::string CLeftView::GetItemName(HTREEITEM hItem) const
{
    const CFolderNode* pNode = GetNode(hItem);
    return pNode ? pNode->m_strName : std::string();
}

std::wstring CLeftView::GetItemText(HTREEITEM hItem) const
{
    const CFolderNode* pNode = GetNode(hItem);
    return pNode ? pNode->m_strLabel : std::wstring();
}

// The control keeps no copy of the text (it asks through TVN_GETDISPINFO); setting the callback
// again makes it measure the item anew, and only the item itself is drawn again. Within a batch
// the control is left alone until the batch ends.
void CLeftView::SetItemText(HTREEITEM hItem, const std::string& text)
{
    CFolderNode* pNode = GetNode(hItem);
    if (!pNode)
        return;
    pNode->m_strLabel = ToWide(text);
    if (m_nLabelBatch == 0) {
        TVITEMW item{};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = LPSTR_TEXTCALLBACKW;
        TreeView_SetItem(m_hWnd, &item);
    }
    m_bBatchChanged = true;
    RepaintItem(hItem);
}

// The text is copied into the asker's buffer when it fits, so that a reader in another process
// gets it too; a longer one is lent from the node. Both images are the node's, and so is the
// answer about the expand button of an item that left it pending.
void CLeftView::OnGetDispInfo(NMTVDISPINFOW& info) const
{
    auto* pNode = reinterpret_cast<CFolderNode*>(info.item.lParam);
    if (!pNode)
        return;
    if (info.item.mask & TVIF_CHILDREN)
        info.item.cChildren = AnswerButton(info.item.hItem, *pNode);
    if (info.item.mask & TVIF_IMAGE)
        info.item.iImage = pNode->m_nImage;
    if (info.item.mask & TVIF_SELECTEDIMAGE)
        info.item.iSelectedImage = pNode->m_nImage;
    if (!(info.item.mask & TVIF_TEXT))
        return;
    const std::wstring& label = pNode->m_strLabel;
    if (info.item.pszText && info.item.cchTextMax > 0 &&
        label.size() < static_cast<std::size_t>(info.item.cchTextMax)) {
        std::copy(label.begin(), label.end(), info.item.pszText);
        info.item.pszText[label.size()] = L'\0';
    } else {
        info.item.pszText = const_cast<wchar_t*>(label.c_str());
    }
}

UINT CLeftView::GetItemState(HTREEITEM hItem, UINT mask) const
{
    return TreeView_GetItemState(m_hWnd, hItem, mask);
}

// The index answers at once; the items themselves are searched only for a key it does not hold.
HTREEITEM CLeftView::FindItem(const std::string& path) const
{
    if (HTREEITEM hItem = IndexedItem(path))
        return hItem;
    return FindBelow(TreeView_GetRoot(m_hWnd), path);
}

HTREEITEM CLeftView::IndexedItem(const std::string& path) const
{
    if (const auto found = m_itemOfPath.find(path); found != m_itemOfPath.end()) {
        const CFolderNode* pNode = GetNode(found->second);
        if (pNode && pNode->m_strPath == path)
            return found->second;
    }
    return nullptr;
}

void CLeftView::RememberItem(const std::string& path, HTREEITEM hItem)
{
    m_itemOfPath[path] = hItem;
}

void CLeftView::ForgetItem(const std::string& path, HTREEITEM hItem)
{
    if (const auto found = m_itemOfPath.find(path); found != m_itemOfPath.end() && found->second == hItem)
        m_itemOfPath.erase(found);
}

HTREEITEM CLeftView::FindBelow(HTREEITEM hFirst, const std::string& path) const
{
    for (HTREEITEM hItem = hFirst; hItem; hItem = Next(hItem)) {
        if (GetItemPath(hItem) == path)
            return hItem;
        if (HTREEITEM hFound = FindBelow(Child(hItem), path))
            return hFound;
    }
    return nullptr;
}

// ---- tree state ----

void CLeftView::SaveTreeState(HTREEITEM hItem)
{
    g_treeState.clear();
    if (hItem)
        CollectState(Child(hItem));
}

void CLeftView::CollectState(HTREEITEM hFirst)
{
    for (HTREEITEM hItem = hFirst; hItem; hItem = Next(hItem)) {
        const UINT state = GetItemState(hItem, 0xFFFF);
        if ((state & (TVIS_EXPANDED | TVIS_EXPANDEDONCE)) == 0)
            continue;
        g_treeState.emplace_back(GetItemPath(hItem), static_cast<int32_t>(state));
        CollectState(Child(hItem));
    }
}

bool CLeftView::IsInTreeState(const std::string& path)
{
    return std::any_of(g_treeState.begin(), g_treeState.end(),
                       [&path](const auto& entry) { return entry.first == path; });
}

void CLeftView::RestoreTreeState()
{
    for (const auto& [path, state] : g_treeState) {
        HTREEITEM hItem = (state & TVIS_EXPANDED) ? FindItem(path) : nullptr;
        if (hItem)
            TreeView_SetItemState(m_hWnd, hItem, TVIS_EXPANDED, TVIS_EXPANDED);
    }
}

void CLeftView::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        m_strSelectedPath = GetItemPath(Selected());
        SaveTreeState(FindItem(Settings().m_keys.m_strMyComputerId));
        ar << m_strSelectedPath << static_cast<int32_t>(g_treeState.size());
        for (const auto& [path, state] : g_treeState)
            ar << path << state;
        return;
    }
    int32_t count = 0;
    ar >> m_strSelectedPath >> count;
    g_treeState.clear();
    for (int32_t i = 0; i < count; ++i) {
        std::pair<std::string, int32_t> entry;
        ar >> entry.first >> entry.second;
        g_treeState.push_back(std::move(entry));
    }
}

// ---- notifications ----

bool CLeftView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_NOTIFY)
        return CView::OnChildNotify(message, wParam, lParam, result);
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    const auto& info = *reinterpret_cast<const NMTREEVIEWW*>(lParam);
    switch (header.code) {
    case TVN_ITEMEXPANDINGW:
        result = OnItemExpanding(info);
        return true;
    case TVN_ITEMEXPANDEDW:
        OnItemExpanded(info);
        return true;
    case TVN_BEGINLABELEDITW:
        result = OnBeginLabelEdit(*reinterpret_cast<const NMTVDISPINFOW*>(lParam));
        return true;
    case TVN_ENDLABELEDITW:
        // The handler sets the label itself; the control must not apply the edited text.
        OnEndLabelEdit(*reinterpret_cast<const NMTVDISPINFOW*>(lParam));
        result = FALSE;
        return true;
    case TVN_GETDISPINFOW:
        OnGetDispInfo(*reinterpret_cast<NMTVDISPINFOW*>(lParam));
        return true;
    case TVN_SELCHANGEDW:
        // Only a selection that rests is acted on: arrow keys held down refill the list once.
        // A walk waiting in its pump has been overtaken by the user's new choice.
        GetEDoc()->StopWalk();
        m_bSelectionPending = true;
        SetTimer(m_hWnd, kSelectionTimer, kSelectionDelay, nullptr);
        return true;
    default:
        return false;
    }
}

LRESULT CLeftView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kSelectionTimer) {
        SettlePendingSelection();
        return 0;
    }
    if (message == WM_TIMER && wParam == kButtonTimer) {
        LearnButtons();
        return 0;
    }
    if (message == kReopenEditorMessage) {
        SetFocus(m_hWnd);
        TreeView_EditLabel(m_hWnd, reinterpret_cast<HTREEITEM>(lParam));
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_DELETE && !OnDeleteKey())
        return 0;
    return CView::WindowProc(message, wParam, lParam);
}

LRESULT CLeftView::OnItemExpanding(const NMTREEVIEWW& info)
{
    HTREEITEM hItem = info.itemNew.hItem;
    const UINT action = info.action & (TVE_COLLAPSE | TVE_EXPAND);
    if (action == TVE_COLLAPSE)
        return FALSE;
    const UINT state = GetItemState(hItem, TVIS_EXPANDED | TVIS_EXPANDEDONCE);
    if (action != TVE_EXPAND || (state & TVIS_EXPANDED))
        return TRUE;
    if ((state & TVIS_EXPANDEDONCE) && !GetEDoc()->IsRefreshOnOpen())
        return FALSE;
    SaveTreeState(hItem);
    return RefreshItem(GetItemPath(hItem)) ? FALSE : TRUE;
}

void CLeftView::OnItemExpanded(const NMTREEVIEWW& info)
{
    HTREEITEM hItem = info.itemNew.hItem;
    if (!IsExpanded(hItem))
        return;
    CEDoc* pDocument = GetEDoc();
    pDocument->ClearLastError();
    if (pDocument->IsRefreshOnOpen() && pDocument->IsReaggregateOn())
        ReaggregateShown(hItem, true, false);
    SortChildren(hItem, pDocument->GetFolderSortKey());
    CUpdateHint hint;
    pDocument->UpdateAllViews(this, kHintExpanded, &hint);
    // folders opened while comparing are compared too
    std::string relative;
    if (pDocument->IsCompareOn() && !m_bOpeningLinkedPath &&
        RelativePath(pDocument->m_strCurPath, pDocument->m_strBasePath, relative))
        CompareWalk(GetItemPath(hItem));
}

void CLeftView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    CUpdateHint hint;
    if (const auto* pUpdate = dynamic_cast<const CUpdateHint*>(pHint))
        hint = *pUpdate;
    switch (lHint) {
    case kHintArrange:
        if (HTREEITEM hItem = Selected())
            TreeView_SelectSetFirstVisible(m_hWnd, hItem);
        break;
    case kHintRefresh:
        RefreshAll();
        break;
    case kHintAggregated:
        AggregateSelected();
        break;
    case kHintLinkedSelection:
        FollowLinkedSelection(hint.m_strPath);
        break;
    case kHintShowFolder:
        ShowFolder(hint.m_strPath);
        break;
    case kHintCompareStart:
        StartCompareWalk();
        break;
    case kHintCompareFolder:
        AnswerFolder(hint);
        break;
    case kHintCompareFile:
        AnswerFile(hint);
        break;
    case kHintFilesOperated:
        OnFilesPasted(hint);
        break;
    case kHintFilesChanged:
        OnFilesChanged();
        break;
    case kHintFolderCreated:
        OnFolderChanged(hint.m_strPath);
        break;
    case kHintRenamed:
        OnFolderRenamed(hint.m_strOldPath, hint.m_strPath);
        break;
    default:
        CView::OnUpdate(pSender, lHint, pHint);
        break;
    }
}

DWORD CLeftView::GetControlStyle() const
{
    return TVS_HASLINES | TVS_HASBUTTONS | TVS_SHOWSELALWAYS | TVS_EDITLABELS;
}
