// CSizeInfo: the totals of a folder, and the helpers that clear, merge and compare them.
#pragma once

#include <cstdint>
#include <string>

#include "fw/CTime.h"

class CArchive;

// What the program knows about the content of a folder: bytes, folders and files, and the
// newest modified, read and created times among the files. A time of 0 means none is known;
// merging keeps the later of two times, so a cleared record takes the first real time it meets.
// Copied by value, compared field by field.
class CSizeInfo {
public:
    // Adds another record's counts and keeps the later of each time.
    void Add(const CSizeInfo& other);
    // Keeps the later of each time.
    void MergeTimes(const CSizeInfo& other);

    // The 28-byte stored form: size high word first, then the low word, counts and times.
    void Serialize(CArchive& ar);

    bool operator==(const CSizeInfo&) const = default;

    uint64_t m_nSize = 0;
    int32_t m_nFolders = 0;
    int32_t m_nFiles = 0;
    CTime m_tModified;
    CTime m_tAccessed;
    CTime m_tCreated;
};

// Sets every count and time to 0.
void ClearTotals(CSizeInfo& info);

// Appends "S", "U", "D", "F" to marks for a differing size, modified time, folder count and file
// count, in that order; true when nothing was appended. The read and created times are not
// compared.
bool CompareTotals(const CSizeInfo& a, const CSizeInfo& b, std::string& marks);
