// SortSettings: the process-wide sort settings shared by all windows, and their valid values.
#pragma once

#include <cstdint>
#include <string>

// Folder sort keys of the tree (the application's m_nFolderSortKey).
enum FolderSortKey : int32_t {
    kFolderSortByName = 0,
    kFolderSortBySize = 3,
    kFolderSortByModified = 4,
    kFolderSortByLastRead = 5,
    kFolderSortByCreated = 6,
    kFolderSortByFolderCount = 8,
    kFolderSortByFileCount = 9,
};

// Folder sort direction: 1 ascending, 0 descending.
extern int32_t g_nFolderSortDirection;
// File-list order: "T" folders before files, "B" files before folders, "N" by the clicked column.
extern std::string ListFileSortMode;

bool IsFolderSortKey(int32_t key);
bool IsListFileSortMode(const std::string& mode);
