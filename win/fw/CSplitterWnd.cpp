// Laying out the two panes and dragging the bar between them.
#include "fw/CSplitterWnd.h"

#include <windowsx.h>

#include <algorithm>

#include "fw/CView.h"
#include "res/resource.h"

namespace {
const wchar_t kSplitterClass[] = L"ZQSplitter";
}

bool CSplitterWnd::CreateStatic(HWND hParent, UINT id)
{
    if (!RegisterClassOnce(kSplitterClass, CS_DBLCLKS, nullptr, reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1)))
        return false;
    RECT rc;
    GetClientRect(hParent, &rc);
    return CreateEx(0, kSplitterClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rc, hParent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

bool CSplitterWnd::CreateView(int col, CView* pView, SIZE size, CViewDocument* pDocument)
{
    if (col < 0 || col >= kColumns || m_panes[col]) {
        delete pView;
        return false;
    }
    const RECT rc{0, 0, size.cx, size.cy};
    if (!pView->Create(m_hWnd, AFX_IDW_PANE_FIRST + static_cast<UINT>(col), rc, pDocument)) {
        delete pView;
        return false;
    }
    m_panes[col] = pView;
    if (col == 0)
        m_cxLeft = std::max(0L, size.cx);
    else
        m_cxRightIdeal = size.cx;
    RecalcLayout();
    return true;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (row != 0 || col < 0 || col >= kColumns)
        return nullptr;
    return m_panes[col];
}

int CSplitterWnd::GetColumnWidth(int col) const
{
    if (col < 0 || col >= kColumns || !m_panes[col])
        return 0;
    RECT rc;
    GetWindowRect(m_panes[col]->m_hWnd, &rc);
    return rc.right - rc.left;
}

void CSplitterWnd::SetColumnWidth(int col, int width)
{
    if (col == 0) {
        m_cxLeft = std::max(0, width);
        RecalcLayout();
    }
}

// Both panes move in one step and are drawn afresh where they land: with their old pixels
// copied along, Wine leaves stale pieces of the list's edge behind inside the list.
void CSplitterWnd::RecalcLayout()
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    const int left = m_cxLeft + kBarWidth;
    const RECT rcPanes[kColumns] = {{0, 0, m_cxLeft, rc.bottom},
                                    {left, 0, std::max(static_cast<LONG>(left), rc.right), rc.bottom}};
    HDWP hPositions = BeginDeferWindowPos(kColumns);
    for (int col = 0; col < kColumns && hPositions; ++col) {
        if (m_panes[col]) {
            const RECT& pane = rcPanes[col];
            hPositions = DeferWindowPos(hPositions, m_panes[col]->m_hWnd, nullptr, pane.left, pane.top,
                                        pane.right - pane.left, pane.bottom - pane.top,
                                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        }
    }
    if (hPositions)
        EndDeferWindowPos(hPositions);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSplitterWnd::TrackTo(int x)
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    m_cxLeft = std::clamp(x - m_nTrackOffset, 0, std::max(0, static_cast<int>(rc.right) - kBarWidth));
    RecalcLayout();
    UpdateWindow(m_hWnd);
}

void CSplitterWnd::DrawBar(HDC hDC) const
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    RECT bar{m_cxLeft, 0, m_cxLeft + kBarWidth, rc.bottom};
    FillRect(hDC, &bar, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(hDC, &bar, EDGE_RAISED, BF_LEFT | BF_RIGHT);
}

LRESULT CSplitterWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        RecalcLayout();
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == m_hWnd && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        if (HitsBar(GET_X_LPARAM(lParam))) {
            m_bTracking = true;
            m_nTrackOffset = GET_X_LPARAM(lParam) - m_cxLeft;
            SetCapture(m_hWnd);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (m_bTracking)
            TrackTo(GET_X_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (m_bTracking) {
            m_bTracking = false;
            if (GetCapture() == m_hWnd)
                ReleaseCapture();
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hDC = BeginPaint(m_hWnd, &ps);
        DrawBar(hDC);
        EndPaint(m_hWnd, &ps);
        return 0;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
