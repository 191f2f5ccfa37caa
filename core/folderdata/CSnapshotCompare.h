// CSnapshotCompare: what changed below a folder since a saved "Dir Info" (the snapshot).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "folderdata/CCompareTally.h"
#include "folderdata/CSizeInfo.h"

class CDirSzLst;

// The snapshot takes the place of a linked window: for every folder at or below the base it
// answers as that window would, with the compare's letters (CompareTotals, the totals of now
// first) or "N" when it holds no such folder. A folder the snapshot holds that is gone now is a
// change too. As in a compare between windows, a new or gone folder is reported once, not with
// the folders below it. Folders whose names code page 932 cannot hold are never in a snapshot
// (the file's keys are CP932): they are not compared, only counted, and still weigh in the
// totals of the folders above them.
//
// Keys may come in either form: a snapshot written by the native build of a Linux tree and a
// walk of it under Wine name the same folder "Z:\x\y" (or "/x/y"), so both are read as one.
class CSnapshotCompare {
public:
    enum class Kind { kChanged, kNew, kGone };
    struct Change {
        std::string path;
        Kind kind = Kind::kChanged;
        std::string letters;
        CSizeInfo now;
        CSizeInfo before;
        int64_t SizeChange() const;
        int64_t FoldersChange() const { return int64_t{now.m_nFolders} - before.m_nFolders; }
        int64_t FilesChange() const { return int64_t{now.m_nFiles} - before.m_nFiles; }
    };

    // Compares the records of now at or below base (every record when base is empty) with the
    // snapshot's at the same places. The folders the walk of now left out (unreadable) are not
    // gone: what the snapshot holds at or below them is passed over.
    void Run(const CDirSzLst& now, const CDirSzLst& snapshot, const std::string& base,
             const std::vector<std::string>& leftOut = {});

    // The changed folders, biggest size change (either way) first, then by path.
    const std::vector<Change>& Changes() const { return m_changes; }
    // The first count of Changes().
    std::vector<Change> Biggest(std::size_t count) const;
    // The letters the snapshot answers for a folder of now: "" when it is the same.
    std::string Verdict(const std::string& key) const;
    // True when the folder or something below it differs (a gone folder included).
    bool Differs(const std::string& key) const { return m_differing.count(CommonKey(key)) != 0; }
    // Each folder of now asked about, with its letters, as a compare walk counts them.
    const CCompareTally& Tally() const { return m_tally; }
    uint64_t GoneCount() const { return m_nGone; }
    uint64_t UnrecordedCount() const { return m_nUnrecorded; }

    // "/x/y" and "Z:\x\y" give the same key.
    static std::string CommonKey(const std::string& key);
    // True when the list holds a record at or below base: a snapshot of some other place has
    // nothing to say about base, and comparing with it would call everything new.
    static bool HasAnyAtOrBelow(const CDirSzLst& list, const std::string& base);
    // True when key is base or lies below it (base empty: always).
    static bool IsAtOrBelow(const std::string& key, const std::string& base);

private:
    void Add(Change change, const std::string& base);
    // The nearest ancestor of key below base already reported new or gone, so that the folders
    // inside a new or gone one are left to it.
    bool InsideReported(const std::string& key, const std::string& base) const;
    void MarkUpTo(const std::string& key, const std::string& base);

    std::vector<Change> m_changes;
    std::unordered_map<std::string, std::string> m_verdicts;
    std::unordered_set<std::string> m_reported;
    std::unordered_set<std::string> m_differing;
    CCompareTally m_tally;
    uint64_t m_nGone = 0;
    uint64_t m_nUnrecorded = 0;
};
