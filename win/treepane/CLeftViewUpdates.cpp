// CLeftView, part six: following the disk after files and folders were pasted, moved, deleted, changed, made or renamed.
#include "treepane/CLeftView.h"

#include <set>
#include <unordered_map>

#include "CPlatform.h"
#include "Win32Text.h"
#include "app/CAppSettings.h"
#include "folderdata/CEDoc.h"
#include "folderdata/CUpdateHint.h"
#include "listpane/CEView.h"
#include "treepane/CFolderLabel.h"
#include "treepane/CFolderNode.h"

// Folders the shell moved or copied into the destination appear under its item, those it moved
// away or deleted leave; folders that show totals are walked again. The source is the folder of
// the first entry operated on.
void CLeftView::OnFilesPasted(const CUpdateHint& hint)
{
    const CPathList& list = GetEDoc()->GetOperatedList();
    const std::string& destination = hint.m_strPath;
    const std::string source = list.empty() ? std::string() : Settings().m_keys.GetParentKey(list[0].path);
    if (hint.m_nCode == kFoMove || hint.m_nCode == kFoCopy) {
        AddPastedFolders(list, destination);
        ReaggregateIfShown(destination, true);
    }
    if (hint.m_nCode != kFoCopy) {
        RemoveVanishedFolders(list);
        ReaggregateIfShown(source, true);
    }
}

// A key has one place, under its parent: each entry is looked up among the destination's
// children, indexed once, so that a paste of thousands of entries does not search the tree for
// each of them. Files are passed over without touching the disk.
void CLeftView::AddPastedFolders(const CPathList& list, const std::string& destination)
{
    CAppSettings& settings = Settings();
    HTREEITEM hDestination = FindItem(destination);
    if (!hDestination)
        return;
    m_childIndex.clear();
    BeginBulkChange();
    for (const CPathList::Entry& entry : list) {
        if (!entry.IsFolder())
            continue;
        const std::string target = CFolderKeys::JoinPath(destination, settings.m_keys.GetNameOf(entry.path));
        if (!FindChild(hDestination, target) && settings.m_drives.IsExistingFolder(target))
            InsertFolderItem(hDestination, target, CFolderLabel::DisplayNameOf(settings, target));
    }
    EndBulkChange();
    m_childIndex.clear();
}

void CLeftView::RemoveVanishedFolders(const CPathList& list)
{
    CAppSettings& settings = Settings();
    std::unordered_map<std::string, HTREEITEM> parents;
    m_childIndex.clear();
    BeginBulkChange();
    for (const CPathList::Entry& entry : list) {
        if (!entry.IsFolder() || settings.m_drives.IsExistingFolder(entry.path))
            continue;
        auto [parent, bNew] = parents.try_emplace(settings.m_keys.GetParentKey(entry.path), nullptr);
        if (bNew)
            parent->second = FindItem(parent->first);
        HTREEITEM hItem = parent->second ? FindChild(parent->second, entry.path) : nullptr;
        if (!hItem)
            continue;
        m_childIndex[parent->second].erase(entry.path);
        DeleteNodeItem(hItem);
    }
    EndBulkChange();
    m_childIndex.clear();
}

bool CLeftView::ReaggregateIfShown(const std::string& path, bool bReaggregate)
{
    HTREEITEM hItem = path.empty() ? nullptr : FindItem(path);
    if (!hItem || !CFolderLabel::HasTotals(FromWide(GetItemText(hItem))))
        return false;
    return AggregateSubtree(hItem, bReaggregate);
}

// The list's paths are copied first: the walks pump messages, and the list may aggregate again
// meanwhile. A folder named by many changed files is totalled once.
void CLeftView::OnFilesChanged()
{
    CAppSettings& settings = Settings();
    const std::vector<CEView::AggregatePath> changed = CEView::m_aggregatePaths;
    std::set<std::string> done;
    for (const CEView::AggregatePath& entry : changed) {
        const std::string folder =
            settings.m_drives.IsExistingFile(entry.path) ? settings.m_keys.GetParentKey(entry.path) : entry.path;
        if (done.insert(folder).second)
            ReaggregateIfShown(folder, false);
    }
}

void CLeftView::OnFolderChanged(const std::string& path)
{
    const std::string parent = Settings().m_keys.GetParentKey(path);
    HTREEITEM hParent = FindItem(parent);
    if (!hParent)
        return;
    SaveTreeState(hParent);
    RefreshItem(parent);
}

// Another view or window renamed a folder: its item takes the new name behind its totals.
void CLeftView::OnFolderRenamed(const std::string& oldPath, const std::string& newPath)
{
    CAppSettings& settings = Settings();
    if (!settings.m_keys.IsOrdinaryFolderPath(newPath) || !settings.m_drives.IsExistingFolder(newPath))
        return;
    HTREEITEM hItem = FindItem(oldPath);
    if (!hItem)
        return;
    SetItemText(hItem, CFolderLabel::Rename(FromWide(GetItemText(hItem)), settings.m_keys.GetNameOf(newPath)));
    UpdatePaths(hItem, newPath);
}
