// Reading and writing the last start-up tip's index.
#include "app/COnePointState.h"

#include "fw/CArchive.h"

void COnePointState::Store(CArchive& ar)
{
    ar << m_nIndex;
}

void COnePointState::Load(CArchive& ar)
{
    int32_t index = 0;
    ar >> index;
    m_nIndex = index >= -1 && index <= kLastIndex ? index : -1;
}
