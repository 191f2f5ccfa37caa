// Clearing, merging, comparing and storing folder totals.
#include "folderdata/CSizeInfo.h"

#include <algorithm>

#include "fw/CArchive.h"

namespace {

// Counts are 32-bit in the stored form; a sum past the limit stops there instead of wrapping
// into a negative count, which callers read as "nothing stored".
int32_t AddCount(int32_t a, int32_t b)
{
    const int64_t sum = static_cast<int64_t>(a) + b;
    return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}

void KeepLater(CTime& mine, CTime other)
{
    if (other > mine)
        mine = other;
}

}  // namespace

void CSizeInfo::Add(const CSizeInfo& other)
{
    m_nSize += other.m_nSize;
    m_nFolders = AddCount(m_nFolders, other.m_nFolders);
    m_nFiles = AddCount(m_nFiles, other.m_nFiles);
    MergeTimes(other);
}

void CSizeInfo::MergeTimes(const CSizeInfo& other)
{
    KeepLater(m_tModified, other.m_tModified);
    KeepLater(m_tAccessed, other.m_tAccessed);
    KeepLater(m_tCreated, other.m_tCreated);
}

void CSizeInfo::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<uint32_t>(m_nSize >> 32) << static_cast<uint32_t>(m_nSize) << m_nFolders
           << m_nFiles << m_tModified.GetTime() << m_tAccessed.GetTime() << m_tCreated.GetTime();
        return;
    }
    CSizeInfo read;
    uint32_t high = 0, low = 0;
    int32_t modified = 0, accessed = 0, created = 0;
    ar >> high >> low >> read.m_nFolders >> read.m_nFiles >> modified >> accessed >> created;
    read.m_nSize = (static_cast<uint64_t>(high) << 32) | low;
    read.m_tModified = CTime(modified);
    read.m_tAccessed = CTime(accessed);
    read.m_tCreated = CTime(created);
    *this = read;
}

void ClearTotals(CSizeInfo& info)
{
    info = CSizeInfo();
}

bool CompareTotals(const CSizeInfo& a, const CSizeInfo& b, std::string& marks)
{
    const std::size_t before = marks.size();
    if (a.m_nSize != b.m_nSize)
        marks += "S";
    if (a.m_tModified != b.m_tModified)
        marks += "U";
    if (a.m_nFolders != b.m_nFolders)
        marks += "D";
    if (a.m_nFiles != b.m_nFiles)
        marks += "F";
    return marks.size() == before;
}
