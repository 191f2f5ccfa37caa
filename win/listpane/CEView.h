// CEView: the file list pane on the right of a child window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "fw/CView.h"
#include "listpane/CFolderListing.h"
#include "listpane/CListLayout.h"
#include "services/CDisplayFormat.h"

class CAppSettings;
class CArchive;
class CEDoc;
class CFileItem;
class CPathList;
class CSizeInfo;
class CUpdateHint;

// A report list of the folder selected in the tree: one row per file or sub-folder, or one per
// drive for the computer, in ten columns. Each row's record (CFileItem) belongs to the document;
// the row carries its address. The control keeps only a row's name (column 0, which label
// editing changes); it asks for the other columns' texts whenever it draws a cell or another
// program reads one (LVN_GETDISPINFO), and they are made from the record then, so that a changed
// record needs no texts set, only its row redrawn. A folder row shows the totals stored for the
// folder once it has been aggregated, and nothing in its size and count columns before. The rows
// are sorted by one column; a header click chooses it and the direction, the child frame's
// commands the grouping of folders and files. The window's caption is the list's status line (UpdateTitle): the folder,
// the number and size of the listed or selected objects and the drive's free space.
//
// Opening a folder row (double click, Enter) has the tree select it, and the list follows; a
// file row is opened by the shell. The aggregate command totals the selected folder rows (all
// rows when none is selected). Its piece of each "Child Wind " record is the column layout.
//
// In compare mode the list asks the other windows about each of its rows when compare starts and
// shows their letters in column 2 ("ﾁｪｯｸ") with image 5; a row selected here scrolls the other
// lists to their rows of the same name.
//
// The file commands work on the selected rows through the document: cut, copy and paste through
// the program's clipboard (or, while a name is being edited, on the editor's text), delete to the
// recycle bin (the command and the Delete key), permanent delete, new folder and rename in place.
// After a move, copy or delete anywhere (code 1) the list appends, refreshes or removes only the
// rows of the entries operated on, found through a map of paths to rows, never by a search of all
// rows per entry.
//
// The class is written in five files by role: CEView.cpp (construction, rows and records, the
// store, notifications and keys), CEViewFill.cpp (filling, column texts, totals, sorting),
// CEViewUpdate.cpp (the title, opening, aggregation and the reactions to update codes),
// CEViewCompare.cpp (the compare pass and its answers) and CEViewFiles.cpp (the file commands,
// rename in place and the reactions to file changes).
class CEView : public CView {
public:
    // a path the aggregate command works through, with its row's attributes
    struct AggregatePath {
        std::string path;
        uint8_t attr = 0;
    };

    // Image indexes of the list's own images; drive icons follow them.
    static constexpr int kImageNone = 0;
    static constexpr int kImageFolder = 2;
    static constexpr int kImageFile = 3;
    static constexpr int kImageMarked = 5;

    // ---- construction (CEView.cpp) ----
    CEView();
    ~CEView() override;

    // ---- operations ----
    // access (CEView.cpp)
    CEDoc* GetEDoc() const;
    int GetRowCount() const;
    CFileItem* GetItem(int row) const;
    // The row showing path; -1 when none does.
    int FindRow(const std::string& path) const;
    std::vector<int> GetSelectedRows() const;
    std::wstring GetCellText(int row, int column) const;

    // store (CEView.cpp)
    void Serialize(CArchive& ar);

    // filling (CEViewFill.cpp)
    // Lists a folder, the drives (for the computer) or a folder's files only; false when
    // nothing was listed.
    bool FillList(const std::string& path);
    int FillDriveList();
    // A new last row with a new record for entry; the row or -1. With bStoredTotals a folder's
    // record takes the totals stored for the folder.
    int AppendEntry(CFolderListing::Entry& entry, bool bStoredTotals);
    void SetFolderTotals(int row, const CSizeInfo& totals);
    // The row drawn again from its record.
    void ShowRecord(int row);

    // sorting (CEViewFill.cpp)
    void SortByColumn(int column);
    int GetSortColumn() const { return m_nSortColumn; }

    // title, opening and aggregation (CEViewUpdate.cpp)
    void UpdateTitle();
    void OpenItem(int row);
    void AggregateRows();

    // compare (CEViewCompare.cpp)
    // Asks the other windows about every row, top first, and shows their verdicts in column 2.
    void ComparePass();
    // kHintCompareRow and kHintCompareStart: an empty path runs the compare pass, another
    // scrolls the row of the same name into view.
    void OnCompareRow(const CUpdateHint& hint);
    // kHintCompareList: this window's letters for the row of the asked name.
    void AnswerCompare(const CUpdateHint& hint);
    // The row whose path ends in the same name as path; -1 when none does.
    int FindRowOfName(const std::string& path);
    // The mark of column 2 and the row's image: image 5 with a mark, the normal one without.
    void ShowCompareMark(int row, const std::string& mark);
    // A row selected in compare mode: the other windows show their row of the same name.
    void SendSelectedRow(const NMLISTVIEW& info);

    // the program's clipboard and the file commands (CEViewFiles.cpp)
    // Replaces the clipboard's entries with the selected rows, top first; no selection leaves it.
    void SetClipFromSelection();
    // operations the child frame asks for
    void SetClipFromAllRows();
    void OnUpdateCopyAll(CCmdUI& ui);

    // ---- overridables ----
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;  // CEViewUpdate.cpp
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The sort direction, shared by every list (true ascending).
    static bool m_bSortAscending;
    // The paths of the last aggregation from a list, read by the other windows' reactions.
    static std::vector<AggregatePath> m_aggregatePaths;
    // Back to the state of a new process: ascending, no header clicked yet.
    static void ResetSortState();
    // The rename in place of every list: the name a row had when its edit ended first, kept while
    // the editor is reopened after a refused name; m_bCaptureOldName makes the next end of an
    // edit capture it.
    static std::string m_strOldName;
    static bool m_bCaptureOldName;

protected:
    const wchar_t* GetControlClass() const override { return WC_LISTVIEWW; }
    DWORD GetControlStyle() const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // rows and records (CEView.cpp)
    CAppSettings& Settings() const;
    void InsertColumns();
    void ApplyLayout(const CListLayout& layout);
    CListLayout CurrentLayout() const;
    void SetCellText(int row, int column, const std::string& text);
    void SetRowImage(int row, int image);
    void DeleteRow(int row);
    void DeleteAllRows();
    bool IsDriveRow(int row) const;

    // filling (CEViewFill.cpp)
    int ImageOf(const CFileItem& item);
    int DriveImage(const std::string& root);
    void ShowProgress(DWORD& shown);
    // Every folder row takes the totals stored for it, every size the current unit.
    void ShowStoredTotals();
    void TakeStoredTotals(CFileItem& item);
    void OnGetDispInfo(NMLVDISPINFOW& info);

    // reactions (CEViewUpdate.cpp)
    void React(LPARAM lHint, const CUpdateHint& hint);
    void OnFilesChanged();
    void OnRenamed(const CUpdateHint& hint);
    bool AggregateRow(int row, bool bReaggregate);
    void RereadFileRow(int row, bool bAdjustParent);
    std::vector<AggregatePath> RowsToAggregate() const;

    // file commands and reactions (CEViewFiles.cpp)
    void MapFileCommands();
    // The open label editor, or null.
    HWND GetLabelEditor() const;
    // Sends message (cut, copy, paste, undo) to the open label editor; false when none is open.
    bool PassToLabelEditor(UINT message);
    // Copy's rule (bCut false): a row selected and none of them the computer or a drive; Cut's
    // (and Delete's) also keeps out anything in a recycle bin.
    bool SelectionAllows(bool bCut) const;
    // Where a paste goes: the first selected row when it is a folder, else the current folder.
    std::string PasteTarget() const;
    void OnCut();
    void OnCopy();
    void OnPaste();
    void OnDelete();
    void OnDeletePermanently();
    void OnNewFolder();
    void OnUpdatePaste(CCmdUI& ui);
    void OnUpdateDeletePermanently(CCmdUI& ui);
    void OnUpdateNewFolder(CCmdUI& ui);
    LRESULT OnEndLabelEdit(const NMLVDISPINFOW& info);
    void OnFilesOperated(const CUpdateHint& hint);
    void OnFolderCreated(const CUpdateHint& hint);
    // Rows for entries now in folder: a new row at the end, or the row showing it read again.
    void ShowEntriesIn(const CPathList& entries, const std::string& folder);
    // Takes away the rows of entries of this folder that are no longer on the disk.
    void RemoveVanishedRows(const CPathList& entries);
    std::unordered_map<std::string, int> RowsByPath() const;

    // ---- handlers (CEView.cpp) ----
    void OnColumnClick(int column);
    void OnKeyDown(UINT key);
    void OnReturn();
    void OnItemChanged(const NMLISTVIEW& info);
    LRESULT OnBeginLabelEdit(const NMLVDISPINFOW& info);

    // posted to itself when the selection changed, so that the title follows it once
    static constexpr UINT kRetitleMessage = WM_APP + 0x4C;
    // posted to itself to open the label editor on row wParam again once the ended edit is gone
    static constexpr UINT kReeditMessage = WM_APP + 0x4D;

    HIMAGELIST m_hImageList = nullptr;
    bool m_bTitlePending = false;
    // Why the last listing failed, for the title until the next listing: the free-space query of
    // every title leaves its own code with the program.
    uint32_t m_nListingError = 0;
    // the image of each drive's icon, added once per drive
    std::unordered_map<std::string, int> m_driveImages;
    int m_nSortColumn = 0;
    // The unit and kilobyte base the sizes are shown in: a unit chosen applies from the next
    // filling or aggregation on, to every row at once.
    CDisplayFormat m_shownFormat;
    // the text of the cell the control asked for last
    std::wstring m_cellText;
    // the row of each name, for the answers of a compare pass; rebuilt when it misses or is out of
    // date (rows sorted, added or removed since)
    std::unordered_map<std::string, int> m_rowOfName;
};
