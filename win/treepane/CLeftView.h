// CLeftView: the folder tree pane on the left of a child window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "folderdata/CCompareTally.h"
#include "folderdata/CSizeInfo.h"
#include "services/CPathList.h"
#include "fw/CView.h"

class CAppSettings;
class CArchive;
class CCompareSummaryDlg;
class CDirSzLst;
class CSnapshotCompare;
class CEDoc;
class CFolderNode;
class CFolderSearch;
class CUpdateHint;

// Which folders were open: (folder key, item state) of every expanded item, rebuilt before each
// refresh and when the windows are saved, read when a level is filled and when a window opens.
// One for the process: the last window that wrote it wins.
extern std::vector<std::pair<std::string, int32_t>> g_treeState;

// Label editing, one state for all trees. While g_bTreeEditCapture is set, the next end of an
// edit first captures the edited label's totals prefix and name; it stays clear while the editor
// is reopened after an invalid name or a failed rename, so that the captured pair survives.
extern int g_bTreeEditCapture;
extern std::string g_strTreeEditPrefix;
extern std::string g_strTreeEditName;

// A tree view control showing the computer, its drives and their folders. Items are filled from
// the disk only when opened: an unopened folder holds just its first sub-folder (so it gets an
// expand button), an unopened drive a placeholder, and nothing is read from a drive until the
// user opens it. Each item's CFolderNode (made and owned by the document) holds its key and last
// totals; the label shows the totals the settings enable in front of the name once the item was
// aggregated. What all windows share (settings, folder records, switches, the pump) the tree asks
// of its document.
//
// The aggregate command walks the selected folder's visible subtree deepest first, then totals
// again, from stored results, the ancestors whose totals are stored; pressed again while a walk
// pumps messages it only stops the walk, as does selecting another folder. A selection is acted
// on only when it has rested for a moment, so running through the tree with the arrow keys
// refills the list once. With linkage on, a selection below the window's base folder is handed
// to the other windows (kHintLinkedSelection), which select the same place below their own base
// folders without handing it on. Its piece of each "Child Wind " record is the selected folder
// and the open folders.
//
// The search dialog has the tree search the stored records below its selected folder
// (SearchFolders); every hit is opened and shown with the search-hit icon until the next search
// closes the subtree again (ClearSearchMarks).
//
// In compare mode the tree walks its selected folder on the disk whenever compare starts (a new
// selection, an aggregation, the compare command) and asks the other windows about each folder
// and file below it (CCompareWalk); folders that differ get image 5 and the verdict letters in
// front of their labels, equal ones the normal image and a dotted letter field. It answers the
// other trees' questions about its counterparts of their entries.
//
// Its file commands act on the selected folder: cut, copy, paste (the program's clipboard, shared
// by all windows), replace with the clipboard's contents, delete to the recycle bin, remove an
// empty folder for good, new folder, and rename by editing the label, which keeps the totals in
// front of the name. Whatever pane or window changed the disk, the tree follows the update codes:
// pasted, moved and deleted folders (kHintFilesOperated), changed files (kHintFilesChanged), a new
// folder (kHintFolderCreated) and a rename (kHintRenamed), finding items by path through their
// parents' children rather than searching the whole tree for each entry.
//
// The class is written in files by role: CLeftView.cpp (construction, items and nodes, the
// store, notifications), CLeftViewFill.cpp (filling from the disk and the window's start),
// CLeftViewTotals.cpp (aggregation and labels), CLeftViewLinkage.cpp (selection, linkage,
// sorting and the frame's requests), CLeftViewCommands.cpp (file commands, label editing, the
// Delete key), CLeftViewUpdates.cpp (reactions to file changes), CLeftViewSearch.cpp (search
// marks), CLeftViewCompare.cpp (compare walks, answers and marks), CLeftViewSnapshot.cpp (the
// compare with a saved "Dir Info", which marks the tree and the list the same way),
// CLeftViewBatch.cpp (many labels and images changed in one batch) and CLeftViewButtons.cpp (the
// expand buttons of a level too wide to list each sub-folder when it opens). Labels and images live
// in the nodes; the control asks for them when it draws, so a batch changes thousands of them
// without the control laying out its items for each.
//
// A level opens with every sub-folder inserted at once, but only the first kButtonsAtOnce of them
// are listed for their expand buttons as the level is filled; the others, never opened before,
// leave the button to the control to ask for (I_CHILDRENCALLBACK) when it draws the item or an
// outside reader asks for it, and the tree learns the rest from the message loop in short slices,
// so that opening a folder of ten thousand sub-folders does not list ten thousand folders first.
class CLeftView : public CView {
public:
    // the keys a refresh met, so that it can remove the items of folders that are gone
    using SeenList = std::set<std::string>;

    // Quiet time after the last selection change before the list follows it, in milliseconds.
    static constexpr UINT kSelectionDelay = 150;

    // ---- construction (CLeftView.cpp) ----
    CLeftView();
    ~CLeftView() override;

    // ---- operations ----
    // access (CLeftView.cpp)
    CEDoc* GetEDoc() const;
    // The folder selected in the tree, empty while none is.
    const std::string& GetCurrentFolder() const;
    std::string GetItemPath(HTREEITEM hItem) const;
    std::string GetItemName(HTREEITEM hItem) const;
    std::wstring GetItemText(HTREEITEM hItem) const;
    HTREEITEM FindItem(const std::string& path) const;

    // store (CLeftView.cpp)
    void Serialize(CArchive& ar);
    void SaveTreeState(HTREEITEM hItem);
    void RestoreTreeState();

    // filling (CLeftViewFill.cpp)
    bool RefreshItem(const std::string& path);
    bool FillDrives(HTREEITEM hComputer, SeenList& seen);
    bool FillChildren(HTREEITEM hItem, bool bAll, SeenList& seen);
    // bButtonLater: a new item, or one whose expand button is pending, leaves the button to be learned.
    HTREEITEM AddOrUpdateItem(HTREEITEM hParent, const std::string& path, const std::string& name,
                              SeenList& seen, bool bButtonLater = false);
    bool ExpandToPath(const std::string& path);

    // totals and labels (CLeftViewTotals.cpp)
    bool SetItemLabel(HTREEITEM hItem, const CSizeInfo& totals);
    bool AggregateSelected();
    bool AggregateItem(HTREEITEM hItem, bool bReaggregate);
    bool AggregateSubtree(HTREEITEM hItem, bool bReaggregate);
    bool UpdateAncestors(HTREEITEM hItem);
    bool RelabelFromNode(HTREEITEM hItem);
    bool RefreshAll();

    // selection, linkage and sorting (CLeftViewLinkage.cpp)
    void SelectPath(const std::string& path);
    // Selects a folder opened in the list: its parent is opened, and read again when the folder
    // has no item yet (it was made after the parent was filled).
    void ShowFolder(const std::string& path);
    // The part of path below base; false when path is not base or below it.
    static bool RelativePath(const std::string& path, const std::string& base, std::string& relative);
    // operations the child frame asks for
    void SelectParentFolder();
    // Chooses the key and direction of all windows and sorts the selected folder's children.
    void SortFolders(int32_t key);
    bool CanSortFolders() const;
    bool SortChildren(HTREEITEM hItem, int32_t key);
    void OnUpdateFolderUp(CCmdUI& ui);
    void OnUpdateRefreshOnOpen(CCmdUI& ui);

    // expand buttons (CLeftViewButtons.cpp)
    // True until every button left to be learned is known.
    bool IsLearningButtons() const { return !m_buttonQueue.empty(); }

    // ---- search marks (CLeftViewSearch.cpp) ----
    // Closes the selected folder's subtree and gives every item in it its own icon again.
    void ClearSearchMarks();
    // Runs through the stored records at or below the selected folder, in key order, and opens
    // the tree down to every hit and marks it (kSearchHitImage); false when the user stopped it.
    bool SearchFolders(const CSizeInfo& criteria, int32_t nCombine, bool bSkipNoDate);
    // One record: a CFolderSearch::Result (marked, no hit, stopped, a hit without an item).
    int32_t TestRecord(CFolderSearch& search, const std::string& path, const CSizeInfo& totals);
    static constexpr int kSearchHitImage = 4;
    // compare (CLeftViewCompare.cpp)
    // Compares the selected folder when it lies at or below the base folder (kHintCompareStart).
    void StartCompareWalk();
    // 0 everything the same, 1 something differs, 2 stopped or a folder could not be listed.
    int CompareWalk(const std::string& path);
    // Asks the other windows; true when all hold an equal folder or file. letters: their verdict.
    bool CompareFolder(const std::string& path, std::string& letters);
    bool CompareFile(const std::string& path, const CSizeInfo& info);
    // Mark the item of path, when the selected item or one below it shows path.
    void MarkDifferent(const std::string& path, const std::string& letters);
    void MarkSame(const std::string& path);
    // The item and everything below it get their normal images again; labels stay.
    void ResetIcons(HTREEITEM hItem);
    // the answers to other trees' questions (kHintCompareFolder, kHintCompareFile)
    void AnswerFolder(const CUpdateHint& hint);
    void AnswerFile(const CUpdateHint& hint);
    // the item of a compared path, searched among the selected item and its descendants
    HTREEITEM FindCompared(const std::string& path) const;
    void SetItemImage(HTREEITEM hItem, int image);
    // the totals text of what is stored for path, empty when nothing is
    std::string StoredInfoText(const std::string& path);
    bool AskOthers(int code, CUpdateHint& hint, std::string& letters);
    // The summary form of the last walk StartCompareWalk began, shown when the compare command
    // asked for it.
    void ShowCompareSummary(const std::string& path);
    const CCompareTally& GetCompareTally() const { return m_compareTally; }
    CCompareSummaryDlg* GetCompareSummary() const { return m_pCompareSummary.get(); }

    // compare with a saved "Dir Info" (CLeftViewSnapshot.cpp)
    bool CanCompareSnapshot() const;
    // Asks for the file with the standard open dialog, then CompareWithSnapshot.
    void OnCompareSnapshot();
    // Walks the selected folder afresh and compares it with the Dir Info file at fileKey: the
    // tree is marked as by a compare between windows and the summary form shows the counts and
    // the biggest size changes. An unfit file gets one message and changes nothing.
    bool CompareWithSnapshot(const std::string& fileKey);

    // file commands and label editing (CLeftViewCommands.cpp)
    // The selected folder onto the program's clipboard (a file-only virtual folder: its files).
    void FillClipFromSelection();
    // Gives the item the key path, its descendants the same places below it, and the stored
    // records of the folder and of all folders below it their new keys; labels stay.
    void UpdatePaths(HTREEITEM hItem, const std::string& path);

    // reactions to file changes (CLeftViewUpdates.cpp)
    void OnFilesPasted(const CUpdateHint& hint);
    void OnFilesChanged();
    void OnFolderChanged(const std::string& path);
    void OnFolderRenamed(const std::string& oldPath, const std::string& newPath);
    // Aggregates the folder's item again when its label shows totals.
    bool ReaggregateIfShown(const std::string& path, bool bReaggregate);

    // ---- overridables ----
    void OnInitialUpdate() override;  // CLeftViewFill.cpp
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    const wchar_t* GetControlClass() const override { return WC_TREEVIEWW; }
    DWORD GetControlStyle() const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // the timer that waits for the selection to rest
    static constexpr UINT_PTR kSelectionTimer = 0x5A51;
    // the timer that learns the expand buttons left pending, a slice at a time
    static constexpr UINT_PTR kButtonTimer = 0x5A52;
    // how many sub-folders of a level are listed for their buttons while the level is filled
    static constexpr int kButtonsAtOnce = 256;
    // posted to reopen the label editor once the control has closed it (lParam: the item)
    static constexpr UINT kReopenEditorMessage = WM_APP + 0x5A;

    // items and nodes (CLeftView.cpp)
    CAppSettings& Settings() const;
    CFolderNode* GetNode(HTREEITEM hItem) const;
    HTREEITEM FindBelow(HTREEITEM hFirst, const std::string& path) const;
    // the item of the key when the index holds it, without searching the items
    HTREEITEM IndexedItem(const std::string& path) const;
    // the index of the items by key (m_itemOfPath), kept as items come, go and change keys
    void RememberItem(const std::string& path, HTREEITEM hItem);
    void ForgetItem(const std::string& path, HTREEITEM hItem);
    void SetItemText(HTREEITEM hItem, const std::string& text);
    // Draws a shown item again: at once, or within a batch with the batch's next repaint.
    void RepaintItem(HTREEITEM hItem);
    UINT GetItemState(HTREEITEM hItem, UINT mask) const;
    HTREEITEM Child(HTREEITEM hItem) const { return TreeView_GetChild(m_hWnd, hItem); }
    HTREEITEM Next(HTREEITEM hItem) const { return TreeView_GetNextSibling(m_hWnd, hItem); }
    HTREEITEM Selected() const { return TreeView_GetSelection(m_hWnd); }
    bool IsExpanded(HTREEITEM hItem) const { return GetItemState(hItem, TVIS_EXPANDED) != 0; }
    void CollectState(HTREEITEM hFirst);
    static bool IsInTreeState(const std::string& path);

    // filling (CLeftViewFill.cpp)
    HTREEITEM FindChild(HTREEITEM hParent, const std::string& path);
    bool FillChild(HTREEITEM hItem, const std::string& child, bool bWide, SeenList& seen);
    HTREEITEM InsertFolderItem(HTREEITEM hParent, const std::string& path, const std::string& name,
                               bool bButtonLater = false);
    int GetImageIndex(const std::string& path);
    bool PruneChildren(HTREEITEM hItem, const SeenList& seen);
    // Around many insertions or deletions: the control is laid out and drawn once, at the end.
    void BeginBulkChange();
    void EndBulkChange();
    void DeleteNodeItem(HTREEITEM hItem);
    // Around many label or image changes (an aggregation, a search, a compare): the control is
    // not asked item by item; what is shown is drawn again a few times a second, and every shown
    // label is measured once at the end (CLeftViewBatch.cpp).
    class LabelBatch {
    public:
        explicit LabelBatch(CLeftView& tree) : m_tree(tree) { m_tree.BeginLabelBatch(); }
        ~LabelBatch() { m_tree.EndLabelBatch(); }
        LabelBatch(const LabelBatch&) = delete;
        LabelBatch& operator=(const LabelBatch&) = delete;

    private:
        CLeftView& m_tree;
    };
    void BeginLabelBatch();
    void EndLabelBatch();
    // expand buttons (CLeftViewButtons.cpp)
    // Marks the node's button pending and queues it to be learned; the item asks for it already.
    void QueueButton(CFolderNode& node);
    // 1 when the item gets a button, 0 when not; the disk is asked once.
    int AnswerButton(HTREEITEM hItem, CFolderNode& node) const;
    static bool HasSubFolders(const std::string& path);
    void SettleButton(HTREEITEM hItem);
    void LearnButtons();
    void InsertComputer();
    void OpenStartFolder();
    void ExpandItem(HTREEITEM hItem);

    // search marks (CLeftViewSearch.cpp)
    void ClearMarksBelow(HTREEITEM hItem);
    HTREEITEM InsertFileOnlyItem(const std::string& path, const CSizeInfo& totals);

    // totals and labels (CLeftViewTotals.cpp)
    bool AggregateVisibleChildren(HTREEITEM hItem, bool bReaggregate);
    bool ReaggregateShown(HTREEITEM hItem, bool bThisOnly, bool bForce);
    void ResetLabels(HTREEITEM hItem);
    bool AnyLabelWithTotals(HTREEITEM hItem) const;

    // selection and linkage (CLeftViewLinkage.cpp)
    void OnSelectionSettled();
    void SettlePendingSelection();
    void SendLinkedSelection();
    void FollowLinkedSelection(const std::string& relative);

    // compare with a saved "Dir Info" (CLeftViewSnapshot.cpp)
    // leftOut: the folders the walk could not read, which are not gone.
    bool WalkForSnapshot(const std::string& base, CDirSzLst& now, std::vector<std::string>& leftOut);
    void StoreWalked(const CDirSzLst& now);
    void MarkSnapshotItems(HTREEITEM hItem, const CSnapshotCompare& compare, const CDirSzLst& now);
    void MarkSnapshotRows(const CSnapshotCompare& compare, const CDirSzLst& now);

    // file commands and label editing (CLeftViewCommands.cpp)
    void MapFileCommands();
    std::string SelectedPath() const;
    HWND EditControl() const { return TreeView_GetEditControl(m_hWnd); }
    // Hands a clipboard message to the open label editor; false when none is open.
    bool PassToEditor(UINT message);
    bool CanCopySelected() const;
    bool CanCutSelected() const;
    bool CanPasteSelected() const;
    bool CanMakeFolderHere() const;
    void PasteClipboard();
    void ReopenEditor(HTREEITEM hItem);
    void RestoreEditedLabel(HTREEITEM hItem);
    void RenameEditedFolder(HTREEITEM hItem, std::string name);
    void RekeyNodes(HTREEITEM hItem, const std::string& oldPath, const std::string& newPath);
    // reactions to file changes (CLeftViewUpdates.cpp)
    void AddPastedFolders(const CPathList& list, const std::string& destination);
    void RemoveVanishedFolders(const CPathList& list);

    // ---- handlers ----
    // notifications (CLeftView.cpp)
    LRESULT OnItemExpanding(const NMTREEVIEWW& info);
    void OnItemExpanded(const NMTREEVIEWW& info);
    void OnGetDispInfo(NMTVDISPINFOW& info) const;
    // commands (CLeftViewTotals.cpp)
    void OnAggregate();
    void OnUpdateLabelReset(CCmdUI& ui);
    // file commands, label editing and keys (CLeftViewCommands.cpp)
    void OnCut();
    void OnCopy();
    void OnPaste();
    void OnReplaceWithClip();
    void OnDelete();
    void OnDeletePermanently();
    void OnNewFolder();
    LRESULT OnBeginLabelEdit(const NMTVDISPINFOW& info) const;
    void OnEndLabelEdit(const NMTVDISPINFOW& info);
    // False when the key is swallowed.
    bool OnDeleteKey();

    HIMAGELIST m_hImageList = nullptr;
    // the children of each level a refresh visits, by key; valid for one RefreshItem only
    std::map<HTREEITEM, std::unordered_map<std::string, HTREEITEM>> m_childIndex;
    int m_nRefreshDepth = 0;
    // every item by its key: a search opens thousands of hits among thousands of siblings
    std::unordered_map<std::string, HTREEITEM> m_itemOfPath;
    // the keys of the items whose buttons are still to be learned, in the order they came; a key
    // whose item went or changed its key meanwhile is passed over
    std::deque<std::string> m_buttonQueue;
    // the batch of label and image changes under way (LabelBatch)
    int m_nLabelBatch = 0;
    bool m_bBatchChanged = false;
    DWORD m_dwBatchRepainted = 0;
    RECT m_rcBatchDirty{};
    // state of the selection
    int m_bSelectBusy = 0;
    std::string m_strSelectedPath;
    int m_bSkipListUpdate = 1;
    bool m_bSelectionPending = false;
    // set while the selection follows a linked window, so that it is not echoed back
    bool m_bFollowingLink = false;
    // set while the tree opens the way to a linked window's selection: the compare that follows
    // the selection covers the folders opened on the way
    bool m_bOpeningLinkedPath = false;
    // the counts of the compare questions since StartCompareWalk began, and their form
    CCompareTally m_compareTally;
    std::unique_ptr<CCompareSummaryDlg> m_pCompareSummary;
};
