// CDockBar: the docking area at the top of the main frame, holding the toolbars as rebar bands.
#pragma once

#include <vector>

#include "fw/CWnd.h"

#include <commctrl.h>

class CToolBar;

// Each toolbar is a band with a gripper by which the user drags it along its row or onto another
// row. DockControlBars lays the toolbars out from their saved screen rectangles: toolbars whose
// rectangles share a top edge share a row, left to right; rows go top to bottom; a toolbar with
// an empty rectangle gets a row of its own at the end, in the order given. ShowBar hides or shows
// one toolbar's band. Toolbars cannot float: a band stays in the docking area.
//
// The bar moves a band itself while its gripper is dragged, rather than leaving that to the
// rebar control: Wine's rebar never lets a band dragged downwards join the row it is dropped on.
// A band dropped on a row joins it where the pointer is, left of the first band whose middle is
// right of the pointer; dropped above the first row or below the last it gets a row of its own;
// dragged along its own row it changes places with a band whose middle it passes, and otherwise
// its left edge follows the pointer, the band before it growing or shrinking.
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

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The visible bands of one row, left to right, and the row's extent in client coordinates.
    struct Row {
        std::vector<int> bands;
        LONG top;
        LONG bottom;
    };

    int BandIndexOf(const CToolBar& toolBar) const;
    int BandIndexOf(HWND hChild) const;
    void InsertBand(const CToolBar& toolBar, bool bNewRow, int cx);

    // dragging a band by its gripper
    bool BeginBandDrag(POINT pt);
    void DragBandTo(POINT pt);
    void EndBandDrag();
    std::vector<Row> VisibleRows() const;
    static const Row& RowAt(const std::vector<Row>& rows, LONG y);
    // How a moved band stands to the band it is put before.
    enum class RowStart { kNo, kJoinsAtStart, kOwnRow };
    void MoveToOwnRow(int band, const Row& home, bool bHomeIsThere, int before);
    void MoveIntoRow(int band, const Row& home, const Row& target, LONG x);
    void MoveBand(int band, int before, RowStart start);
    void MoveLeftEdge(int band, const Row& row, LONG left);
    RECT BandRect(int band) const;
    REBARBANDINFOW BandInfo(int band, UINT mask) const;
    int BandCount() const;
    void SetBreak(int band, bool bBreak);
    void Relayout();

    HWND m_hDraggedChild = nullptr;  // the child of the band being dragged, null when none is
    LONG m_nGripOffset = 0;          // from the band's left edge to where it was taken
    LONG m_nSlackY = 0;              // how far the rows moved under the pointer while dragging
};
