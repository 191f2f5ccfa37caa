// The answers of a window to compare questions.
#include "folderdata/CCompareVerdict.h"

#include <algorithm>

#include "folderdata/CDirSzLst.h"
#include "folderdata/CFolderKeys.h"
#include "fw/CFileStatus.h"

// The separator is dropped so that a drive root and a folder can be each other's base: joining
// "\X" to a folder would give a doubled separator, which names no stored key.
std::string CCompareVerdict::RelativeOf(const std::string& path, const std::string& base)
{
    std::string relative = path.substr(std::min(base.size(), path.size()));
    if (!relative.empty() && relative.front() == '\\')
        relative.erase(0, 1);
    return relative;
}

std::string CCompareVerdict::CounterpartOf(const std::string& base, const std::string& relative)
{
    return relative.empty() ? base : CFolderKeys::JoinPath(base, relative);
}

void CCompareVerdict::Answer(const CSizeInfo* pCounterpart, const CSizeInfo& asked, std::string& verdict,
                             int32_t& bNoAnswer)
{
    if (pCounterpart)
        CompareTotals(asked, *pCounterpart, verdict);
    else
        verdict += kMissing;
    if (!verdict.empty())
        bNoAnswer = 0;
}

void CCompareVerdict::AnswerFolder(const std::string& counterpart, const CSizeInfo& asked,
                                   const CDirSzLst& folderInfo, std::string& verdict, int32_t& bNoAnswer)
{
    CFileStatus status;
    if (!GetFileStatus(counterpart, status)) {
        Answer(nullptr, asked, verdict, bNoAnswer);
        return;
    }
    CSizeInfo stored;
    if (const CDirSzLst::POSITION pos = folderInfo.FindEntry(counterpart))
        stored = folderInfo.GetTotalAt(pos);
    Answer(&stored, asked, verdict, bNoAnswer);
}

void CCompareVerdict::AnswerFile(const std::string& counterpart, const CSizeInfo& asked, std::string& verdict,
                                 int32_t& bNoAnswer)
{
    if (!bNoAnswer)
        return;
    CFileStatus status;
    if (!GetFileStatus(counterpart, status)) {
        Answer(nullptr, asked, verdict, bNoAnswer);
        return;
    }
    const CSizeInfo found = FileTotals(status.m_size, status.m_mtime);
    Answer(&found, asked, verdict, bNoAnswer);
}

CSizeInfo CCompareVerdict::FileTotals(uint64_t size, CTime modified)
{
    CSizeInfo totals;
    totals.m_nSize = size;
    totals.m_tModified = modified;
    return totals;
}
