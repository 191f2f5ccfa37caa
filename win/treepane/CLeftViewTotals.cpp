// CLeftView, part three: aggregation, the totals of items and their labels.
#include "treepane/CLeftView.h"

#include "Win32Text.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "folderdata/CEDoc.h"
#include "folderdata/CUpdateHint.h"
#include "fw/AfxMessageBox.h"
#include "fw/CCmdUI.h"
#include "treepane/CFolderLabel.h"
#include "treepane/CFolderNode.h"

// ---- totals ----

bool CLeftView::SetItemLabel(HTREEITEM hItem, const CSizeInfo& totals)
{
    if (!hItem)
        return false;
    SetItemText(hItem, CFolderLabel::MakeLabel(Settings(), totals, GetItemName(hItem)));
    return true;
}

// Pressed while a walk waits in its pump, the command only stops that walk: nothing is announced,
// so that no linked window starts a walk of its own.
void CLeftView::OnAggregate()
{
    CFolderWalk& walk = Settings().m_walk;
    if (walk.StopAggregation())
        return;
    walk.BeginCommand();
    SettlePendingSelection();
    CEDoc* pDocument = GetEDoc();
    // The walk titles the window with the folder it is in; once it ends that would be stale.
    const std::string title = pDocument->GetTitle();
    AggregateSelected();
    pDocument->SetTitle(title);
    CUpdateHint hint;
    pDocument->UpdateAllViews(this, kHintAggregated, &hint);
    if (!pDocument->m_strBasePath.empty())
        pDocument->NotifyOthers(kHintAggregated, hint);
    pDocument->StartCompare();
    // The user chose to go on without unreadable folders: say which the totals leave out.
    walk.EndCommand();
    if (const std::string leftOut = walk.LeftOutMessage(); !leftOut.empty())
        AfxMessageBox(leftOut, kMbOk | kMbIconExclamation);
}

bool CLeftView::AggregateSelected()
{
    CEDoc* pDocument = GetEDoc();
    if (Settings().m_walk.StopAggregation())
        return false;
    HTREEITEM hItem = Selected();
    if (!hItem)
        return false;
    const LabelBatch batch(*this);
    pDocument->ClearLastError();
    if (!Settings().m_keys.IsFileOnlyFolder(GetItemPath(hItem)))
        return AggregateSubtree(hItem, pDocument->IsReaggregateOn());
    if (pDocument->IsReaggregateOn())
        return AggregateSubtree(TreeView_GetParent(m_hWnd, hItem), true);
    return RelabelFromNode(hItem);
}

bool CLeftView::AggregateItem(HTREEITEM hItem, bool bReaggregate)
{
    CEDoc* pDocument = GetEDoc();
    CSizeInfo total;
    CSizeInfo direct;
    ClearTotals(total);
    ClearTotals(direct);
    const bool bDone =
        Settings().m_walk.AggregateFolder(GetItemPath(hItem), total, direct, pDocument, bReaggregate, false);
    pDocument->StopWalk();
    if (!bDone)
        return false;
    GetNode(hItem)->m_info = total;
    return SetItemLabel(hItem, total);
}

// Deepest first, so that each folder's walk finds its shown sub-folders already stored.
bool CLeftView::AggregateVisibleChildren(HTREEITEM hItem, bool bReaggregate)
{
    if (!Child(hItem) || !IsExpanded(hItem))
        return true;
    for (HTREEITEM hChild = Child(hItem); hChild; hChild = Next(hChild)) {
        if (Settings().m_keys.IsFileOnlyFolder(GetItemPath(hChild)))
            continue;
        if (!AggregateVisibleChildren(hChild, bReaggregate) || !AggregateItem(hChild, bReaggregate))
            return false;
    }
    return true;
}

// A stopped or failed walk leaves the ancestors alone: re-totalling them would walk the disk
// again for the very folder the user just stopped.
bool CLeftView::AggregateSubtree(HTREEITEM hItem, bool bReaggregate)
{
    if (!hItem || !AggregateVisibleChildren(hItem, bReaggregate))
        return false;
    if (!AggregateItem(hItem, bReaggregate))
        return false;
    UpdateAncestors(hItem);
    return true;
}

bool CLeftView::UpdateAncestors(HTREEITEM hItem)
{
    CDirSzLst& folderInfo = GetEDoc()->GetFolderInfo();
    for (HTREEITEM hAncestor = TreeView_GetParent(m_hWnd, hItem); hAncestor;
         hAncestor = TreeView_GetParent(m_hWnd, hAncestor)) {
        const std::string path = GetItemPath(hAncestor);
        if (Settings().m_keys.IsMyComputerKey(path) || !folderInfo.FindEntry(path))
            return true;
        folderInfo.RemoveEntry(path);
        if (!AggregateItem(hAncestor, false))
            return false;
    }
    return true;
}

bool CLeftView::RelabelFromNode(HTREEITEM hItem)
{
    const CFolderNode* pNode = GetNode(hItem);
    return pNode && SetItemLabel(hItem, pNode->m_info);
}

bool CLeftView::ReaggregateShown(HTREEITEM hItem, bool bThisOnly, bool bForce)
{
    const LabelBatch batch(*this);
    for (HTREEITEM hShown = hItem; hShown; hShown = bThisOnly ? nullptr : Next(hShown)) {
        const bool bShowsTotals = CFolderLabel::HasTotals(FromWide(GetItemText(hShown)));
        bool bChildrenDone = false;
        if (Child(hShown) && IsExpanded(hShown)) {
            if (!ReaggregateShown(Child(hShown), false, bShowsTotals))
                return false;
            bChildrenDone = true;
        }
        if ((bForce || bShowsTotals) && !Settings().m_keys.IsFileOnlyFolder(GetItemPath(hShown)) &&
            !AggregateSubtree(hShown, !bChildrenDone))
            return false;
    }
    return true;
}

bool CLeftView::RefreshAll()
{
    const std::string& computer = Settings().m_keys.m_strMyComputerId;
    HTREEITEM hComputer = FindItem(computer);
    SaveTreeState(hComputer);
    if (!RefreshItem(computer))
        return false;
    if (GetEDoc()->IsReaggregateOn())
        ReaggregateShown(hComputer, true, false);
    return true;
}

// ---- labels ----

void CLeftView::ResetLabels(HTREEITEM hItem)
{
    SetItemText(hItem, GetItemName(hItem));
    if (!IsExpanded(hItem))
        return;
    for (HTREEITEM hChild = Child(hItem); hChild; hChild = Next(hChild))
        ResetLabels(hChild);
}

bool CLeftView::AnyLabelWithTotals(HTREEITEM hItem) const
{
    if (CFolderLabel::HasTotals(FromWide(GetItemText(hItem))))
        return true;
    if (!IsExpanded(hItem))
        return false;
    for (HTREEITEM hChild = Child(hItem); hChild; hChild = Next(hChild)) {
        if (AnyLabelWithTotals(hChild))
            return true;
    }
    return false;
}

void CLeftView::OnUpdateLabelReset(CCmdUI& ui)
{
    HTREEITEM hItem = Selected();
    ui.Enable(hItem && AnyLabelWithTotals(hItem));
}
