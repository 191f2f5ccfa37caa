// CLeftView, part five: the file commands on the selected folder, renaming by label editing and the Delete key.
#include "treepane/CLeftView.h"

#include "CPlatform.h"
#include "Win32Text.h"
#include "app/CAppSettings.h"
#include "folderdata/CDirSzLst.h"
#include "folderdata/CEDoc.h"
#include "folderdata/CUpdateHint.h"
#include "fw/CCmdUI.h"
#include "res/resource.h"
#include "services/CDisplayFormat.h"
#include "treepane/CFolderLabel.h"
#include "treepane/CFolderNode.h"
#include "treepane/CTreeClipRules.h"

namespace {

// Folders are listed for the clipboard through the document, which knows the walk's listing.
CTreeClipRules::ListFunction ListerOf(CEDoc* pDocument)
{
    return [pDocument](CPathList& list, const std::string& folder, bool bFilesOnly) {
        return pDocument->ListFolderEntries(list, folder, bFilesOnly);
    };
}

}  // namespace

int g_bTreeEditCapture = 1;
std::string g_strTreeEditPrefix;
std::string g_strTreeEditName;

void CLeftView::MapFileCommands()
{
    OnCommand(ID_EDIT_CUT, [this](UINT) { OnCut(); });
    OnUpdateUI(ID_EDIT_CUT, [this](CCmdUI& ui) { ui.Enable(EditControl() || CanCutSelected()); });
    OnCommand(ID_EDIT_COPY, [this](UINT) { OnCopy(); });
    OnUpdateUI(ID_EDIT_COPY, [this](CCmdUI& ui) { ui.Enable(EditControl() || CanCopySelected()); });
    OnCommand(ID_EDIT_PASTE, [this](UINT) { OnPaste(); });
    OnUpdateUI(ID_EDIT_PASTE, [this](CCmdUI& ui) { ui.Enable(EditControl() || CanPasteSelected()); });
    OnCommand(ID_REPLACE_WITH_CLIP, [this](UINT) { OnReplaceWithClip(); });
    OnUpdateUI(ID_REPLACE_WITH_CLIP, [](CCmdUI& ui) { ui.Enable(true); });
    OnCommand(ID_DELETE, [this](UINT) { OnDelete(); });
    OnUpdateUI(ID_DELETE, [this](CCmdUI& ui) { ui.Enable(CanCutSelected()); });
    OnCommand(ID_DELETE_PERMANENT, [this](UINT) { OnDeletePermanently(); });
    OnUpdateUI(ID_DELETE_PERMANENT, [this](CCmdUI& ui) { ui.Enable(CanCutSelected()); });
    OnCommand(ID_NEW_FOLDER, [this](UINT) { OnNewFolder(); });
    OnUpdateUI(ID_NEW_FOLDER, [this](CCmdUI& ui) { ui.Enable(CanMakeFolderHere()); });
    OnCommand(ID_EDIT_UNDO, [this](UINT) { PassToEditor(EM_UNDO); });
    OnUpdateUI(ID_EDIT_UNDO, [this](CCmdUI& ui) { ui.Enable(EditControl() != nullptr); });
}

// ---- rules ----

std::string CLeftView::SelectedPath() const
{
    return GetItemPath(Selected());
}

bool CLeftView::PassToEditor(UINT message)
{
    HWND hEdit = EditControl();
    if (hEdit)
        SendMessageW(hEdit, message, 0, 0);
    return hEdit != nullptr;
}

bool CLeftView::CanCopySelected() const
{
    return CTreeClipRules::CanCopy(Settings().m_keys, SelectedPath());
}

bool CLeftView::CanCutSelected() const
{
    return CTreeClipRules::CanCut(Settings(), SelectedPath());
}

bool CLeftView::CanPasteSelected() const
{
    return CTreeClipRules::CanPaste(Settings(), SelectedPath(), GetEDoc()->GetClipList().empty());
}

bool CLeftView::CanMakeFolderHere() const
{
    const std::string path = SelectedPath();
    const CFolderKeys& keys = Settings().m_keys;
    return !path.empty() && !keys.IsMyComputerKey(path) && !keys.IsFileOnlyFolder(path) && !keys.IsPlaceholderPath(path);
}

// ---- clipboard and delete ----

void CLeftView::FillClipFromSelection()
{
    CEDoc* pDocument = GetEDoc();
    CTreeClipRules::FillFromSelection(Settings().m_keys, SelectedPath(), pDocument->GetClipList(), ListerOf(pDocument));
}

void CLeftView::OnCut()
{
    if (PassToEditor(WM_CUT) || !CanCutSelected())
        return;
    FillClipFromSelection();
    GetEDoc()->SetCutPending(true);
}

void CLeftView::OnCopy()
{
    if (PassToEditor(WM_COPY) || !CanCopySelected())
        return;
    FillClipFromSelection();
    GetEDoc()->SetCutPending(false);
}

void CLeftView::OnPaste()
{
    if (!PassToEditor(WM_PASTE))
        PasteClipboard();
}

// The destination is the folder the window shows, which is the selection once it has settled.
void CLeftView::PasteClipboard()
{
    SettlePendingSelection();
    if (!CanPasteSelected())
        return;
    CEDoc* pDocument = GetEDoc();
    pDocument->m_strPasteDest = pDocument->m_strCurPath;
    pDocument->RunFileOperation(pDocument->GetClipList(), pDocument->IsCutPending() ? kFoMove : kFoCopy);
}

void CLeftView::OnReplaceWithClip()
{
    CEDoc* pDocument = GetEDoc();
    if (CTreeClipRules::ReplaceWithEntries(pDocument->GetClipList(), ListerOf(pDocument)))
        PasteClipboard();
}

void CLeftView::OnDelete()
{
    SettlePendingSelection();
    if (!CanCutSelected())
        return;
    FillClipFromSelection();
    CEDoc* pDocument = GetEDoc();
    pDocument->m_strPasteDest = pDocument->m_strCurPath;
    pDocument->RunFileOperation(pDocument->GetClipList(), kFoDelete);
}

// Only an empty folder goes; a folder that is not empty stays without a word. The windows learn
// of the removal as of any delete, from a clipboard that names the folder while the update
// travels; the user's clipboard is then given back as it was.
void CLeftView::OnDeletePermanently()
{
    SettlePendingSelection();
    const std::string path = SelectedPath();
    CFileServices::Failure failure;
    if (!CanCutSelected() || !CFileServices::RemoveDir(path, failure))
        return;
    CEDoc* pDocument = GetEDoc();
    CPathList& clip = pDocument->GetClipList();
    const CPathList kept = clip;
    clip.Clear();
    clip.Add(path, static_cast<uint8_t>(kAttrDirectory));
    CUpdateHint hint;
    hint.m_strOldPath = "old";
    hint.m_strPath = Settings().m_keys.GetParentKey(path);
    hint.m_nCode = kFoDelete;
    pDocument->NotifyAll(kHintFilesOperated, hint);
    clip = kept;
}

// ---- new folder ----

// The new folder's item comes from the refresh its announcement starts (OnFolderChanged); it is
// selected before its editor opens, because selecting another item ends an edit.
void CLeftView::OnNewFolder()
{
    CEDoc* pDocument = GetEDoc();
    if (Settings().m_walk.StopAggregation())
        return;
    SettlePendingSelection();
    if (!CanMakeFolderHere())
        return;
    std::string newPath;
    if (!pDocument->NewFolder(newPath))
        return;
    if (HTREEITEM hSelected = Selected(); hSelected && !IsExpanded(hSelected))
        ExpandItem(hSelected);
    HTREEITEM hNew = FindItem(newPath);
    if (!hNew)
        return;
    TreeView_SelectItem(m_hWnd, hNew);
    SetFocus(m_hWnd);
    TreeView_EditLabel(m_hWnd, hNew);
}

// ---- renaming by label editing ----

// Only real folders are renamed: the computer, a drive and the virtual keys name nothing the
// shell could rename.
LRESULT CLeftView::OnBeginLabelEdit(const NMTVDISPINFOW& info) const
{
    return Settings().m_keys.IsOrdinaryFolderPath(GetItemPath(info.item.hItem)) ? FALSE : TRUE;
}

// The editor shows the whole label; only what follows its last ">" is the name, and the totals
// in front of it are kept. The editor is reopened after an invalid name or a failed rename, on
// the bare name, with the captured totals and old name waiting for the edit that settles it.
void CLeftView::OnEndLabelEdit(const NMTVDISPINFOW& info)
{
    HTREEITEM hItem = info.item.hItem;
    const std::string label = FromWide(GetItemText(hItem));
    if (g_bTreeEditCapture)
        CFolderLabel::SplitEdited(label, g_strTreeEditPrefix, g_strTreeEditName);
    if (!info.item.pszText) {
        RestoreEditedLabel(hItem);  // Escape, also after a reopened editor
        return;
    }
    std::string text = FromWide(info.item.pszText);
    if (text.empty())
        text = label;
    std::string name = text;
    if (g_bTreeEditCapture) {
        g_bTreeEditCapture = 0;
        std::string typedPrefix;
        CFolderLabel::SplitEdited(text, typedPrefix, name);
    }
    if (name == g_strTreeEditName) {
        RestoreEditedLabel(hItem);
        return;
    }
    SetItemText(hItem, name);
    if (!CFileServices::IsValidFileName(name)) {
        ReopenEditor(hItem);
        return;
    }
    RenameEditedFolder(hItem, name);
}

void CLeftView::RestoreEditedLabel(HTREEITEM hItem)
{
    g_bTreeEditCapture = 1;
    SetItemText(hItem, g_strTreeEditPrefix + g_strTreeEditName);
}

// The control is still closing its editor while it reports the end of the edit.
void CLeftView::ReopenEditor(HTREEITEM hItem)
{
    PostMessageW(m_hWnd, kReopenEditorMessage, 0, reinterpret_cast<LPARAM>(hItem));
}

void CLeftView::RenameEditedFolder(HTREEITEM hItem, std::string name)
{
    CEDoc* pDocument = GetEDoc();
    CDisplayFormat::NormalizeNameCase(name);
    const std::string oldPath = GetItemPath(hItem);
    const std::string newPath = Settings().m_keys.ReplaceName(oldPath, name);
    if (!pDocument->Rename(oldPath, newPath)) {
        SetItemText(hItem, g_strTreeEditName);
        ReopenEditor(hItem);
        return;
    }
    g_bTreeEditCapture = 1;
    SetItemText(hItem, g_strTreeEditPrefix + name);
    UpdatePaths(hItem, newPath);
    CUpdateHint hint;
    hint.m_strOldPath = oldPath;
    hint.m_strPath = newPath;
    pDocument->UpdateAllViews(this, kHintRenamed, &hint);
    pDocument->NotifyOthers(kHintRenamed, hint);
}

void CLeftView::UpdatePaths(HTREEITEM hItem, const std::string& path)
{
    CFolderNode* pNode = GetNode(hItem);
    if (!pNode)
        return;
    const std::string oldPath = pNode->m_strPath;
    GetEDoc()->GetFolderInfo().RenameFolder(oldPath, path);
    RekeyNodes(hItem, oldPath, path);
    pNode->m_strName = Settings().m_keys.GetNameOf(path);
}

// The names below keep their bytes: a child's key is not rebuilt from its display name, which
// may have had its capitals softened. A button still to be learned is queued again under the new
// key: the old one finds no item any more.
void CLeftView::RekeyNodes(HTREEITEM hItem, const std::string& oldPath, const std::string& newPath)
{
    if (CFolderNode* pNode = GetNode(hItem)) {
        ForgetItem(pNode->m_strPath, hItem);
        pNode->m_strPath = CFolderKeys::Rebase(pNode->m_strPath, oldPath, newPath);
        RememberItem(pNode->m_strPath, hItem);
        if (pNode->m_bButtonPending)
            QueueButton(*pNode);
    }
    for (HTREEITEM hChild = Child(hItem); hChild; hChild = Next(hChild))
        RekeyNodes(hChild, oldPath, newPath);
}

// ---- keys ----

bool CLeftView::OnDeleteKey()
{
    if (!CanCutSelected())
        return false;
    OnDelete();
    return true;
}
