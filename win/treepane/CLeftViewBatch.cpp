// CLeftView, batches of label and image changes: drawn a few times a second, measured once.
#include "treepane/CLeftView.h"

namespace {

// how often a batch draws what it changed in the window, in milliseconds
constexpr DWORD kBatchRepaintInterval = 250;

}  // namespace

// Only an item inside the window is drawn again; one scrolled away or below a closed folder is
// drawn, with its new label or image, when it comes into view. A batch gathers what it changed
// and has it drawn when the last drawing is a while ago.
void CLeftView::RepaintItem(HTREEITEM hItem)
{
    RECT bounds{};
    RECT client{};
    RECT shown{};
    const bool bShown = TreeView_GetItemRect(m_hWnd, hItem, &bounds, FALSE) && GetClientRect(m_hWnd, &client) &&
                        IntersectRect(&shown, &bounds, &client);
    if (m_nLabelBatch == 0) {
        if (bShown)
            InvalidateRect(m_hWnd, &shown, TRUE);
        return;
    }
    if (bShown)
        UnionRect(&m_rcBatchDirty, &m_rcBatchDirty, &shown);
    if (IsRectEmpty(&m_rcBatchDirty) || GetTickCount() - m_dwBatchRepainted < kBatchRepaintInterval)
        return;
    InvalidateRect(m_hWnd, &m_rcBatchDirty, TRUE);
    SetRectEmpty(&m_rcBatchDirty);
    m_dwBatchRepainted = GetTickCount();
}

void CLeftView::BeginLabelBatch()
{
    if (m_nLabelBatch++ > 0)
        return;
    m_bBatchChanged = false;
    m_dwBatchRepainted = GetTickCount();
    SetRectEmpty(&m_rcBatchDirty);
}

// Switching its drawing back on makes the control measure every shown label at once, with one
// device context, and lay out its scroll bars: far cheaper than measuring each changed label by
// itself. Inside a bulk change its end does the same.
void CLeftView::EndLabelBatch()
{
    if (--m_nLabelBatch > 0)
        return;
    if (!IsRectEmpty(&m_rcBatchDirty))
        InvalidateRect(m_hWnd, &m_rcBatchDirty, TRUE);
    if (!m_bBatchChanged || m_nRefreshDepth > 0)
        return;
    m_bBatchChanged = false;
    SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
}
