// Reading and writing the search dialog's rectangle.
#include "app/CSearchDialogRecord.h"

void CSearchDialogRecord::Store(CArchive& ar)
{
    m_rcNormal.Write(ar);
}

void CSearchDialogRecord::Load(CArchive& ar)
{
    m_bRectLoaded = false;
    const CStoreRect rect = CStoreRect::Read(ar);
    if (rect.IsPlausible() && !rect.IsEmpty()) {
        m_rcNormal = rect;
        m_bRectLoaded = true;
    }
}
