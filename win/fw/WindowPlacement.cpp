// Converting window placements and rectangles.
#include "fw/WindowPlacement.h"

RECT ToRect(const CStoreRect& rect)
{
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

CStoreRect FromRect(const RECT& rect)
{
    CStoreRect stored;
    stored.left = rect.left;
    stored.top = rect.top;
    stored.right = rect.right;
    stored.bottom = rect.bottom;
    return stored;
}

CWindowPlacement GetPlacementOf(HWND hWnd)
{
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(hWnd, &wp);
    CWindowPlacement placement;
    placement.flags = wp.flags;
    placement.showCmd = wp.showCmd;
    placement.ptMinPosition = {wp.ptMinPosition.x, wp.ptMinPosition.y};
    placement.ptMaxPosition = {wp.ptMaxPosition.x, wp.ptMaxPosition.y};
    placement.rcNormalPosition = FromRect(wp.rcNormalPosition);
    return placement;
}

bool ApplyPlacement(HWND hWnd, const CWindowPlacement& placement)
{
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    wp.flags = placement.flags;
    wp.showCmd = placement.showCmd;
    wp.ptMinPosition = {placement.ptMinPosition.x, placement.ptMinPosition.y};
    wp.ptMaxPosition = {placement.ptMaxPosition.x, placement.ptMaxPosition.y};
    wp.rcNormalPosition = ToRect(placement.rcNormalPosition);
    return SetWindowPlacement(hWnd, &wp) != FALSE;
}
