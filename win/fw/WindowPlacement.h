// WindowPlacement: the store's placement record and rectangle taken from and given to windows.
#pragma once

#include <windows.h>

#include "app/CStoreRect.h"
#include "app/CWindowPlacement.h"

// The store keeps WINDOWPLACEMENT field by field in portable form; these convert between the
// two, so that frames and panes write exactly what Windows reports and apply exactly what was read.
CWindowPlacement GetPlacementOf(HWND hWnd);
bool ApplyPlacement(HWND hWnd, const CWindowPlacement& placement);
RECT ToRect(const CStoreRect& rect);
CStoreRect FromRect(const RECT& rect);
