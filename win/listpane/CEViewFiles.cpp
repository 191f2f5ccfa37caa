// CEView, part four: the file commands, rename in place and the reactions to file changes.
#include "listpane/CEView.h"

#include <algorithm>
#include <functional>

#include "CPlatform.h"
#include "Win32Text.h"
#include "app/CAppSettings.h"
#include "folderdata/CEDoc.h"
#include "folderdata/CUpdateHint.h"
#include "fw/CCmdUI.h"
#include "listpane/CFileItem.h"
#include "listpane/CListColumns.h"
#include "res/resource.h"

std::string CEView::m_strOldName;
bool CEView::m_bCaptureOldName = true;

void CEView::MapFileCommands()
{
    OnCommand(ID_EDIT_CUT, [this](UINT) { OnCut(); });
    OnUpdateUI(ID_EDIT_CUT, [this](CCmdUI& ui) { ui.Enable(GetLabelEditor() || SelectionAllows(true)); });
    OnCommand(ID_EDIT_COPY, [this](UINT) { OnCopy(); });
    OnUpdateUI(ID_EDIT_COPY, [this](CCmdUI& ui) { ui.Enable(GetLabelEditor() || SelectionAllows(false)); });
    OnCommand(ID_EDIT_PASTE, [this](UINT) { OnPaste(); });
    OnUpdateUI(ID_EDIT_PASTE, [this](CCmdUI& ui) { OnUpdatePaste(ui); });
    OnCommand(ID_DELETE, [this](UINT) { OnDelete(); });
    OnUpdateUI(ID_DELETE, [this](CCmdUI& ui) { ui.Enable(SelectionAllows(true)); });
    OnCommand(ID_DELETE_PERMANENT, [this](UINT) { OnDeletePermanently(); });
    OnUpdateUI(ID_DELETE_PERMANENT, [this](CCmdUI& ui) { OnUpdateDeletePermanently(ui); });
    OnCommand(ID_EDIT_UNDO, [this](UINT) { PassToLabelEditor(EM_UNDO); });
    OnUpdateUI(ID_EDIT_UNDO, [this](CCmdUI& ui) { ui.Enable(GetLabelEditor() != nullptr); });
    OnCommand(ID_NEW_FOLDER, [this](UINT) { OnNewFolder(); });
    OnUpdateUI(ID_NEW_FOLDER, [this](CCmdUI& ui) { OnUpdateNewFolder(ui); });
}

HWND CEView::GetLabelEditor() const
{
    return m_hWnd ? ListView_GetEditControl(m_hWnd) : nullptr;
}

bool CEView::PassToLabelEditor(UINT message)
{
    HWND hEditor = GetLabelEditor();
    if (hEditor)
        SendMessageW(hEditor, message, 0, 0);
    return hEditor != nullptr;
}

// ---- the clipboard ----

bool CEView::SelectionAllows(bool bCut) const
{
    const std::vector<int> rows = GetSelectedRows();
    if (rows.empty())
        return false;
    const CAppSettings& settings = Settings();
    for (const int row : rows) {
        const CFileItem* pItem = GetItem(row);
        if (!pItem)
            continue;
        const std::string& path = pItem->m_strPath;
        if (pItem->IsFolder() && (settings.m_keys.IsMyComputerKey(path) || CFolderKeys::IsDriveRoot(path)))
            return false;
        if (bCut && settings.m_drives.IsInRecycleFolder(path))
            return false;
    }
    return true;
}

void CEView::SetClipFromSelection()
{
    const std::vector<int> rows = GetSelectedRows();
    if (rows.empty())
        return;
    CPathList& clip = GetEDoc()->GetClipList();
    clip.Clear();
    for (const int row : rows) {
        if (const CFileItem* pItem = GetItem(row))
            clip.Add(pItem->m_strPath, pItem->m_nAttr);
    }
}

void CEView::SetClipFromAllRows()
{
    CEDoc* pDocument = GetEDoc();
    if (GetRowCount() == 0)
        return;
    pDocument->SetCutPending(false);
    CPathList& clip = pDocument->GetClipList();
    clip.Clear();
    for (int row = 0; row < GetRowCount(); ++row) {
        if (const CFileItem* pItem = GetItem(row))
            clip.Add(pItem->m_strPath, pItem->m_nAttr);
    }
}

void CEView::OnUpdateCopyAll(CCmdUI& ui)
{
    const CEDoc* pDocument = GetEDoc();
    ui.Enable(GetRowCount() > 0 && pDocument && !Settings().m_keys.IsMyComputerKey(pDocument->m_strCurPath));
}

void CEView::OnCut()
{
    if (PassToLabelEditor(WM_CUT))
        return;
    GetEDoc()->SetCutPending(true);
    SetClipFromSelection();
}

void CEView::OnCopy()
{
    if (PassToLabelEditor(WM_COPY))
        return;
    GetEDoc()->SetCutPending(false);
    SetClipFromSelection();
}

std::string CEView::PasteTarget() const
{
    const std::vector<int> rows = GetSelectedRows();
    if (!rows.empty()) {
        if (const CFileItem* pItem = GetItem(rows.front()); pItem && pItem->IsFolder())
            return pItem->m_strPath;
    }
    return GetEDoc()->m_strCurPath;
}

void CEView::OnUpdatePaste(CCmdUI& ui)
{
    if (GetLabelEditor()) {
        ui.Enable(true);
        return;
    }
    const CEDoc* pDocument = GetEDoc();
    const std::string target = PasteTarget();
    const CAppSettings& settings = Settings();
    ui.Enable(pDocument && !pDocument->GetClipList().empty() && !settings.m_keys.IsMyComputerKey(target) &&
              !settings.m_drives.IsInRecycleFolder(target));
}

void CEView::OnPaste()
{
    if (PassToLabelEditor(WM_PASTE))
        return;
    CEDoc* pDocument = GetEDoc();
    pDocument->m_strPasteDest = PasteTarget();
    pDocument->RunFileOperation(pDocument->GetClipList(), pDocument->IsCutPending() ? kFoMove : kFoCopy);
}

// ---- deleting ----

void CEView::OnDelete()
{
    CEDoc* pDocument = GetEDoc();
    pDocument->SetCutPending(false);
    SetClipFromSelection();
    pDocument->m_strPasteDest = pDocument->m_strCurPath;
    pDocument->RunFileOperation(pDocument->GetClipList(), kFoDelete);
}

void CEView::OnUpdateDeletePermanently(CCmdUI& ui)
{
    const std::vector<int> rows = GetSelectedRows();
    ui.Enable(!rows.empty() && !IsDriveRow(rows.front()));
}

// Whatever the answers, the rows follow the disk and every window hears of it.
void CEView::OnDeletePermanently()
{
    CEDoc* pDocument = GetEDoc();
    SetClipFromSelection();
    CPathList& clip = pDocument->GetClipList();
    Settings().m_files.DeletePermanently(clip);
    RemoveVanishedRows(clip);
    CUpdateHint hint;
    hint.m_strPath = pDocument->m_strCurPath;
    hint.m_nCode = kFoDelete;
    pDocument->UpdateAllViews(this, kHintFilesOperated, &hint);
    pDocument->NotifyOthers(kHintFilesOperated, hint);
    clip.Clear();
}

// ---- new folder and rename ----

// Before the tree has chosen a folder there is none to make it in (the working folder is no place).
void CEView::OnUpdateNewFolder(CCmdUI& ui)
{
    const CEDoc* pDocument = GetEDoc();
    const CFolderKeys& keys = Settings().m_keys;
    ui.Enable(pDocument && !pDocument->m_strCurPath.empty() && !keys.IsMyComputerKey(pDocument->m_strCurPath) &&
              !keys.IsFileOnlyFolder(pDocument->m_strCurPath));
}

// Pressed while a walk waits in its pump, the command only stops that walk.
void CEView::OnNewFolder()
{
    if (Settings().m_walk.StopAggregation())
        return;
    std::string path;
    if (!GetEDoc()->NewFolder(path))
        return;
    const int row = FindRow(path);
    if (row < 0)
        return;
    SetFocus(m_hWnd);
    ListView_EditLabel(m_hWnd, row);
}

// Escape, an empty name or the unchanged name rename nothing; a name refused reopens the editor
// (posted: the ended edit is still being taken down). Escape in a reopened editor gives the row
// its old name back: the row shows the refused name meanwhile, and taking that as the answer would
// reopen the editor for ever.
LRESULT CEView::OnEndLabelEdit(const NMLVDISPINFOW& info)
{
    const int row = info.item.iItem;
    CFileItem* pItem = GetItem(row);
    if (!pItem)
        return 0;
    const std::string current = FromWide(GetCellText(row, CListColumns::kName));
    const bool bTyped = info.item.pszText && *info.item.pszText;
    const std::string typed = bTyped ? FromWide(info.item.pszText) : m_bCaptureOldName ? current : m_strOldName;
    if (m_bCaptureOldName) {
        m_bCaptureOldName = false;
        m_strOldName = current;
    }
    SetCellText(row, CListColumns::kName, typed);
    if (typed == m_strOldName) {
        m_bCaptureOldName = true;
        return 0;
    }
    std::string oldName;
    const std::string oldPath = pItem->m_strPath;
    const std::string newPath = CFolderKeys::JoinPath(CFolderKeys::SplitPath(oldPath, oldName), typed);
    if (!CFileServices::IsValidFileName(typed) || !GetEDoc()->Rename(oldPath, newPath)) {
        if (CFileServices::IsValidFileName(typed))
            SetCellText(row, CListColumns::kName, m_strOldName);
        PostMessageW(m_hWnd, kReeditMessage, static_cast<WPARAM>(row), 0);
        return 0;
    }
    m_bCaptureOldName = true;
    pItem->m_strPath = newPath;
    pItem->m_strName = typed;
    CUpdateHint hint;
    hint.m_strOldPath = oldPath;
    hint.m_strPath = newPath;
    GetEDoc()->UpdateAllViews(this, kHintRenamed, &hint);
    GetEDoc()->NotifyOthers(kHintRenamed, hint);
    return 0;
}

// ---- reactions to file changes ----

std::unordered_map<std::string, int> CEView::RowsByPath() const
{
    std::unordered_map<std::string, int> rows;
    const int count = GetRowCount();
    rows.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        if (const CFileItem* pItem = GetItem(row))
            rows.emplace(pItem->m_strPath, row);
    }
    return rows;
}

// A copy shows its entries where they arrived, a move there and no more where they were, a delete
// only the latter.
void CEView::OnFilesOperated(const CUpdateHint& hint)
{
    CEDoc* pDocument = GetEDoc();
    const CPathList& entries = pDocument->GetOperatedList();
    const std::string& current = pDocument->m_strCurPath;
    const bool bArrives = hint.m_nCode == kFoCopy || hint.m_nCode == kFoMove;
    if (bArrives && !current.empty() && Settings().m_keys.GetRealFolder(current) == hint.m_strPath)
        ShowEntriesIn(entries, hint.m_strPath);
    if (hint.m_nCode != kFoCopy)
        RemoveVanishedRows(entries);
}

void CEView::ShowEntriesIn(const CPathList& entries, const std::string& folder)
{
    const bool bFilesOnly = Settings().m_keys.IsFileOnlyFolder(GetEDoc()->m_strCurPath);
    std::unordered_map<std::string, int> rows = RowsByPath();
    const CFolderKeys& keys = Settings().m_keys;
    SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    for (const CPathList::Entry& source : entries) {
        CFolderListing::Entry entry;
        if (!CFolderListing::ReadEntry(keys.SameNameIn(source.path, folder), entry))
            continue;
        if (bFilesOnly && (entry.attr & kAttrDirectory))
            continue;
        const auto found = rows.find(entry.path);
        CFileItem* pItem = found == rows.end() ? nullptr : GetItem(found->second);
        if (!pItem) {
            std::string path = entry.path;
            if (const int row = AppendEntry(entry, false); row >= 0)
                rows.emplace(std::move(path), row);
            continue;
        }
        pItem->m_nAttr = entry.attr;
        if (!pItem->m_bTotals)
            pItem->m_info = entry.info;
        ShowRecord(found->second);
    }
    SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

// Only when the entries came from this folder; the rows go bottom first, so that the row numbers
// of the map stay right.
void CEView::RemoveVanishedRows(const CPathList& entries)
{
    const CEDoc* pDocument = GetEDoc();
    std::string name;
    if (entries.empty() || pDocument->m_strCurPath.empty() ||
        CFolderKeys::SplitPath(entries[0].path, name) != Settings().m_keys.GetRealFolder(pDocument->m_strCurPath))
        return;
    const std::unordered_map<std::string, int> rows = RowsByPath();
    std::vector<int> vanished;
    CFindEntry status;
    for (const CPathList::Entry& entry : entries) {
        const auto found = rows.find(entry.path);
        if (found != rows.end() && !GetPlatform().GetFileStatus(entry.path, status))
            vanished.push_back(found->second);
    }
    std::sort(vanished.begin(), vanished.end(), std::greater<>());
    vanished.erase(std::unique(vanished.begin(), vanished.end()), vanished.end());
    SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    for (const int row : vanished)
        DeleteRow(row);
    SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void CEView::OnFolderCreated(const CUpdateHint& hint)
{
    const CEDoc* pDocument = GetEDoc();
    std::string name;
    CFolderListing::Entry entry;
    if (CFolderKeys::SplitPath(hint.m_strPath, name) == pDocument->m_strCurPath && FindRow(hint.m_strPath) < 0 &&
        CFolderListing::ReadEntry(hint.m_strPath, entry))
        AppendEntry(entry, false);
}
