// The folder search's record test and its two ways of combining thresholds.
#include "treepane/CFolderSearch.h"

#include <utility>

#include "folderdata/CFolderKeys.h"

CFolderSearch::CFolderSearch(const CFolderKeys& keys, const CSizeInfo& criteria, int32_t nCombine,
                             bool bSkipNoDate, std::string base)
    : m_keys(keys), m_criteria(criteria), m_nCombine(nCombine), m_bSkipNoDate(bSkipNoDate), m_strBase(std::move(base))
{
}

bool CFolderSearch::IsHit(std::string_view path, const CSizeInfo& totals)
{
    if (m_keys.RelativeStart(path, m_strBase) == std::string_view::npos)
        return false;
    if (m_nCombine == 1 && !m_strLastHit.empty() &&
        m_keys.RelativeStart(path, m_strLastHit) != std::string_view::npos)
        return false;
    const bool bMatch =
        m_nCombine == 0 ? MatchAtLeast(totals, m_criteria) : MatchBelow(totals, m_criteria, m_bSkipNoDate);
    if (bMatch)
        m_strLastHit.assign(path);
    return bMatch;
}

const std::string& CFolderSearch::FileOnlyPath(const std::string& key)
{
    m_strFileOnlyPath.assign(key);
    if (!CFolderKeys::IsDriveRoot(key))
        m_strFileOnlyPath += '\\';
    m_strFileOnlyPath += m_keys.m_strFileOnlyFolderId;
    return m_strFileOnlyPath;
}

bool CFolderSearch::MatchAtLeast(const CSizeInfo& totals, const CSizeInfo& criteria)
{
    return totals.m_nSize >= criteria.m_nSize && totals.m_nFolders >= criteria.m_nFolders &&
           totals.m_nFiles >= criteria.m_nFiles && totals.m_tModified >= criteria.m_tModified &&
           totals.m_tAccessed >= criteria.m_tAccessed && totals.m_tCreated >= criteria.m_tCreated;
}

bool CFolderSearch::MatchBelow(const CSizeInfo& totals, const CSizeInfo& criteria, bool bSkipNoDate)
{
    return totals.m_nSize < criteria.m_nSize || totals.m_nFolders < criteria.m_nFolders ||
           totals.m_nFiles < criteria.m_nFiles || TimeBelow(totals.m_tModified, criteria.m_tModified, bSkipNoDate) ||
           TimeBelow(totals.m_tAccessed, criteria.m_tAccessed, bSkipNoDate) ||
           TimeBelow(totals.m_tCreated, criteria.m_tCreated, bSkipNoDate);
}

bool CFolderSearch::TimeBelow(CTime time, CTime criterion, bool bSkipNoDate)
{
    return time < criterion && !(bSkipNoDate && !time.IsSet());
}
