// CDockBar: the docking area at the top of the main frame, holding the toolbars as rebar bands.
#pragma once

#include <vector>

#include "fw/CWnd.h"

class CToolBar;

// Each toolbar is a band with a gripper by which the user drags it along its row or onto another
// row. DockControlBars lays the toolbars out from their saved screen rectangles: toolbars whose
// rectangles share a top edge share a row, left to right; rows go top to bottom; a toolbar with
// an empty rectangle gets a row of its own at the end, in the order given. ShowBar hides or shows
// one toolbar's band. Toolbars cannot float: a band stays in the docking area.
class CDockBar : public CWnd {
public:
    struct Placement {
        CToolBar* pToolBar;
        RECT rcDock;  // screen rectangle, empty for the default place
    };

    // construction
    CDockBar() = default;
    bool Create(HWND hParent, UINT id);

    // docking
    void DockControlBars(const std::vector<Placement>& placements);
    void ShowBar(const CToolBar& toolBar, bool bShow);
    bool IsBarVisible(const CToolBar& toolBar) const;

private:
    int BandIndexOf(const CToolBar& toolBar) const;
    void InsertBand(const CToolBar& toolBar, bool bNewRow, int cx);
};
