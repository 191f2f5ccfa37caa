// Reading and writing the child frame record.
#include "app/CChildFrameRecord.h"

void CChildFrameRecord::Store(CArchive& ar)
{
    m_placement.Write(ar);
    m_rcTreePane.Write(ar);
}

void CChildFrameRecord::Load(CArchive& ar)
{
    m_bPlacementLoaded = false;
    m_bTreePaneLoaded = false;
    m_bPlacementLoaded = m_placement.ReadIfUsable(ar);
    const CStoreRect treePane = CStoreRect::Read(ar);
    if (treePane.IsPlausible()) {
        m_rcTreePane = treePane;
        m_bTreePaneLoaded = true;
    }
}
