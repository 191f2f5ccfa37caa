// CMainFrame: the main window with the six labelled toolbars, the status bar and the stacked tiling.
#pragma once

#include <array>
#include <functional>

#include "app/CToolBarState.h"
#include "fw/CDockBar.h"
#include "fw/CMDIFrameWnd.h"
#include "fw/CStatusBar.h"
#include "fw/CToolBar.h"

class CArchive;

// While it is created it makes its toolbars (slots 0, 1, 2, 3, 5 and 6; slot 4 never has one)
// and its status bar, reads "Mn" (its placement and the display settings) and "Tool Bar" (where
// each toolbar was docked) from the store or the default folder, and docks the toolbars there.
// Serialize is the content of "Mn"; CaptureToolBarRects fills the dock rectangles that
// "Tool Bar" stores. Command 57651 stacks the child windows full width in their top-to-bottom
// order. The toolbar command 59392 acts on the first toolbar, "メイン"; 59393 on the status bar.
class CMainFrame : public CMDIFrameWnd {
public:
    static constexpr int kToolBarSlots = CToolBarState::kToolBarSlots;

    // construction
    CMainFrame();

    // store
    void Serialize(CArchive& ar);
    bool HasRestoredPlacement() const { return m_bPlacementRestored; }
    CToolBarState::DockRects& GetDockRects() { return m_rcToolBarDock; }
    void CaptureToolBarRects();

    // bars
    // The toolbar of a slot, or null for a slot without one.
    CToolBar* GetToolBar(int slot);
    CStatusBar& GetStatusBarControl() { return m_wndStatusBar; }
    CDockBar& GetDockBar() { return m_wndDockBar; }

    // idle
    void OnIdleUpdateCmdUI() override;

    // Called after command 57651 has stacked the windows, so that each window can fit its panes;
    // the application sets it (the frame does not know the documents).
    std::function<void()> m_onWindowsTiled;

protected:
    int OnCreate() override;
    void OnWindowTile() override;

private:
    bool CreateToolBars();
    bool CreateStatusBar();
    void ReadStore();
    void DockToolBars();
    void TileStacked(std::vector<CMDIChildWnd*> children);
    void OnViewToolBar();
    void OnViewStatusBar();

    std::array<CToolBar, kToolBarSlots> m_wndToolBar;
    std::array<bool, kToolBarSlots> m_bToolBarCreated{};
    CToolBarState::DockRects m_rcToolBarDock{};
    CStatusBar m_wndStatusBar;
    CDockBar m_wndDockBar;
    bool m_bPlacementRestored = false;
};
