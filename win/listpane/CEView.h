// CEView: the file list pane on the right of a child window.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "fw/CView.h"

class CArchive;
class CEDoc;

// A report-style list view control showing the contents of the folder selected in the tree. The
// child frame hands it the copy-all command. Its piece of each "Child Wind " record follows the
// tree pane's: Serialize writes it when the windows are saved, and the pane reads it through its
// document during its initial update while the application restores the saved windows. The rows and columns are
// filled in by later work; until then the list is empty and its record piece is too.
class CEView : public CView {
public:
    // construction
    CEView() = default;

    // access
    CEDoc* GetEDoc() const;

    // store
    void Serialize(CArchive& ar);

    // operations the child frame asks for
    void SetClipFromAllRows();
    void OnUpdateCopyAll(CCmdUI& ui);

    // overridables
    void OnInitialUpdate() override;

protected:
    const wchar_t* GetControlClass() const override { return WC_LISTVIEWW; }
    DWORD GetControlStyle() const override;
};
