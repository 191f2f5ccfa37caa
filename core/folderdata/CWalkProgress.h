// CWalkProgress: how far a running walk has come.
#pragma once

#include <cstdint>

// What a walk has counted since it began: the folders and files below the folder it was asked
// for (a folder answered from its stored record counts with that record's totals), and, when
// that folder already had a stored record as the walk began, the record's file count to measure
// against (-1 without one). The walk hands it to its sink before every folder.
struct CWalkProgress {
    int64_t m_nFolders = 0;
    int64_t m_nFiles = 0;
    int64_t m_nExpectedFiles = -1;
};
