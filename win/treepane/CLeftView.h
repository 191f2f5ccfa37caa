// CLeftView: the folder tree pane on the left of a child window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "fw/CView.h"

class CArchive;
class CEDoc;

// A tree view control showing the computer's drives and folders. The child frame asks it whether
// its folder commands apply (one folder up, folder sorting, refresh on open) and hands those
// commands to it. Its piece of each "Child Wind " record follows the frame's piece: Serialize
// writes it when the windows are saved, and the pane reads it during its initial update while
// the application restores the saved windows. The tree's content is filled in by later work;
// until then the pane shows no folder and its record piece is empty.
class CLeftView : public CView {
public:
    // construction
    CLeftView() = default;

    // access
    CEDoc* GetEDoc() const;
    // The folder selected in the tree, empty while none is.
    const std::string& GetCurrentFolder() const;

    // store
    void Serialize(CArchive& ar);

    // operations the child frame asks for
    void SelectParentFolder();
    // Sets the folder sort key of all windows: a new key sorts ascending, the same key again
    // turns the direction round.
    void SortFolders(int32_t key);
    bool CanSortFolders() const;
    void OnUpdateFolderUp(CCmdUI& ui);
    void OnUpdateRefreshOnOpen(CCmdUI& ui);

    // overridables
    void OnInitialUpdate() override;

protected:
    const wchar_t* GetControlClass() const override { return WC_TREEVIEWW; }
    DWORD GetControlStyle() const override;
};
