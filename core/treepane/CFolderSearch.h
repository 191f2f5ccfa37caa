// CFolderSearch: which stored folder records a folder search reports, decided without a tree.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "folderdata/CSizeInfo.h"

class CFolderKeys;

// One search over the stored folder records, from a base folder: the tree makes one per search
// and asks IsHit of every record it reads, in key order, then of the record's file-only part
// where HasFileOnlyPart says it has one. A hit is remembered as the last hit: in mode 1 (any
// value below its threshold) the folders below a hit are not reported again, since the hit
// already leads the user there; in mode 0 (every value at least its threshold) each is.
// Marking the hit in the tree is the tree's part (CLeftView::TestRecord).
class CFolderSearch {
public:
    // What the tree's record test answers.
    enum Result : int32_t { kHitMarked = 0, kNoHit = 1, kStopped = 2, kHitWithoutItem = 3 };

    CFolderSearch(const CFolderKeys& keys, const CSizeInfo& criteria, int32_t nCombine, bool bSkipNoDate,
                  std::string base);

    // Whether the record of path, with these totals, is reported: at or below the base, not at or
    // below the last hit in mode 1, and matching. A hit becomes the last hit.
    bool IsHit(std::string_view path, const CSizeInfo& totals);
    // A folder with sub-folders and files of its own shows those files as a file-only part.
    static bool HasFileOnlyPart(const CSizeInfo& total, const CSizeInfo& direct)
    {
        return total.m_nFolders >= 1 && direct.m_nFiles >= 1;
    }
    // The key of a folder's file-only part, built in a buffer the search keeps (valid until the
    // next call), so that testing the parts of many records allocates nothing.
    const std::string& FileOnlyPath(const std::string& key);
    const std::string& GetBase() const { return m_strBase; }
    const std::string& GetLastHit() const { return m_strLastHit; }

    // Every value at least its threshold (0 thresholds pass anything).
    static bool MatchAtLeast(const CSizeInfo& totals, const CSizeInfo& criteria);
    // Any value below its threshold; with bSkipNoDate a time of 0 is never below.
    static bool MatchBelow(const CSizeInfo& totals, const CSizeInfo& criteria, bool bSkipNoDate);

private:
    static bool TimeBelow(CTime time, CTime criterion, bool bSkipNoDate);

    const CFolderKeys& m_keys;
    const CSizeInfo m_criteria;
    const int32_t m_nCombine;
    const bool m_bSkipNoDate;
    const std::string m_strBase;
    std::string m_strLastHit;
    std::string m_strFileOnlyPath;
};
