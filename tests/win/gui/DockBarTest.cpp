// Dragging the toolbars by their grippers with real mouse input, and where they stand after a restart.
#include "GuiTestSupport.h"

#include <map>

namespace {

// Toolbar slots row by row from the top, each row left to right.
using Rows = std::vector<std::vector<int>>;

HWND DockBarOf(ProgramRun& run)
{
    return run.Frame().GetDockBar().m_hWnd;
}

// The band's rectangle in the rebar's client coordinates; empty when no band holds the toolbar.
RECT BandRectOfSlot(ProgramRun& run, int slot)
{
    RECT rc{};
    const int count = static_cast<int>(SendMessageW(DockBarOf(run), RB_GETBANDCOUNT, 0, 0));
    for (int band = 0; band < count; ++band) {
        REBARBANDINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = RBBIM_CHILD;
        SendMessageW(DockBarOf(run), RB_GETBANDINFOW, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&info));
        if (info.hwndChild == run.Frame().GetToolBar(slot)->m_hWnd)
            SendMessageW(DockBarOf(run), RB_GETRECT, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&rc));
    }
    return rc;
}

// The rows as the rebar lays them out: bands with the same top share a row.
Rows ToolBarRows(ProgramRun& run)
{
    std::map<LONG, std::map<LONG, int>> slotsByTopAndLeft;
    for (int slot = 0; slot < CMainFrame::kToolBarSlots; ++slot) {
        if (run.Frame().GetToolBar(slot)) {
            const RECT rc = BandRectOfSlot(run, slot);
            slotsByTopAndLeft[rc.top][rc.left] = slot;
        }
    }
    Rows rows;
    for (const auto& [top, slotsByLeft] : slotsByTopAndLeft) {
        rows.emplace_back();
        for (const auto& [left, slot] : slotsByLeft)
            rows.back().push_back(slot);
    }
    return rows;
}

POINT ToScreen(ProgramRun& run, POINT pt)
{
    ClientToScreen(DockBarOf(run), &pt);
    return pt;
}

// The middle of the band's gripper, where the rebar itself says the gripper is, in screen coordinates.
POINT GripperOf(ProgramRun& run, int slot)
{
    const RECT rc = BandRectOfSlot(run, slot);
    std::vector<LONG> onGripper;
    for (LONG x = rc.left; x < rc.right; ++x) {
        RBHITTESTINFO hit{};
        hit.pt = POINT{x, (rc.top + rc.bottom) / 2};
        SendMessageW(DockBarOf(run), RB_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.flags == RBHT_GRABBER)
            onGripper.push_back(x);
    }
    if (onGripper.empty())
        ADD_FAILURE() << "no gripper on the band of toolbar " << slot;
    const LONG x = onGripper.empty() ? rc.left : onGripper[onGripper.size() / 2];
    return ToScreen(run, POINT{x, (rc.top + rc.bottom) / 2});
}

// A point on the band of a toolbar, fraction of its width from its left edge, in screen coordinates.
POINT OnBand(ProgramRun& run, int slot, double fraction)
{
    const RECT rc = BandRectOfSlot(run, slot);
    const auto x = rc.left + static_cast<LONG>(fraction * static_cast<double>(rc.right - rc.left));
    return ToScreen(run, POINT{x, (rc.top + rc.bottom) / 2});
}

// Where a drag ends: on a toolbar's band, or just above the first row or below the last.
struct DropPlace {
    enum Kind { kOnBand, kAboveRows, kBelowRows } kind;
    int slot;
    double fraction;
};

POINT PointOf(ProgramRun& run, const DropPlace& place)
{
    if (place.kind == DropPlace::kOnBand)
        return OnBand(run, place.slot, place.fraction);
    RECT rc;
    GetClientRect(DockBarOf(run), &rc);
    return ToScreen(run, POINT{rc.right / 2, place.kind == DropPlace::kAboveRows ? -6 : rc.bottom + 6});
}

// A fresh start docks each toolbar in a row of its own, in this order.
const Rows kFreshRows = {{0}, {1}, {2}, {3}, {5}, {6}};

}  // namespace

using DockBarTest = GuiTest;

TEST_F(DockBarTest, DraggingAGripperMovesTheBandToTheRowItIsDroppedOn)
{
    struct Case {
        const char* what;
        int slot;
        DropPlace drop;
        Rows expected;
    };
    const Case cases[] = {
        {"down onto a row, right of its band", 0, {DropPlace::kOnBand, 1, 0.75}, {{1, 0}, {2}, {3}, {5}, {6}}},
        {"down two rows, left of the band there", 1, {DropPlace::kOnBand, 3, 0.1}, {{0}, {2}, {1, 3}, {5}, {6}}},
        {"up two rows, left of the band there", 6, {DropPlace::kOnBand, 3, 0.1}, {{0}, {1}, {2}, {6, 3}, {5}}},
        {"above the first row", 3, {DropPlace::kAboveRows, 0, 0}, {{3}, {0}, {1}, {2}, {5}, {6}}},
        {"below the last row", 1, {DropPlace::kBelowRows, 0, 0}, {{0}, {2}, {3}, {5}, {6}, {1}}},
        {"along its own row of its own", 2, {DropPlace::kOnBand, 2, 0.6}, kFreshRows},
    };
    for (const Case& c : cases) {
        ProgramRun run;
        ASSERT_EQ(ToolBarRows(run), kFreshRows);  // a fresh start: a row for each toolbar
        DragWithMouse(run, GripperOf(run, c.slot), PointOf(run, c.drop));
        EXPECT_EQ(ToolBarRows(run), c.expected) << c.what;
    }
}

TEST_F(DockBarTest, AlongASharedRowTheBandsLeftEdgeFollowsThePointerUntilItPassesANeighbour)
{
    ProgramRun run;
    DragWithMouse(run, GripperOf(run, 2), OnBand(run, 0, 0.75));  // up onto a row, right of its band
    ASSERT_EQ(ToolBarRows(run), (Rows{{0, 2}, {1}, {3}, {5}, {6}}));
    // The row is wider than both toolbars need: the band before gives up the room.
    const RECT before = BandRectOfSlot(run, 2);
    const POINT grip = GripperOf(run, 2);
    DragWithMouse(run, grip, POINT{grip.x - 100, grip.y});
    EXPECT_EQ(BandRectOfSlot(run, 2).left, before.left - 100);
    EXPECT_EQ(BandRectOfSlot(run, 0).left, 0);
    // Dragged on to the row's start, past the middle of the band before it (which shrinks as far
    // as its toolbar lets it on the way), the two change places.
    DragWithMouse(run, GripperOf(run, 2), OnBand(run, 0, 0.01));
    EXPECT_EQ(ToolBarRows(run), (Rows{{2, 0}, {1}, {3}, {5}, {6}}));
}

TEST_F(DockBarTest, DroppedBandsAreWhereTheyWereDroppedAfterSavingAndARestart)
{
    Rows dropped;
    LONG secondLeft = 0;
    LONG height = 0;
    {
        ProgramRun run;
        DragWithMouse(run, GripperOf(run, 0), OnBand(run, 1, 0.75));
        DragWithMouse(run, GripperOf(run, 6), PointOf(run, {DropPlace::kAboveRows, 0, 0}));
        DragWithMouse(run, GripperOf(run, 3), OnBand(run, 6, 0.75));
        const POINT grip = GripperOf(run, 3);
        DragWithMouse(run, grip, POINT{grip.x - 150, grip.y});
        dropped = ToolBarRows(run);
        ASSERT_EQ(dropped, (Rows{{6, 3}, {1, 0}, {2}, {5}}));
        secondLeft = BandRectOfSlot(run, 3).left;
        height = static_cast<LONG>(SendMessageW(DockBarOf(run), RB_GETBARHEIGHT, 0, 0));
        run.Command(ID_SAVE_ALL);
    }
    ProgramRun run;
    EXPECT_EQ(ToolBarRows(run), dropped);
    EXPECT_EQ(BandRectOfSlot(run, 3).left, secondLeft);
    EXPECT_EQ(SendMessageW(DockBarOf(run), RB_GETBARHEIGHT, 0, 0), height);
    // the frame lays its client out below the rebar's new height
    RECT client;
    GetWindowRect(run.Frame().m_hWndMDIClient, &client);
    MapWindowPoints(nullptr, run.FrameWindow(), reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(client.top, height);
}
