// CChildFrame: a child window split into the folder tree and the file list, and its commands.
#pragma once

#include <windows.h>

#include "app/CChildFrameRecord.h"
#include "fw/CMDIChildWnd.h"
#include "fw/CSplitterWnd.h"

class CAppSettings;
class CArchive;
class CEDoc;
class CEView;
class CLeftView;
class CStoreFile;

// The tree pane's size whenever a child frame creates its panes: 200 x 100 at first, then the
// rectangle of the last child-window record read, so that later windows inherit its width.
extern RECT g_rcLeftPane;

// Created by the document template with its CEDoc. OnCreateClient reads the frame's record through
// the document while the application restores child windows, then splits the window into the
// tree pane (CLeftView, g_rcLeftPane wide) and the list pane (CEView); the panes read their own
// records during their initial update. SaveRecords writes the frame's record and then the panes'
// records for "Child Wind ". The frame handles the commands that change the display settings all
// windows share (size unit, shown totals, file-list order, refresh and re-aggregate switches),
// which it asks of its document as the panes do, and hands others to a pane (one folder up,
// folder sorting, copy all); help opens readmeZQ.htm.
class CChildFrame : public CMDIChildWnd {
public:
    // construction
    CChildFrame();

    // store
    // The 60-byte record: this frame's placement and the tree pane's rectangle.
    void Serialize(CArchive& ar);
    // The frame's record, the tree pane's and the list pane's, one after another on file.
    void SaveRecords(CStoreFile& file, CAppSettings& settings);

    // the document and the panes
    CEDoc* GetEDoc() const;
    CLeftView* GetLeftPane() const;
    CEView* GetRightPane() const;
    CSplitterWnd& GetSplitter() { return m_wndSplitter; }

    // overridables
    bool OnCreateClient(CCreateContext& context) override;
    void ActivateFrame() override;

private:
    CAppSettings& Settings() const;
    void MapPaneCommands();
    void MapSettingCommands();
    void MapUnitCommands();
    void MapSortCommands();
    void OnHelp();
    void OnFolderUp();
    void OnSetUnit(UINT id);

    CSplitterWnd m_wndSplitter;
    CChildFrameRecord m_restoredRecord;
};
