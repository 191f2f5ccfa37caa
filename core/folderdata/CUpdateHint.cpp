// Presets and copying of update hints.
#include "folderdata/CUpdateHint.h"

void CUpdateHint::Reset()
{
    m_strOldPath.clear();
    m_strPath.clear();
    m_nCode = 0;
    ClearTotals(m_info);
    m_nParam1 = 0;
    m_nParam2 = 1;
}

void CUpdateHint::CopyFrom(const CUpdateHint& other)
{
    if (this == &other)
        return;
    m_strOldPath = other.m_strOldPath;
    m_strPath = other.m_strPath;
    m_nCode = other.m_nCode;
    m_info = other.m_info;
    m_nParam1 = other.m_nParam1;
}
