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

void CSplitterWnd::RecalcLayout()
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    if (m_panes[0])
        MoveWindow(m_panes[0]->m_hWnd, 0, 0, m_cxLeft, rc.bottom, TRUE);
    if (m_panes[1]) {
        const int left = m_cxLeft + kBarWidth;
        MoveWindow(m_panes[1]->m_hWnd, left, 0, std::max(0L, rc.right - left), rc.bottom, TRUE);
    }
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
