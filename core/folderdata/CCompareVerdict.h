// CCompareVerdict: how one window answers a compare question, and where its counterpart lies.
#pragma once

#include <cstdint>
#include <string>

#include "folderdata/CSizeInfo.h"
#include "fw/CTime.h"

class CDirSzLst;

// A compare question names an entry by its path below the asking window's base folder; every
// other window looks at the entry at the same place below its own base folder (its counterpart)
// and appends its letters to the shared verdict: "N" when it has no counterpart, otherwise the
// letters of CompareTotals (the asker's totals first). A window that appended anything clears the
// shared no-answer flag, so a flag still set afterwards means every window holds an equal entry.
// The folder and file answers reach the disk through the platform; everything else is pure.
class CCompareVerdict {
public:
    // The part of path below base, without the separator between them ("" for base itself).
    static std::string RelativeOf(const std::string& path, const std::string& base);
    // The entry at relative below base.
    static std::string CounterpartOf(const std::string& base, const std::string& relative);
    // "N" when there is no counterpart (pCounterpart null), else the letters of CompareTotals.
    static void Answer(const CSizeInfo* pCounterpart, const CSizeInfo& asked, std::string& verdict,
                       int32_t& bNoAnswer);
    // A folder: compared with the totals stored for the counterpart (zero when none are).
    static void AnswerFolder(const std::string& counterpart, const CSizeInfo& asked, const CDirSzLst& folderInfo,
                             std::string& verdict, int32_t& bNoAnswer);
    // A file: compared by size and modified time; once a window has found a difference the
    // others do not look.
    static void AnswerFile(const std::string& counterpart, const CSizeInfo& asked, std::string& verdict,
                           int32_t& bNoAnswer);
    // What a file is compared by: its size and its modified time, everything else zero.
    static CSizeInfo FileTotals(uint64_t size, CTime modified);
    // True when some window had no counterpart.
    static bool HasMissing(const std::string& letters) { return letters.find(kMissing) != std::string::npos; }

    static constexpr char kMissing = 'N';
};
