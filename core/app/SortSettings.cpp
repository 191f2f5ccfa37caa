// The process-wide sort settings.
#include "app/SortSettings.h"

int32_t g_nFolderSortDirection = 1;
std::string ListFileSortMode = "B";

bool IsFolderSortKey(int32_t key)
{
    switch (key) {
    case kFolderSortByName:
    case kFolderSortBySize:
    case kFolderSortByModified:
    case kFolderSortByLastRead:
    case kFolderSortByCreated:
    case kFolderSortByFolderCount:
    case kFolderSortByFileCount:
        return true;
    default:
        return false;
    }
}

bool IsListFileSortMode(const std::string& mode)
{
    return mode == "T" || mode == "B" || mode == "N";
}
