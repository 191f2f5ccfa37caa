// The rebar that docks the toolbars.
#include "fw/CDockBar.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>

#include "fw/CToolBar.h"

namespace {

// Toolbars whose saved tops differ by less than this share a row.
constexpr LONG kRowTolerance = 4;

bool IsEmptyRect(const RECT& rc)
{
    return rc.right <= rc.left || rc.bottom <= rc.top;
}

// Wine's rebar answers "gripper" only for a strip about 2 pixels wide; Windows takes the drag on
// the whole header it draws left of the band's toolbar, which this tells.
bool IsInBandHeader(HWND hRebar, int band, POINT pt)
{
    REBARBANDINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_CHILD;
    SendMessageW(hRebar, RB_GETBANDINFOW, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&info));
    RECT rcBand{};
    RECT rcChild{};
    SendMessageW(hRebar, RB_GETRECT, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&rcBand));
    if (!info.hwndChild || !GetWindowRect(info.hwndChild, &rcChild))
        return false;
    MapWindowPoints(HWND_DESKTOP, hRebar, reinterpret_cast<POINT*>(&rcChild), 2);
    return pt.x >= rcBand.left && pt.x < rcChild.left;
}

void SetBandWidth(HWND hRebar, int band, LONG width)
{
    REBARBANDINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_SIZE;
    info.cx = static_cast<UINT>(width);
    SendMessageW(hRebar, RB_SETBANDINFOW, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&info));
}

}  // namespace

bool CDockBar::Create(HWND hParent, UINT id)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT |
                        RBS_BANDBORDERS | CCS_NODIVIDER | CCS_TOP;
    return CreateControl(WS_EX_TOOLWINDOW, REBARCLASSNAMEW, style, RECT{0, 0, 0, 0}, hParent, id);
}

void CDockBar::DockControlBars(const std::vector<Placement>& placements)
{
    std::vector<Placement> saved;
    std::vector<Placement> fresh;
    for (const Placement& placement : placements)
        (IsEmptyRect(placement.rcDock) ? fresh : saved).push_back(placement);
    std::stable_sort(saved.begin(), saved.end(), [](const Placement& a, const Placement& b) {
        if (std::abs(a.rcDock.top - b.rcDock.top) >= kRowTolerance)
            return a.rcDock.top < b.rcDock.top;
        return a.rcDock.left < b.rcDock.left;
    });
    for (std::size_t index = 0; index < saved.size(); ++index) {
        const bool bNewRow = index == 0 || std::abs(saved[index].rcDock.top - saved[index - 1].rcDock.top) >= kRowTolerance;
        const bool bLastInRow = index + 1 == saved.size() ||
                                std::abs(saved[index + 1].rcDock.top - saved[index].rcDock.top) >= kRowTolerance;
        const int cx = bLastInRow ? 0 : saved[index + 1].rcDock.left - saved[index].rcDock.left;
        InsertBand(*saved[index].pToolBar, bNewRow, cx);
    }
    for (const Placement& placement : fresh)
        InsertBand(*placement.pToolBar, true, 0);
}

void CDockBar::InsertBand(const CToolBar& toolBar, bool bNewRow, int cx)
{
    const SIZE ideal = toolBar.GetIdealSize();
    REBARBANDINFOW band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE | RBBIM_TEXT;
    band.fStyle = RBBS_GRIPPERALWAYS | RBBS_CHILDEDGE | (bNewRow ? RBBS_BREAK : 0);
    band.hwndChild = toolBar.m_hWnd;
    band.cxMinChild = ideal.cx;
    band.cyMinChild = ideal.cy;
    band.cxIdeal = static_cast<UINT>(ideal.cx);
    band.cx = static_cast<UINT>(std::max(cx, static_cast<int>(ideal.cx) + 16));
    band.lpText = const_cast<wchar_t*>(L"");
    SendMessageW(m_hWnd, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

int CDockBar::BandIndexOf(const CToolBar& toolBar) const
{
    return BandIndexOf(toolBar.m_hWnd);
}

int CDockBar::BandIndexOf(HWND hChild) const
{
    const int count = BandCount();
    for (int index = 0; index < count; ++index) {
        if (BandInfo(index, RBBIM_CHILD).hwndChild == hChild)
            return index;
    }
    return -1;
}

int CDockBar::BandCount() const
{
    return static_cast<int>(SendMessageW(m_hWnd, RB_GETBANDCOUNT, 0, 0));
}

REBARBANDINFOW CDockBar::BandInfo(int band, UINT mask) const
{
    REBARBANDINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = mask;
    SendMessageW(m_hWnd, RB_GETBANDINFOW, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&info));
    return info;
}

RECT CDockBar::BandRect(int band) const
{
    RECT rc{};
    SendMessageW(m_hWnd, RB_GETRECT, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&rc));
    return rc;
}

void CDockBar::ShowBar(const CToolBar& toolBar, bool bShow)
{
    const int index = BandIndexOf(toolBar);
    if (index >= 0)
        SendMessageW(m_hWnd, RB_SHOWBAND, static_cast<WPARAM>(index), bShow ? TRUE : FALSE);
}

bool CDockBar::IsBarVisible(const CToolBar& toolBar) const
{
    return toolBar.HasVisibleStyle();
}

LRESULT CDockBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (BeginBandDrag(pt))
            return 0;
        break;
    case WM_MOUSEMOVE:
        if (m_hDraggedChild) {
            DragBandTo(pt);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (m_hDraggedChild) {
            EndBandDrag();
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        m_hDraggedChild = nullptr;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CDockBar::BeginBandDrag(POINT pt)
{
    RBHITTESTINFO hit{};
    hit.pt = pt;
    SendMessageW(m_hWnd, RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iBand < 0 || (hit.flags != RBHT_GRABBER && hit.flags != RBHT_CAPTION && !IsInBandHeader(m_hWnd, hit.iBand, pt)))
        return false;
    m_hDraggedChild = BandInfo(hit.iBand, RBBIM_CHILD).hwndChild;
    m_nGripOffset = pt.x - BandRect(hit.iBand).left;
    m_nSlackY = 0;
    SetCapture(m_hWnd);
    return true;
}

void CDockBar::EndBandDrag()
{
    m_hDraggedChild = nullptr;
    if (GetCapture() == m_hWnd)
        ReleaseCapture();
}

std::vector<CDockBar::Row> CDockBar::VisibleRows() const
{
    std::vector<Row> rows;
    const int count = BandCount();
    for (int band = 0; band < count; ++band) {
        if (BandInfo(band, RBBIM_STYLE).fStyle & RBBS_HIDDEN)
            continue;
        const RECT rc = BandRect(band);
        if (rows.empty() || rc.top != rows.back().top)
            rows.push_back(Row{{}, rc.top, rc.bottom});
        rows.back().bands.push_back(band);
        rows.back().bottom = std::max(rows.back().bottom, rc.bottom);
    }
    return rows;
}

void CDockBar::DragBandTo(POINT pt)
{
    const int band = BandIndexOf(m_hDraggedChild);
    const std::vector<Row> rows = VisibleRows();
    const auto home = std::find_if(rows.begin(), rows.end(), [band](const Row& row) {
        return std::find(row.bands.begin(), row.bands.end(), band) != row.bands.end();
    });
    if (home == rows.end())
        return;
    if (pt.y >= home->top && pt.y <= home->bottom)
        m_nSlackY = 0;
    const LONG y = pt.y + m_nSlackY;
    if (y < rows.front().top)
        MoveToOwnRow(band, *home, home == rows.begin(), rows.front().bands.front());
    else if (y >= rows.back().bottom)
        MoveToOwnRow(band, *home, home == rows.end() - 1, BandCount());
    else
        MoveIntoRow(band, *home, RowAt(rows, y), pt.x);
}

// The last row that starts above y.
const CDockBar::Row& CDockBar::RowAt(const std::vector<Row>& rows, LONG y)
{
    return *std::find_if(rows.rbegin(), rows.rend(), [y](const Row& row) { return row.top <= y; });
}

// Above the first row or below the last: a row of its own there, unless it has that already.
void CDockBar::MoveToOwnRow(int band, const Row& home, bool bHomeIsThere, int before)
{
    if (home.bands.size() == 1 && bHomeIsThere)
        return;
    MoveBand(band, before, RowStart::kOwnRow);
    m_nSlackY = 0;
}

// Into the target row, left of the first band whose middle is right of x. When the band leaves
// a row of its own above the target, the rows below move up under the pointer: the slack keeps
// the pointer where it was in the target row, so that the next move does not carry the band on
// into the row after it. It ends once the pointer is back over the band's row.
void CDockBar::MoveIntoRow(int band, const Row& home, const Row& target, LONG x)
{
    std::vector<int> others;
    std::copy_if(target.bands.begin(), target.bands.end(), std::back_inserter(others),
                 [band](int other) { return other != band; });
    const auto next = std::find_if(others.begin(), others.end(), [this, x](int other) {
        const RECT rc = BandRect(other);
        return (rc.left + rc.right) / 2 > x;
    });
    std::vector<int> order = others;
    order.insert(order.begin() + (next - others.begin()), band);
    if (&target == &home && order == home.bands) {
        MoveLeftEdge(band, home, x - m_nGripOffset);
        return;
    }
    HWND hNeighbour = BandInfo(others.front(), RBBIM_CHILD).hwndChild;
    const LONG topBefore = BandRect(others.front()).top;
    MoveBand(band, next == others.end() ? others.back() + 1 : *next,
             next == others.begin() ? RowStart::kJoinsAtStart : RowStart::kNo);
    m_nSlackY += BandRect(BandIndexOf(hNeighbour)).top - topBefore;
}

void CDockBar::MoveBand(int band, int before, RowStart start)
{
    const std::vector<Row> rows = VisibleRows();
    HWND hMoved = BandInfo(band, RBBIM_CHILD).hwndChild;
    HWND hBefore = before < BandCount() ? BandInfo(before, RBBIM_CHILD).hwndChild : nullptr;
    // A band that leaves the start of its row hands the row's start on to the band after it.
    HWND hHeir = nullptr;
    for (const Row& row : rows) {
        if (row.bands.size() > 1 && row.bands.front() == band)
            hHeir = BandInfo(row.bands[1], RBBIM_CHILD).hwndChild;
    }
    const int to = std::min(before > band ? before - 1 : before, BandCount() - 1);
    SendMessageW(m_hWnd, RB_MOVEBAND, static_cast<WPARAM>(band), static_cast<LPARAM>(to));
    if (hHeir)
        SetBreak(BandIndexOf(hHeir), true);
    SetBreak(BandIndexOf(hMoved), start != RowStart::kNo);
    // A band that joins a row keeps the width it had: as the only band of a row that is the whole
    // width, which pushed the row's other bands to its right edge. It starts at its toolbar's
    // width instead (the rebar keeps no band narrower).
    if (start != RowStart::kOwnRow)
        SetBandWidth(m_hWnd, BandIndexOf(hMoved), 0);
    if (hBefore && start != RowStart::kNo)
        SetBreak(BandIndexOf(hBefore), start == RowStart::kOwnRow);
    Relayout();
}

// The band before it in the row takes up the difference; the rebar keeps every band at least
// as wide as its toolbar needs.
void CDockBar::MoveLeftEdge(int band, const Row& row, LONG left)
{
    const auto position = std::find(row.bands.begin(), row.bands.end(), band);
    const LONG shift = left - BandRect(band).left;
    if (position == row.bands.begin() || shift == 0)
        return;
    const RECT rcBefore = BandRect(*(position - 1));
    SetBandWidth(m_hWnd, *(position - 1), std::max(0L, rcBefore.right - rcBefore.left + shift));
    Relayout();
}


void CDockBar::SetBreak(int band, bool bBreak)
{
    REBARBANDINFOW info = BandInfo(band, RBBIM_STYLE);
    const UINT style = bBreak ? (info.fStyle | RBBS_BREAK) : (info.fStyle & ~RBBS_BREAK);
    if (style == info.fStyle)
        return;
    info.fStyle = style;
    SendMessageW(m_hWnd, RB_SETBANDINFOW, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&info));
}

// Moving a band does not lay the rebar out again; a size message does, on both systems.
void CDockBar::Relayout()
{
    RECT rc;
    GetClientRect(m_hWnd, &rc);
    SendMessageW(m_hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rc.right, rc.bottom));
}
