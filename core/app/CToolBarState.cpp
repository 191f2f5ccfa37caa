// Reading and writing the toolbar rectangles.
#include "app/CToolBarState.h"

void CToolBarState::Store(CArchive& ar)
{
    for (const int slot : kStoredSlots)
        m_dockRects[slot].Write(ar);
}

void CToolBarState::Load(CArchive& ar)
{
    for (const int slot : kStoredSlots) {
        const CStoreRect rect = CStoreRect::Read(ar);
        m_dockRects[slot] = rect.IsPlausible() ? rect : CStoreRect();
    }
}
