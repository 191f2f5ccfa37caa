// CEDoc: the document of one child window: its folders, the tree's nodes, and the hub of the update traffic.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "folderdata/CUpdateHint.h"
#include "fw/COwnedPool.h"
#include "fw/CViewDocument.h"
#include "listpane/CFileItem.h"
#include "services/CPathList.h"
#include "treepane/CFolderNode.h"

class CAppCore;
class CAppSettings;
class CArchive;
class CDirSzLst;
class CDocumentHost;
class CMultiDocTemplate;

// Created by the document template with its child frame and the two panes. It holds what the
// panes of one window share: the folder selected in the tree (m_strCurPath), the base folder of
// linkage, the panes' node and row records, and where the next paste goes. It alone makes and
// deletes the tree's nodes: the tree asks for one per item it inserts (AddFolderNode) and hands
// it back when the item goes (ReleaseFolderNode, ReleaseAllFolderNodes).
//
// The frame and the panes ask it, not the application, for what all windows share: the settings,
// the folder records, the stop flag of long loops, the message pump, the switches and the sort
// key, and their pieces of "Child Wind " while saved windows are recreated. Every change a pane
// makes is announced with NotifyAll: to this document's views and, through the application, to
// every other document's OnDocumentHint (NotifyOthers skips this document's views), which answers
// the linkage codes itself and passes all other codes on to its views. Its commands are refresh,
// linkage, compare, the kilobyte base and the search dialog. Compare switches linkage on and
// starts every window's compare (StartCompare): each tree walks its selected folder and asks the
// other windows about each entry, each list asks about its rows.
//
// The file operations of both panes go through it (CEDocFiles.cpp): paste and delete of a list
// (RunFileOperation, into m_strPasteDest, which the command sets just before), rename, new
// folder. Each announces what it did to every window: code 1 after a move, copy or delete (the
// hint's path is the destination, its m_nCode the operation; the receivers read the entries from
// GetOperatedList), 0x20 with a new folder's path. The program's clipboard and its cut flag are
// the application's, shared by all windows (GetClipList, IsCutPending).
class CEDoc : public CViewDocument {
public:
    // construction: the state all windows share, which the document hands on, and the host of
    // the search dialog (both the application's)
    CEDoc(CAppCore& app, const CDocumentHost& host);

    // update traffic
    void NotifyAll(int code, CUpdateHint& hint);
    void NotifyOthers(int code, CUpdateHint& hint);
    void OnDocumentHint(CEDoc* pSender, int code, CUpdateHint& hint);
    // Passes an update to every document of the template but the sender's (null: to every one).
    static void NotifyDocuments(const CMultiDocTemplate* pTemplate, CEDoc* pSender, int code, CUpdateHint& hint);
    void SetBasePath(bool bOn);
    // False while the window shows the whole computer rather than a folder.
    bool IsComparable() const;

    // the tree's nodes
    CFolderNode* AddFolderNode(std::string path, std::string name, std::wstring label);
    // Deletes the node; a node this document does not hold is left alone.
    void ReleaseFolderNode(CFolderNode* pNode);
    void ReleaseAllFolderNodes();

    // what all windows share, kept by the application
    CAppSettings& GetSettings() const;
    CDirSzLst& GetFolderInfo() const;
    // Asks a long loop waiting in its message pump to stop.
    void StopWalk();
    // Lets waiting window messages through; the quit message ends the process.
    bool PumpMessages();
    void ClearLastError();
    // The error of the last listing or free-space query, 0 after a success.
    uint32_t GetLastErrorCode() const;
    bool IsLinkageOn() const;
    bool IsRefreshOnOpen() const;
    void SetRefreshOnOpen(bool bOn);
    bool IsReaggregateOn() const;
    void SetReaggregate(bool bOn);
    int32_t GetFolderSortKey() const;
    // Makes key the folder sort key of every window and chooses the direction for it.
    void SelectFolderSortKey(int32_t key);

    // start-up of a window
    // True while the application recreates the windows recorded in "Child Wind ".
    bool IsRestoring() const;
    // The next record of "Child Wind " while IsRestoring; otherwise nothing is read.
    void ReadRestoredRecord(const std::function<void(CArchive&)>& serialize);
    // The folder a new window opens on, given once: the window after it starts without one.
    std::string TakeStartPath();
    // Tells the application that a registered folder the window was to open is not there.
    void NoteRegisteredFolderMissing();

    // compare
    // Sends every window's panes the start of a compare (kHintCompareStart), this window's
    // first; does nothing while compare mode or linkage is off or this window has no base folder.
    bool StartCompare();
    bool IsCompareOn() const;
    // The verdict of the compare question being asked and the flag that no window answered it
    // with a difference, shared by all windows.
    std::string& CompareVerdict() const;
    int32_t& CompareNoAnswer() const;
    // True once, for the tree of the window the compare command was chosen in: its walk ends
    // with the summary form.
    bool TakeSummaryRequest();

    // file operations and the program's clipboard (CEDocFiles.cpp)
    CPathList& GetClipList() const;
    bool IsCutPending() const;
    void SetCutPending(bool bCut);
    // The entries of the move, copy or delete whose code 1 is being delivered; the clipboard at
    // any other time (the permanent delete announces what it removed from there).
    const CPathList& GetOperatedList() const;
    // kFoMove (then list is emptied and the cut flag cleared), kFoDelete to the recycle bin (then
    // list is emptied), or a copy: asked first (CCopyConfirmDlg), filtered by SkipSameTime when
    // its box stays ticked, nothing done after "いいえ" or when nothing is left to copy.
    void RunFileOperation(CPathList& list, int operation);
    // The shell's operation, then code 1 to this document's views and every other document.
    void RunShellOperation(int operation, const CPathList& list, const std::string& destination);
    // Leaves out of list what destination holds with the same time (CFileServices::SkipSameTime),
    // copying the changed entries of existing folders into them at once.
    void SkipSameTime(CPathList& list, const std::string& destination);
    bool ListFolderEntries(CPathList& list, const std::string& folder, bool bFilesOnly);
    // The shell's rename of oldPath to the full path newPath; true on success.
    bool Rename(const std::string& oldPath, const std::string& newPath);
    // "新しいフォルダ" (numbered when taken) in m_strCurPath, announced with code 0x20; its path
    // in newPath. "Error !!!" and false when it cannot be made.
    bool NewFolder(std::string& newPath);

    // shared by both panes
    void OnUpdateAggregate(CCmdUI& ui);
    // Creates the six 16 x 16 state images once (when hImageList is null); false on failure.
    static bool CreateImageList(HIMAGELIST& hImageList);
    // The shell's small icon of a path, for the caller to add and destroy; null when it has none.
    static HICON ShellSmallIcon(const std::string& path);

    // the document file holds the search dialog's rectangle
    void Serialize(CArchive& ar) override;

    std::string m_strBasePath;
    std::string m_strCurPath;
    std::string m_strPasteDest;
    // the list pane's rows, filled and freed by the list
    COwnedPool<CFileItem> m_fileItems;

private:
    // command handlers
    void OnRefresh();
    void OnLinkage();
    // Linkage and compare need two windows or more, this one and all others on real folders and
    // none on this one's.
    bool IsLinkageEligible();
    // The update rule of the linkage and compare switches.
    void UpdateLinkedSwitch(CCmdUI& ui, int32_t& bSwitch);
    void OnCompare();
    void OnShowSearchDialog();

    CAppCore& m_app;
    const CDocumentHost& m_host;
    bool m_bSummaryRequested = false;
    // the list of the shell operation being announced, null between operations
    static const CPathList* s_pOperatedList;
    // The tree's nodes: a refresh that drops thousands of folders releases each in constant time.
    COwnedPool<CFolderNode> m_folderNodes;
};
