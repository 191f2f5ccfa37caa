// Reading and writing the child window count.
#include "app/CChildCount.h"

#include <algorithm>

#include "app/CAppCore.h"
#include "fw/CArchive.h"

void CChildCount::Store(CArchive& ar)
{
    ar << m_app.m_nChildCount;
}

void CChildCount::Load(CArchive& ar)
{
    int32_t count = 0;
    ar >> count;
    m_app.m_nChildCount = std::clamp(count, int32_t{0}, kMaxChildWindows);
}
