// The main frame's bars, store records and tiling.
#include "app/CMainFrame.h"

#include <algorithm>
#include <span>

#include "app/CAppCore.h"
#include "app/CAppSettings.h"
#include "app/CMainFrameRecord.h"
#include "fw/CMDIChildWnd.h"
#include "fw/ResourceText.h"
#include "fw/WindowPlacement.h"
#include "res/resource.h"

namespace {

// The labels under the buttons, in the button order of each toolbar's layout resource.
const wchar_t* const kMainLabels[] = {L"ｳｨﾝﾄﾞ", L"並列", L"ﾌｫﾙﾀﾞ", L"上へ", L"更新"};
const wchar_t* const kAggregateLabels[] = {L"集計", L"再計", L"連動", L"更新",  L"読取", L"作成", L"ﾌｫﾙﾀﾞ",
                                           L"ﾌｧｲﾙ", L"ﾊﾞｲﾄ", L"ｷﾛ",  L"ﾒｶﾞ", L"ｷﾞｶﾞ"};
const wchar_t* const kEditLabels[] = {L"切取", L"ｺﾋﾟｰ", L"全部", L"貼付", L"削除", L"戻す"};
const wchar_t* const kSortLabels[] = {L"名前", L"ｻｲｽﾞ"};
const wchar_t* const kFileSortLabels[] = {L"ﾌｫﾙﾀﾞ", L"ﾌｧｲﾙ", L"無関"};
const wchar_t* const kSearchLabels[] = {L"検索", L"照合", L"情報", L"ｱｲｺﾝ", L"ﾗﾍﾞﾙ"};

struct ToolBarLayout {
    int slot;
    UINT idResource;
    UINT idCaption;
    const wchar_t* caption;
    std::span<const wchar_t* const> labels;
    int extraWidth;
};

// The labels sit under the images: every button is this much taller than the images need.
constexpr int kLabelHeight = 11;

const ToolBarLayout kToolBars[] = {
    {0, IDR_MAINFRAME_TOOLBAR, IDS_TOOLBAR_MAIN, L"メイン", kMainLabels, 14},
    {1, IDR_TOOLBAR_AGGREGATE, IDS_TOOLBAR_AGGREGATE, L"集計", kAggregateLabels, 14},
    {2, IDR_TOOLBAR_EDIT, IDS_TOOLBAR_EDIT, L"編集", kEditLabels, 8},
    {3, IDR_TOOLBAR_SORT, IDS_TOOLBAR_SORT, L"整列", kSortLabels, 10},
    {5, IDR_TOOLBAR_FILESORT, IDS_TOOLBAR_FILESORT, L"ファイルの整列", kFileSortLabels, 14},
    {6, IDR_TOOLBAR_SEARCH, IDS_TOOLBAR_SEARCH, L"検索", kSearchLabels, 11},
};

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_KANA, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

}  // namespace

CMainFrame::CMainFrame()
{
    OnCommand(ID_VIEW_TOOLBAR, [this](UINT) { OnViewToolBar(); });
    OnUpdateUI(ID_VIEW_TOOLBAR, [this](CCmdUI& ui) { ui.SetCheck(m_wndDockBar.IsBarVisible(m_wndToolBar[0])); });
    OnCommand(ID_VIEW_STATUS_BAR, [this](UINT) { OnViewStatusBar(); });
    OnUpdateUI(ID_VIEW_STATUS_BAR, [this](CCmdUI& ui) { ui.SetCheck(m_wndStatusBar.HasVisibleStyle()); });
}

void CMainFrame::Serialize(CArchive& ar)
{
    CMainFrameRecord record(AfxGetAppCore());
    if (ar.IsStoring()) {
        record.m_placement = GetPlacementOf(m_hWnd);
        record.Serialize(ar);
        return;
    }
    record.Serialize(ar);
    if (record.HasPlacement())
        m_bPlacementRestored = ApplyPlacement(m_hWnd, record.m_placement);
}

void CMainFrame::CaptureToolBarRects()
{
    for (int slot = 0; slot < kToolBarSlots; ++slot) {
        if (!m_bToolBarCreated[static_cast<std::size_t>(slot)])
            continue;
        RECT rc;
        GetWindowRect(m_wndToolBar[static_cast<std::size_t>(slot)].m_hWnd, &rc);
        m_rcToolBarDock[static_cast<std::size_t>(slot)] = FromRect(rc);
    }
}

CToolBar* CMainFrame::GetToolBar(int slot)
{
    if (slot < 0 || slot >= kToolBarSlots || !m_bToolBarCreated[static_cast<std::size_t>(slot)])
        return nullptr;
    return &m_wndToolBar[static_cast<std::size_t>(slot)];
}

void CMainFrame::OnIdleUpdateCmdUI()
{
    for (int slot = 0; slot < kToolBarSlots; ++slot) {
        if (CToolBar* pToolBar = GetToolBar(slot); pToolBar && pToolBar->HasVisibleStyle())
            pToolBar->UpdateCmdUI(*this);
    }
    m_wndStatusBar.UpdateIndicators();
}

int CMainFrame::OnCreate()
{
    if (CMDIFrameWnd::OnCreate() == -1)
        return -1;
    if (!m_wndDockBar.Create(m_hWnd, AFX_IDW_TOOLBAR + 0x10) || !CreateToolBars() || !CreateStatusBar())
        return -1;
    SetControlBars(m_wndDockBar.m_hWnd, m_wndStatusBar.m_hWnd);
    ReadStore();
    DockToolBars();
    SetIdleMessage();
    RecalcLayout();
    return 0;
}

bool CMainFrame::CreateToolBars()
{
    for (const ToolBarLayout& layout : kToolBars) {
        CToolBar& toolBar = m_wndToolBar[static_cast<std::size_t>(layout.slot)];
        if (!toolBar.Create(m_wndDockBar.m_hWnd, m_hWnd, layout.idResource, layout.labels,
                            SIZE{layout.extraWidth, kLabelHeight}))
            return false;
        toolBar.SetCaption(LoadResourceString(layout.idCaption, layout.caption));
        m_bToolBarCreated[static_cast<std::size_t>(layout.slot)] = true;
    }
    return true;
}

bool CMainFrame::CreateStatusBar()
{
    return m_wndStatusBar.Create(m_hWnd, AFX_IDW_STATUS_BAR, kIndicators);
}

void CMainFrame::ReadStore()
{
    CAppSettings& settings = AfxGetAppCore().m_settings;
    settings.LoadStoreFile(settings.m_strMainFrameFile, *this);
    CToolBarState state(m_rcToolBarDock);
    settings.LoadStoreFile(settings.m_strToolBarFile, state);
}

void CMainFrame::DockToolBars()
{
    std::vector<CDockBar::Placement> placements;
    for (const ToolBarLayout& layout : kToolBars) {
        const std::size_t slot = static_cast<std::size_t>(layout.slot);
        placements.push_back({&m_wndToolBar[slot], ToRect(m_rcToolBarDock[slot])});
    }
    m_wndDockBar.DockControlBars(placements);
}

void CMainFrame::OnWindowTile()
{
    std::vector<CMDIChildWnd*> children = GetMDIChildren();
    const bool bAllMinimized =
        std::all_of(children.begin(), children.end(), [](CMDIChildWnd* pChild) { return IsIconic(pChild->m_hWnd); });
    if (children.size() <= 1)
        CMDIFrameWnd::OnWindowTile();
    else if (!bAllMinimized)
        TileStacked(std::move(children));
    if (m_onWindowsTiled)
        m_onWindowsTiled();
}

// The system's tiling first, for the height it gives the stack; then the windows, in their
// previous top-to-bottom order, become equal full-width slices of that height. Minimised windows
// stay icons and take no slice.
void CMainFrame::TileStacked(std::vector<CMDIChildWnd*> children)
{
    std::stable_sort(children.begin(), children.end(), [](CMDIChildWnd* a, CMDIChildWnd* b) {
        return GetPlacementOf(a->m_hWnd).rcNormalPosition.top < GetPlacementOf(b->m_hWnd).rcNormalPosition.top;
    });
    CMDIFrameWnd::OnWindowTile();
    LONG top = LONG_MAX;
    LONG bottom = LONG_MIN;
    int shown = 0;
    for (CMDIChildWnd* pChild : children) {
        if (IsIconic(pChild->m_hWnd))
            continue;
        const CStoreRect rc = GetPlacementOf(pChild->m_hWnd).rcNormalPosition;
        top = std::min<LONG>(top, rc.top);
        bottom = std::max<LONG>(bottom, rc.bottom);
        ++shown;
    }
    const LONG height = (bottom - top) / shown;
    RECT client;
    GetClientRect(m_hWnd, &client);
    client.right -= 4;
    LONG k = 0;
    for (CMDIChildWnd* pChild : children) {
        if (IsIconic(pChild->m_hWnd))
            continue;
        CWindowPlacement placement = GetPlacementOf(pChild->m_hWnd);
        placement.rcNormalPosition = FromRect(RECT{client.left, height * k, client.right, height * (k + 1) - 1});
        ApplyPlacement(pChild->m_hWnd, placement);
        ++k;
    }
}

void CMainFrame::OnViewToolBar()
{
    m_wndDockBar.ShowBar(m_wndToolBar[0], !m_wndDockBar.IsBarVisible(m_wndToolBar[0]));
    RecalcLayout();
}

void CMainFrame::OnViewStatusBar()
{
    ShowWindow(m_wndStatusBar.m_hWnd, m_wndStatusBar.HasVisibleStyle() ? SW_HIDE : SW_SHOW);
    RecalcLayout();
}
