// CLeftView, part four: the selection, linkage between windows, sorting and the frame's requests.
#include "treepane/CLeftView.h"

#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "app/SortSettings.h"
#include "folderdata/CEDoc.h"
#include "folderdata/CUpdateHint.h"
#include "fw/AfxMessageBox.h"
#include "fw/CCmdUI.h"
#include "treepane/CFolderNode.h"
#include "treepane/CFolderOrder.h"

namespace {

// Cleared while a linked selection is handed to the other windows, so that none hands it on.
int g_bBroadcastGuard = 1;

struct SortContext {
    int32_t key;
    bool ascending;
};

CFolderOrder::Item OrderItemOf(LPARAM node)
{
    const auto* pNode = reinterpret_cast<const CFolderNode*>(node);
    return {pNode->m_strPath, pNode->m_strName, pNode->m_info};
}

int CALLBACK CompareNodes(LPARAM first, LPARAM second, LPARAM context)
{
    const auto* pContext = reinterpret_cast<const SortContext*>(context);
    return CFolderOrder::Compare(pContext->key, pContext->ascending, OrderItemOf(first), OrderItemOf(second));
}

}  // namespace

// ---- moving the selection ----

void CLeftView::SelectPath(const std::string& path)
{
    std::string target = path;
    while (!target.empty()) {
        if (HTREEITEM hItem = FindItem(target)) {
            TreeView_SelectItem(m_hWnd, hItem);
            return;
        }
        AfxMessageBox("\n" + target + " が見つかりませんでした。\n\n", kMbOk);
        GetEDoc()->NoteRegisteredFolderMissing();
        target = Settings().m_keys.GetParentKey(target);
    }
}

void CLeftView::ShowFolder(const std::string& path)
{
    const std::string parent = Settings().m_keys.GetParentKey(path);
    // Opened as the user opens a level, so that its folders come in the window's sort order.
    if (HTREEITEM hParent = FindItem(parent); hParent && !IsExpanded(hParent))
        ExpandItem(hParent);
    // The process-wide open-folder record is rebuilt only from an item that is there.
    if (HTREEITEM hParent = FindItem(parent); hParent && !FindItem(path)) {
        SaveTreeState(hParent);
        RefreshItem(parent);
    }
    if (HTREEITEM hItem = FindItem(path))
        TreeView_SelectItem(m_hWnd, hItem);
}

void CLeftView::SelectParentFolder()
{
    HTREEITEM hSelected = Selected();
    if (!hSelected)
        return;
    if (HTREEITEM hParent = FindItem(Settings().m_keys.GetParentKey(GetItemPath(hSelected))))
        TreeView_SelectItem(m_hWnd, hParent);
}

// A selection made just before a long loop of this tree starts is acted on first: settling
// inside the loop's message pump would stop the loop as if the user had moved on.
void CLeftView::SettlePendingSelection()
{
    if (!m_bSelectionPending)
        return;
    KillTimer(m_hWnd, kSelectionTimer);
    OnSelectionSettled();
}

void CLeftView::OnSelectionSettled()
{
    m_bSelectionPending = false;
    CEDoc* pDocument = GetEDoc();
    if (!pDocument)
        return;
    m_bSelectBusy = 1;
    pDocument->StopWalk();
    pDocument->m_strCurPath = GetItemPath(Selected());
    const bool bFollowingLink = m_bFollowingLink;
    m_bFollowingLink = false;
    if (m_bSkipListUpdate) {
        m_bSkipListUpdate = 0;
    } else {
        CUpdateHint hint;
        hint.m_strPath = pDocument->m_strCurPath;
        pDocument->UpdateAllViews(this, kHintRefresh, &hint);
        if (!bFollowingLink)
            SendLinkedSelection();
    }
    m_bSelectBusy = 0;
}

void CLeftView::SendLinkedSelection()
{
    CEDoc* pDocument = GetEDoc();
    std::string relative;
    if (!pDocument->IsLinkageOn() || !g_bBroadcastGuard ||
        !RelativePath(pDocument->m_strCurPath, pDocument->m_strBasePath, relative))
        return;
    g_bBroadcastGuard = 0;
    CUpdateHint hint;
    hint.m_strPath = relative;
    pDocument->NotifyOthers(kHintLinkedSelection, hint);
    pDocument->StartCompare();
    g_bBroadcastGuard = 1;
}

void CLeftView::FollowLinkedSelection(const std::string& relative)
{
    CEDoc* pDocument = GetEDoc();
    const std::string& base = pDocument->m_strBasePath;
    if (!pDocument->IsLinkageOn() || base.empty())
        return;
    std::string target = base;
    if (Settings().m_keys.IsMyComputerKey(base))
        target = relative;
    else if (!relative.empty())
        target = CFolderKeys::JoinPath(base, relative);
    m_bOpeningLinkedPath = true;
    const bool bOpened = ExpandToPath(target);
    m_bOpeningLinkedPath = false;
    if (!bOpened)
        return;
    // The selection settles at once: a compare started after it must find this window on the
    // new folder, and a selection settling later would stop that compare.
    if (HTREEITEM hItem = FindItem(target)) {
        m_bFollowingLink = true;
        TreeView_SelectItem(m_hWnd, hItem);
        SettlePendingSelection();
        m_bFollowingLink = false;  // also when the item was selected already
    }
}

// Without a window to ask, the computer's key is the application's.
bool CLeftView::RelativePath(const std::string& path, const std::string& base, std::string& relative)
{
    return AfxGetAppCore().m_settings.m_keys.RelativePath(path, base, relative);
}

// ---- sorting and the frame's requests ----

void CLeftView::SortFolders(int32_t key)
{
    GetEDoc()->SelectFolderSortKey(key);
    if (HTREEITEM hItem = Selected())
        SortChildren(hItem, key);
    GetEDoc()->StopWalk();
}

bool CLeftView::SortChildren(HTREEITEM hItem, int32_t key)
{
    SortContext context{key, g_nFolderSortDirection != 0};
    TVSORTCB sort{};
    sort.hParent = hItem;
    sort.lpfnCompare = CompareNodes;
    sort.lParam = reinterpret_cast<LPARAM>(&context);
    return TreeView_SortChildrenCB(m_hWnd, &sort, FALSE) != FALSE;
}

bool CLeftView::CanSortFolders() const
{
    HTREEITEM hItem = Selected();
    HTREEITEM hFirst = hItem ? Child(hItem) : nullptr;
    return hFirst && IsExpanded(hItem) && Next(hFirst);
}

void CLeftView::OnUpdateFolderUp(CCmdUI& ui)
{
    HTREEITEM hItem = Selected();
    ui.Enable(hItem && !Settings().m_keys.IsMyComputerKey(GetItemPath(hItem)));
}

void CLeftView::OnUpdateRefreshOnOpen(CCmdUI& ui)
{
    ui.Enable(true);
    HTREEITEM hItem = Selected();
    if (hItem && Child(hItem))
        ui.SetCheck(GetEDoc()->IsRefreshOnOpen() ? 1 : 0);
}
