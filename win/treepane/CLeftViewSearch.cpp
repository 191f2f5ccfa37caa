// The folder tree's part of the folder search: clearing the marks, running through the stored
// records and marking the hits.
#include <string>

#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "folderdata/CEDoc.h"
#include "treepane/CFolderNode.h"
#include "treepane/CFolderSearch.h"
#include "treepane/CLeftView.h"

void CLeftView::ClearSearchMarks()
{
    const LabelBatch batch(*this);
    if (HTREEITEM hSelected = Selected())
        ClearMarksBelow(hSelected);
}

// Children before their parent, so that each item is closed after everything below it.
void CLeftView::ClearMarksBelow(HTREEITEM hItem)
{
    for (HTREEITEM hChild = Child(hItem); hChild; hChild = Next(hChild))
        ClearMarksBelow(hChild);
    TreeView_Expand(m_hWnd, hItem, TVE_COLLAPSE);
    SetItemImage(hItem, GetImageIndex(GetItemPath(hItem)));
    GetEDoc()->PumpMessages();
}

// The records are read where they lie; a cursor keeps the place, since what runs in the pump or
// while a hit is opened may remove records (opening a folder drops the records of vanished ones).
bool CLeftView::SearchFolders(const CSizeInfo& criteria, int32_t nCombine, bool bSkipNoDate)
{
    const LabelBatch batch(*this);
    CAppSettings& settings = Settings();
    CDirSzLst& records = GetEDoc()->GetFolderInfo();
    CFolderSearch search(settings.m_keys, criteria, nCombine, bSkipNoDate, GetItemPath(Selected()));
    CDirSzLst::Cursor cursor(records);
    while (cursor.pos) {
        if (!settings.m_walk.PumpAndCheckStop())
            return false;
        const CDirSzLst::POSITION current = cursor.pos;
        if (!current)
            break;
        const CDirSzEntry& entry = records.GetAt(current);
        const int32_t result = TestRecord(search, entry.m_strPath, entry.m_total);
        if (result == CFolderSearch::kStopped)
            return false;
        if (cursor.pos != current)  // the record went while its hit was opened
            continue;
        if (result != CFolderSearch::kHitWithoutItem && CFolderSearch::HasFileOnlyPart(entry.m_total, entry.m_direct)) {
            if (TestRecord(search, search.FileOnlyPath(entry.m_strPath), entry.m_direct) == CFolderSearch::kStopped)
                return false;
            if (cursor.pos != current)
                continue;
        }
        records.GetNext(cursor.pos);
    }
    return true;
}

int32_t CLeftView::TestRecord(CFolderSearch& search, const std::string& path, const CSizeInfo& totals)
{
    if (!search.IsHit(path, totals))
        return CFolderSearch::kNoHit;
    // Opening the way may remove the very record path and totals belong to.
    const std::string hit = path;
    const CSizeInfo hitTotals = totals;
    if (!ExpandToPath(hit))
        return CFolderSearch::kStopped;
    HTREEITEM hItem = FindItem(hit);
    if (!hItem && Settings().m_keys.IsFileOnlyFolder(hit))
        hItem = InsertFileOnlyItem(hit, hitTotals);
    if (!hItem)
        return CFolderSearch::kHitWithoutItem;
    SetItemImage(hItem, kSearchHitImage);
    return CFolderSearch::kHitMarked;
}

// The files of a folder that also has sub-folders show as an item of their own beside them.
HTREEITEM CLeftView::InsertFileOnlyItem(const std::string& path, const CSizeInfo& totals)
{
    HTREEITEM hParent = FindItem(Settings().m_keys.GetParentKey(path));
    if (!hParent)
        return nullptr;
    HTREEITEM hItem = InsertFolderItem(hParent, path, Settings().m_strFileOnlyFolderName);
    if (!hItem)
        return nullptr;
    GetNode(hItem)->m_info = totals;
    SetItemLabel(hItem, totals);
    return hItem;
}
