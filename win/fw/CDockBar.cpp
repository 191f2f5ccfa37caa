// The rebar that docks the toolbars.
#include "fw/CDockBar.h"

#include <commctrl.h>

#include <algorithm>

#include "fw/CToolBar.h"

namespace {

// Toolbars whose saved tops differ by less than this share a row.
constexpr LONG kRowTolerance = 4;

bool IsEmptyRect(const RECT& rc)
{
    return rc.right <= rc.left || rc.bottom <= rc.top;
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
    const int count = static_cast<int>(SendMessageW(m_hWnd, RB_GETBANDCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        REBARBANDINFOW band{};
        band.cbSize = sizeof band;
        band.fMask = RBBIM_CHILD;
        SendMessageW(m_hWnd, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&band));
        if (band.hwndChild == toolBar.m_hWnd)
            return index;
    }
    return -1;
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
