// CEView, part three: the title, opening rows, aggregation and the reactions to update codes.
#include "listpane/CEView.h"

#include "CPlatform.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "folderdata/CEDoc.h"
#include "folderdata/CUpdateHint.h"
#include "fw/AfxMessageBox.h"
#include "listpane/CFileItem.h"
#include "listpane/CListColumns.h"
#include "listpane/CListTitle.h"

// ---- the title ----

void CEView::UpdateTitle()
{
    CEDoc* pDocument = GetEDoc();
    if (!pDocument || pDocument->m_strCurPath.empty())
        return;
    CAppSettings& settings = Settings();
    const std::string& path = pDocument->m_strCurPath;
    const bool bComputer = settings.m_keys.IsMyComputerKey(path);
    CListTitle::Objects objects;
    const std::vector<int> selected = GetSelectedRows();
    objects.bSelection = !selected.empty();
    auto count = [&objects](const CFileItem* pItem) {
        ++objects.count;
        objects.bytes += pItem ? pItem->m_info.m_nSize : 0;
    };
    if (objects.bSelection) {
        for (const int row : selected)
            count(GetItem(row));
    } else {
        pDocument->m_fileItems.ForEach([&count](const CFileItem& item) { count(&item); });
    }
    CListTitle::FreeSpace freeSpace;
    if (!bComputer) {
        freeSpace.bKnown = settings.m_drives.GetFreeSpaceCode(path.substr(0, 3), freeSpace.bytes, freeSpace.code);
    }
    pDocument->SetTitle(CListTitle::Compose(settings.m_keys.GetDisplayPath(path), bComputer, objects,
                                            m_nListingError, freeSpace, settings.m_format));
}

// ---- opening ----

void CEView::OpenItem(int row)
{
    const CFileItem* pItem = GetItem(row);
    if (!pItem)
        return;
    const CFolderKeys& keys = Settings().m_keys;
    const std::string path = pItem->m_strPath;
    if (CFolderKeys::IsDriveRoot(path) || (pItem->IsFolder() && keys.IsOrdinaryFolderPath(path))) {
        CUpdateHint hint;
        hint.m_strPath = path;
        GetEDoc()->UpdateAllViews(this, kHintShowFolder, &hint);
        return;
    }
    GetPlatform().ShellOpen(path);
}

// ---- aggregation ----

std::vector<CEView::AggregatePath> CEView::RowsToAggregate() const
{
    std::vector<int> rows = GetSelectedRows();
    if (rows.empty()) {
        for (int row = 0; row < GetRowCount(); ++row)
            rows.push_back(row);
    }
    std::vector<AggregatePath> paths;
    for (const int row : rows) {
        if (const CFileItem* pItem = GetItem(row))
            paths.push_back({pItem->m_strPath, pItem->m_nAttr});
    }
    return paths;
}

// Pressed while a walk waits in its pump, the command only stops that walk.
void CEView::AggregateRows()
{
    CFolderWalk& walk = Settings().m_walk;
    if (walk.StopAggregation())
        return;
    CEDoc* pDocument = GetEDoc();
    const bool bReaggregate = pDocument->IsReaggregateOn();
    // The sizes of every row follow the current unit from now on.
    m_shownFormat = Settings().m_format;
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    walk.BeginCommand();
    pDocument->ClearLastError();
    m_aggregatePaths = RowsToAggregate();
    std::unordered_map<std::string, int> rowOf;
    for (int row = 0; row < GetRowCount(); ++row) {
        if (const CFileItem* pItem = GetItem(row))
            rowOf.emplace(pItem->m_strPath, row);
    }
    for (const AggregatePath& entry : m_aggregatePaths) {
        const auto found = rowOf.find(entry.path);
        if (found != rowOf.end() && !AggregateRow(found->second, bReaggregate))
            break;
    }
    if (bReaggregate) {
        CUpdateHint hint;
        pDocument->UpdateAllViews(this, kHintFilesChanged, &hint);
        pDocument->NotifyOthers(kHintFilesChanged, hint);
    }
    m_aggregatePaths.clear();
    walk.EndCommand();
    UpdateTitle();
    if (const std::string leftOut = walk.LeftOutMessage(); !leftOut.empty())
        AfxMessageBox(leftOut, kMbOk | kMbIconExclamation);
}

// False when a folder's walk failed or was stopped: the rows after it are left as they are.
bool CEView::AggregateRow(int row, bool bReaggregate)
{
    const CFileItem* pItem = GetItem(row);
    if (!pItem)
        return true;
    if (!pItem->IsFolder()) {
        if (bReaggregate)
            RereadFileRow(row, true);
        return true;
    }
    CSizeInfo total;
    CSizeInfo direct;
    if (!Settings().m_walk.AggregateFolder(pItem->m_strPath, total, direct, GetEDoc(), bReaggregate, false))
        return false;
    SetFolderTotals(row, total);
    return true;
}

// A file read again changes its folder's stored totals by the difference of its sizes; the
// folders further up keep theirs until they are aggregated again.
void CEView::RereadFileRow(int row, bool bAdjustParent)
{
    CFileItem* pItem = GetItem(row);
    CFolderListing::Entry entry;
    if (!pItem || !CFolderListing::ReadEntry(pItem->m_strPath, entry))
        return;
    const int64_t difference = static_cast<int64_t>(entry.info.m_nSize - pItem->m_info.m_nSize);
    pItem->m_nAttr = entry.attr;
    pItem->m_info = entry.info;
    ShowRecord(row);
    if (!bAdjustParent || difference == 0)
        return;
    CDirSzLst& folderInfo = GetEDoc()->GetFolderInfo();
    std::string name;
    if (const CDirSzLst::POSITION pos = folderInfo.FindEntry(CFolderKeys::SplitPath(pItem->m_strPath, name))) {
        CSizeInfo total = folderInfo.GetTotalAt(pos);
        CSizeInfo direct = folderInfo.GetDirectAt(pos);
        total.m_nSize += static_cast<uint64_t>(difference);
        direct.m_nSize += static_cast<uint64_t>(difference);
        folderInfo.SetTotalAt(pos, total);
        folderInfo.SetDirectAt(pos, direct);
    }
}

// ---- update codes ----

namespace {

// The compare traffic passes without touching the title.
bool LeavesTitle(LPARAM lHint)
{
    return lHint == kHintCompareRow || lHint == kHintCompareFolder || lHint == kHintCompareStart ||
           lHint == kHintCompareList || lHint == kHintCompareFile;
}

}  // namespace

// Before a reaction the caption shows just the folder (a walk may title it meanwhile); after it,
// the full title again.
void CEView::OnUpdate(CView*, LPARAM lHint, CObject* pHint)
{
    CUpdateHint hint;
    if (const auto* pUpdate = dynamic_cast<const CUpdateHint*>(pHint))
        hint = *pUpdate;
    CEDoc* pDocument = GetEDoc();
    if (!pDocument)
        return;
    const bool bTitled = !LeavesTitle(lHint);
    if (bTitled && !pDocument->m_strCurPath.empty()) {
        pDocument->SetTitle(Settings().m_keys.GetDisplayPath(pDocument->m_strCurPath));
        pDocument->ClearLastError();
    }
    React(lHint, hint);
    if (bTitled)
        UpdateTitle();
}

void CEView::React(LPARAM lHint, const CUpdateHint& hint)
{
    CEDoc* pDocument = GetEDoc();
    switch (lHint) {
    case kHintShowFolder:
        if (hint.m_strPath == pDocument->m_strCurPath)
            FillList(pDocument->m_strCurPath);
        break;
    case kHintRefresh:
        ListView_SetTextColor(m_hWnd, RGB(0, 0, 0));
        FillList(pDocument->m_strCurPath);
        break;
    case kHintAggregated:
        ShowStoredTotals();
        break;
    case kHintFilesChanged:
        OnFilesChanged();
        break;
    case kHintRenamed:
        OnRenamed(hint);
        break;
    case kHintCompareRow:
    case kHintCompareStart:
        OnCompareRow(hint);
        break;
    case kHintCompareList:
        AnswerCompare(hint);
        break;
    case kHintFilesOperated:
        OnFilesOperated(hint);
        break;
    case kHintFolderCreated:
        OnFolderCreated(hint);
        break;
    default:
        break;
    }
}

// Another list aggregated with re-aggregate mode on: where it did so in this list's folder, its
// rows take the new totals and the files their new status.
void CEView::OnFilesChanged()
{
    CEDoc* pDocument = GetEDoc();
    if (m_aggregatePaths.empty())
        return;
    std::string name;
    if (CFolderKeys::SplitPath(m_aggregatePaths.front().path, name) != pDocument->m_strCurPath)
        return;
    for (const AggregatePath& entry : m_aggregatePaths) {
        const int row = FindRow(entry.path);
        const CFileItem* pItem = GetItem(row);
        if (!pItem)
            continue;
        if (!pItem->IsFolder()) {
            RereadFileRow(row, false);
            continue;
        }
        CSizeInfo total;
        CSizeInfo direct;
        if (Settings().m_walk.AggregateFolder(pItem->m_strPath, total, direct, pDocument, false, false))
            SetFolderTotals(row, total);
    }
}

// A row renamed elsewhere takes its new name; when the renamed folder is the one listed, every
// row's path moves with it.
void CEView::OnRenamed(const CUpdateHint& hint)
{
    CEDoc* pDocument = GetEDoc();
    std::string oldName;
    std::string newName;
    const std::string oldParent = CFolderKeys::SplitPath(hint.m_strOldPath, oldName);
    CFolderKeys::SplitPath(hint.m_strPath, newName);
    if (oldParent == pDocument->m_strCurPath) {
        const int row = FindRow(hint.m_strOldPath);
        if (CFileItem* pItem = GetItem(row)) {
            pItem->m_strPath = hint.m_strPath;
            pItem->m_strName = newName;
            SetCellText(row, CListColumns::kName, newName);
        }
        return;
    }
    // The listed folder itself or one of the folders it lies in was renamed: the folder and every
    // row move along, names kept byte for byte (the shown ones may have had their case changed).
    if (!CFolderKeys::IsSameOrBelow(pDocument->m_strCurPath, hint.m_strOldPath))
        return;
    pDocument->m_strCurPath = CFolderKeys::Rebase(pDocument->m_strCurPath, hint.m_strOldPath, hint.m_strPath);
    for (int row = 0; row < GetRowCount(); ++row) {
        if (CFileItem* pItem = GetItem(row))
            pItem->m_strPath = CFolderKeys::Rebase(pItem->m_strPath, hint.m_strOldPath, hint.m_strPath);
    }
}
