// Fuzz target: the toolbar file "Tool Bar" (six dock rectangles).
#include "FuzzSupport.h"
#include "app/CToolBarState.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    CToolBarState::DockRects rects{};
    CToolBarState state(rects);
    LoadInput(data, size, state);
    for (const CStoreRect& rect : rects)
        Require(rect.IsPlausible(), "dock rectangle");
    Require(rects[4] == CStoreRect(), "slot 4 is never read");
    return 0;
}
