// CSplitterWnd: a static splitter of one row and two panes side by side, with a draggable bar.
#pragma once

#include "fw/CWnd.h"

class CView;
class CViewDocument;

// The child frame creates it with CreateStatic as its pane window (id AFX_IDW_PANE_FIRST) and
// adds the two views with CreateView: the left one is given its width, the right one takes the
// rest of the width. Dragging the bar between them moves the boundary; the left pane keeps its
// width when the frame is resized. Notifications of the panes' controls go back to their views.
class CSplitterWnd : public CWnd {
public:
    static constexpr int kColumns = 2;
    static constexpr int kBarWidth = 6;

    // construction
    CSplitterWnd() = default;
    bool CreateStatic(HWND hParent, UINT id);
    // Creates pView in column col with the given size (the height follows the splitter).
    bool CreateView(int col, CView* pView, SIZE size, CViewDocument* pDocument);

    // access
    CWnd* GetPane(int row, int col) const;
    int GetColumnWidth(int col) const;
    void SetColumnWidth(int col, int width);
    void RecalcLayout();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool HitsBar(int x) const { return x >= m_cxLeft && x < m_cxLeft + kBarWidth; }
    void TrackTo(int x);
    void DrawBar(HDC hDC) const;

    CView* m_panes[kColumns] = {nullptr, nullptr};
    int m_cxLeft = 0;
    int m_cxRightIdeal = 0;
    bool m_bTracking = false;
    int m_nTrackOffset = 0;
};
